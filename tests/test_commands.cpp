// The command layer shared by the window and the tool: redo that brings work
// back, on random sequences of real commands; the gluing refusal's reasons.
#include "tests/fixture.h"

#include <cstring>
#include <random>

#include "construct/edit_commands.h"
#include "geometry/sway_commands.h"
#include "construct/add_cell.h"
#include "construct/copy_remove.h"
#include "construct/subdivision.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "io/reader.h"
#include "model/history.h"
#include "model/topology.h"

namespace {
// The model exactly, bit for bit.
struct Model {
    int nov, noe, nos, level;
    std::vector<Point3> vertices;
    std::vector<double> lengths;
    std::vector<int> edges, faces;
    bool operator==(const Model& o) const
    {
        return nov == o.nov && noe == o.noe && nos == o.nos && level == o.level &&
               std::memcmp(vertices.data(), o.vertices.data(), sizeof(Point3) * nov) == 0 &&
               std::memcmp(lengths.data(), o.lengths.data(), sizeof(double) * noe) == 0 && edges == o.edges &&
               faces == o.faces;
    }
};

Model model()
{
    return Model{NOV,
                 NOE,
                 NOS,
                 subdiv_level,
                 std::vector<Point3>(v, v + NOV),
                 std::vector<double>(phi, phi + NOE),
                 std::vector<int>(&edge[0][0], &edge[0][0] + 2 * NOE),
                 std::vector<int>(&face[0][0], &face[0][0] + 3 * NOS)};
}

// One random command: recorded edits (a cell, a paste, zipping, a copy, a
// removal) and moves that are not recorded (relaxing, smoothing, pulling).
// Returns true when it recorded a snapshot.
bool randomCommand(std::mt19937& rng)
{
    const int before = historyLength();
    const int p = NOV > 0 ? static_cast<int>(rng() % NOV) : 0;
    g_purtj = p;
    switch (rng() % 8) {
    case 0:
    case 1:
        addCellCommand();
        break;
    case 2:
        pasteCommand(p, static_cast<int>(rng() % NOV));
        break;
    case 3:
        pasteAllCommand();
        break;
    case 4:
        if (NOV < 200)
            addCopyCommand(rng() % 2 == 0);
        break;
    case 5:
        if (NOV > 20)
            removeCommand();
        break;
    case 6:
        modify();
        break;
    default:
        smoothenCommand();
        pullpoint();
        break;
    }
    g_purtj = -1;
    return historyLength() != before;
}
}  // namespace

TEST_F(StoreTest, UndoThenRedoGivesBackExactlyTheSurfaceOnRandomCommandSequences)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        resetStore();
        std::mt19937 rng(seed);
        ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
        const int ops = 3 + static_cast<int>(rng() % 12);
        int recorded = 0;
        Model beforeFirst = model();
        for (int k = 0; k < ops; ++k) {
            const Model now = model();
            if (randomCommand(rng) && recorded++ == 0)
                beforeFirst = now;
            EXPECT_STORE_VALID() << "seed " << seed << ", command " << k;
        }
        const Model after = model();
        const int steps = recorded == 0 ? 0 : 1 + static_cast<int>(rng() % recorded);
        for (int k = 0; k < steps; ++k)
            undo();
        for (int k = 0; k < steps; ++k)
            redo();
        EXPECT_TRUE(model() == after) << "seed " << seed << ": " << steps << " undos and redos of " << recorded;
        EXPECT_STORE_VALID();

        // A move after the redos is not lost by the next undo and redo either.
        modify();
        const Model moved = model();
        undo();
        redo();
        EXPECT_TRUE(recorded == 0 || model() == moved) << "seed " << seed;

        for (int k = 0; k <= recorded + 1; ++k)
            undo();
        // With nothing recorded, undo has nothing to go back to.
        EXPECT_TRUE(model() == (recorded > 0 ? beforeFirst : moved)) << "seed " << seed << ": undoing everything";
    }
}

TEST_F(StoreTest, PasteRefusalNamesTheRealReason)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    EXPECT_NE(pasteRefusal(0, 1).find("share face"), std::string::npos);
    EXPECT_NE(pasteRefusal(2, 2).find("same vertex"), std::string::npos);
    EXPECT_NE(pasteRefusal(0, 7).find("share face"), std::string::npos);
    EXPECT_NE(pasteRefusal(0, 8).find("does not exist"), std::string::npos);
    EXPECT_NE(pasteRefusal(7, 8).find("does not exist"), std::string::npos);

    // Two separate cells: their rim vertices may be glued, until the edge table is full.
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", true));
    EXPECT_EQ(pasteRefusal(0, 8), "");
    const int edges = NOE;
    NOE = MAX_EDGES - 1;
    EXPECT_NE(pasteRefusal(0, 8).find("edge table is full"), std::string::npos) << pasteRefusal(0, 8);
    EXPECT_NE(pasteCommand(0, 8).find("edge table is full"), std::string::npos);
    NOE = edges;
    subdiv_level = 2;
    EXPECT_NE(pasteRefusal(0, 8).find("subdivided"), std::string::npos);
    subdiv_level = 1;
    EXPECT_EQ(pasteCommand(0, 8), "");
    EXPECT_EQ(NOV, 15);
}

TEST_F(StoreTest, AddingACellToATinySurfaceIsRefusedNotWrittenAsInfinity)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{v[i].x * 1e-300, v[i].y * 1e-300, v[i].z * 1e-300};
    g_purtj = 0;
    const int snapshots = historyLength();
    EXPECT_NE(addCellCommand(), "");
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), snapshots);
    for (int i = 0; i < MAX_VERTICES && i < NOV + 7; ++i)
        EXPECT_TRUE(std::isfinite(v[i].x) && std::isfinite(v[i].y) && std::isfinite(v[i].z)) << i;

    // At an ordinary scale the same vertex takes a cell.
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{v[i].x * 1e300, v[i].y * 1e300, v[i].z * 1e300};
    EXPECT_EQ(addCellCommand(), "");
    EXPECT_EQ(NOV, 15);
}

TEST_F(StoreTest, ModifyOffTogglesAndSwayRunsItsThreeTicks)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    const Model start = model();
    EXPECT_TRUE(modifyOffCommand());
    EXPECT_TRUE(model() == start) << "switching relaxation off relaxes nothing";
    EXPECT_FALSE(modifyOffCommand());
    EXPECT_FALSE(model() == start) << "switching it on runs one burst";
    swayCommand();
    EXPECT_EQ(g_buru, 3);
    for (int k = 0; k < 3; ++k)
        swayTick();
    EXPECT_EQ(g_buru, 0);
}

// A glue that would put three faces at one side folds the surface onto itself:
// Save would write a file that Open refuses. The rule refuses it instead.
TEST_F(StoreTest, PasteRefusesToPutAThirdFaceAtASide)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    const int snapshots = historyLength();
    // Rim vertices 0 and 2 of one cell share no face but both neighbour 1 and the centre 7.
    const std::string refusal = pasteCommand(0, 2);
    EXPECT_NE(refusal.find("would be a side of"), std::string::npos) << refusal;
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), snapshots);
    // A seam along the tiling is still glued.
    g_purtj = 0;
    ASSERT_EQ(addCellCommand(), "");
    EXPECT_EQ(pasteCommand(8, 6), "");
    EXPECT_STORE_VALID();
}

// Only the commands record snapshots; a refusal is the command's whole answer,
// told by the same rule that decides.
TEST_F(StoreTest, CommandsRecordTheSnapshotsAndReturnTheirRefusals)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    int snapshots = historyLength();
    g_purtj = 0;
    addnewpolygon();
    ASSERT_EQ(NOV, 15);
    EXPECT_EQ(historyLength(), snapshots) << "a building block records nothing";
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(historyLength(), snapshots);

    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    snapshots = historyLength();
    g_purtj = 0;
    EXPECT_EQ(addCellCommand(), "");
    EXPECT_EQ(historyLength(), ++snapshots);
    g_purtj = 0;  // now in 4 faces of two cells not glued to each other
    EXPECT_EQ(addCellCommand(), addCellRefusal(0));
    EXPECT_NE(addCellRefusal(0), "");
    EXPECT_EQ(historyLength(), snapshots);
    EXPECT_EQ(addCopyCommand(true), "");
    EXPECT_EQ(historyLength(), ++snapshots);
    g_purtj = -1;
    EXPECT_EQ(removeCommand(), NO_VERTEX_PICKED);
    EXPECT_EQ(historyLength(), snapshots);

    // Kago on a plain surface and Subdivide on a subdivided one record a
    // snapshot and say why they did nothing, as the window has always done.
    EXPECT_EQ(kagoCommand(), KAGO_NEEDS_SUBDIVISION);
    EXPECT_EQ(historyLength(), ++snapshots);
    EXPECT_EQ(subdivideCommand(2), "");
    EXPECT_EQ(historyLength(), ++snapshots);
    const int vertices = NOV;
    EXPECT_EQ(subdivideCommand(3), ALREADY_SUBDIVIDED);
    EXPECT_EQ(historyLength(), ++snapshots);
    g_purtj = 0;
    EXPECT_EQ(addCellCommand(), CELLS_NEED_LEVEL_ONE);
    EXPECT_EQ(NOV, vertices);
    EXPECT_EQ(historyLength(), snapshots);
    EXPECT_EQ(kagoCommand(), "");
}

TEST_F(StoreTest, RefusalsOfRoomAndShapeComeFromTheRuleThatDecides)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    // A copy: the limits in the refusal are the ones addcopy applies.
    const int edges = NOE;
    NOE = MAX_EDGES / 4 + 1;
    const std::string copy = copyRefusal();
    EXPECT_NE(copy.find(std::to_string(MAX_EDGES / 4) + " edges"), std::string::npos) << copy;
    EXPECT_FALSE(addcopy(false));
    const int snapshots = historyLength();
    EXPECT_EQ(addCopyCommand(false), copy);
    EXPECT_EQ(historyLength(), snapshots);
    NOE = MAX_EDGES / 4;
    EXPECT_EQ(copyRefusal(), "");
    NOE = edges;

    // A subdivision: a face side without an edge is named.
    --NOE;  // edge 13 joins 6 and the centre 7
    const std::string side = subdivisionRefusal(2);
    EXPECT_NE(side.find("no edge along its side"), std::string::npos) << side;
    EXPECT_EQ(subdivideCommand(2), side);
    EXPECT_EQ(subdiv_level, 1);
    ++NOE;
    EXPECT_EQ(subdivisionRefusal(7), "Subdivision levels run from 2 to 6");
    EXPECT_EQ(subdivisionRefusal(2), "");

    // A cell: the words are empty exactly where a cell fits, on every vertex
    // of a surface with inner, boundary, pinched and wrongly turned vertices.
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/torio.kor", false));
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", true));
    std::swap(face[NOS - 1][1], face[NOS - 1][2]);  // one face of the appended cell turned over
    for (int p = -1; p <= NOV; ++p)
        EXPECT_EQ(addCellRefusal(p).empty(), cellFitsAt(p)) << p << ": " << addCellRefusal(p);
    for (int p = 0; p < NOV; p += 3) {
        g_purtj = p;
        const int before = NOV;
        const std::string refusal = addCellCommand();
        EXPECT_EQ(NOV != before, refusal.empty()) << p << ": " << refusal;
        if (refusal.empty())
            undo();
    }
}
