#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "construct/edit_commands.h"
#include "construct/grow_ring.h"
#include "geometry/face_clearance.h"
#include "geometry/gap_relaxation.h"
#include "geometry/precise_relaxation.h"
#include "geometry/self_intersection.h"
#include "io/reader.h"
#include "model/adjacency.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "model/surface_info.h"
#include "tests/fixture.h"
#include "tests/model_copy.h"
#include "tests/reference/literal_grow.h"

namespace {

class GrowRingTest : public StoreTest {
protected:
    void open(const std::string& name)
    {
        ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/" + name, false));
        refreshDerivedData();
    }
};

struct Disc {
    int cells, vertices, edges, faces;
};

// The {7,3} disc around one cell, ring by ring.
const Disc kDisc[] = {{8, 43, 98, 56}, {29, 141, 343, 203}, {85, 400, 994, 595}, {232, 1079, 2702, 1624},
                      {617, 2857, 7175, 4319}};

}  // namespace

TEST_F(GrowRingTest, RingsFollowTheHeptagonalTilingAroundTheStartCell)
{
    open("single.kor");
    int cells = 1;
    for (const Disc& ring : kDisc) {
        SCOPED_TRACE(ring.cells);
        const GrowReport report = growRing();
        EXPECT_EQ(report.refusal, "");
        EXPECT_EQ(report.skipped, 0);
        EXPECT_EQ(report.cellsAdded, ring.cells - cells);
        cells = ring.cells;
        refreshDerivedData();
        EXPECT_STORE_VALID();
        const SurfaceInfo info = surfaceInfo();
        EXPECT_EQ(info.vertices, ring.vertices);
        EXPECT_EQ(info.edges, ring.edges);
        EXPECT_EQ(info.faces, ring.faces);
        EXPECT_EQ(info.euler, 1);
        EXPECT_EQ(info.boundaryLoops, 1);
        EXPECT_EQ(info.inconsistentEdges, 0);
        EXPECT_EQ(info.faceCounts.at(7), ring.cells) << "one centre a cell";
        // Inside, every rim vertex lies in three cells; on the boundary in one or two.
        std::vector<bool> onBoundary(NOV, false);
        for (const BoundarySide& s : boundarySides())
            onBoundary[s.from] = onBoundary[s.to] = true;
        for (int i = 0; i < NOV; ++i) {
            const int n = NOfaceOfVertex[i];
            if (onBoundary[i])
                EXPECT_TRUE(n == 2 || n == 4) << "boundary vertex " << i << " in " << n << " faces";
            else
                EXPECT_TRUE(n == 6 || n == 7) << "vertex " << i << " in " << n << " faces";
        }
        int rims = 0, spokes = 0;
        for (int e = 0; e < NOE; ++e)
            (phi[e] < 0.85 ? rims : spokes) += 1;
        EXPECT_EQ(spokes, 7 * ring.cells);
    }
}

// The ring as the plain way would make it, each new cell appended on its own
// and glued vertex by vertex with pasteVertices, gives the same store bit for
// bit: vertices, edges and their order, target lengths and faces.
TEST_F(GrowRingTest, GluingEachCellOnItsOwnGivesTheSameStore)
{
    struct Start {
        const char* file;
        int rings;
    };
    for (const Start& start : {Start{"single.kor", 4}, Start{"torio.kor", 2}, Start{"2323-2323-2323.kor", 1},
                               Start{"autopasteDemo.kor", 1}, Start{"22222Dodecahedra.kor", 1}}) {
        SCOPED_TRACE(start.file);
        resetStore();
        open(start.file);
        for (int ring = 1; ring <= start.rings; ++ring) {
            const Model before = Model::take();
            const int firstFace = NOS;
            ASSERT_GT(growRing().cellsAdded, 0);
            const Model grown = Model::take();
            const std::vector<LiteralCell> cells = cellsAddedSince(firstFace);
            before.put();
            literalGrowRing(cells, grown.v);
            EXPECT_TRUE(Model::take() == grown) << "ring " << ring;
            grown.put();
        }
    }
}

TEST_F(GrowRingTest, OtherSurfacesGrowAlongEveryLoopAndCountWhatTheySkip)
{
    for (const char* file : {"torio.kor", "2323-2323-2323.kor", "1313-1313-1313.kor", "autopasteDemo.kor"}) {
        SCOPED_TRACE(file);
        resetStore();
        open(file);
        const int loops = surfaceInfo().boundaryLoops;
        std::set<int> formerBoundary;
        for (const BoundarySide& s : boundarySides())
            formerBoundary.insert(s.from);
        const GrowReport report = growRing();
        ASSERT_GT(report.cellsAdded, 0);
        refreshDerivedData();
        EXPECT_STORE_VALID();
        const SurfaceInfo info = surfaceInfo();
        EXPECT_EQ(info.boundaryLoops, loops) << "a ring along each loop";
        EXPECT_EQ(info.inconsistentEdges, 0);
        // Every former boundary vertex now lies inside in three cells, or is counted as skipped.
        std::set<int> stillOpen;
        for (const BoundarySide& s : boundarySides())
            stillOpen.insert(s.from);
        int notClosed = 0;
        for (int b : formerBoundary)
            if (stillOpen.count(b) || NOfaceOfVertex[b] != 6)
                ++notClosed;
        EXPECT_EQ(report.skipped, notClosed);
        for (int i = 0; i < NOV; ++i)
            EXPECT_LE(NOfaceOfVertex[i], 7) << "vertex " << i;
    }
}

TEST_F(GrowRingTest, TheCommandIsOneUndoStepAndRedoBringsTheRingBack)
{
    open("single.kor");
    const Model start = Model::take();
    const int snapshots = historyLength();
    const GrowReport report = growRingCommand();
    EXPECT_EQ(report.cellsAdded, 7);
    EXPECT_EQ(historyLength(), snapshots + 1);
    const Model ring = Model::take();
    undo();
    EXPECT_TRUE(Model::take() == start);
    redo();
    EXPECT_TRUE(Model::take() == ring);
    EXPECT_NE(growRingMessage(report).find("Grew one ring: 7 cells; largest edge error"), std::string::npos);
}

TEST_F(GrowRingTest, RefusedWithItsReasonAndNoSnapshot)
{
    open("single.kor");
    ASSERT_EQ(subdivideCommand(2), "");
    const Model subdivided = Model::take();
    const int snapshots = historyLength();
    GrowReport report = growRingCommand();
    EXPECT_EQ(report.cellsAdded, 0);
    EXPECT_EQ(historyLength(), snapshots);
    EXPECT_TRUE(Model::take() == subdivided);
    EXPECT_EQ(growRingMessage(report),
              "Cannot grow a ring: the surface is subdivided (level 2); rings grow on a surface of cells");

    // An empty store has no boundary to grow along.
    resetStore();
    report = growRingCommand();
    EXPECT_EQ(report.cellsAdded, 0);
    EXPECT_EQ(growRingMessage(report), "Cannot grow a ring: the surface has no boundary");

    // No room left in the store: refused before anything changes.
    resetStore();
    open("single.kor");
    const Model cell = Model::take();
    NOS = MAX_FACES - 7;
    report = growRing();
    NOS = 7;
    EXPECT_EQ(report.cellsAdded, 0);
    EXPECT_NE(report.refusal.find("than the store has room for"), std::string::npos);
    EXPECT_TRUE(Model::take() == cell);
}

// Each ring placed clear of the surface and relaxed precisely stays clear:
// the disc of three rings meets every length with its faces kept apart.
TEST_F(GrowRingTest, ThreeRingsOpenAndRelaxIntoAnEmbeddedDisc)
{
    open("single.kor");
    for (int ring = 1; ring <= 3; ++ring) {
        growRing();
        EXPECT_TRUE(selfIntersections().empty()) << "ring " << ring << " placed through the surface";
        EXPECT_EQ(openRing(), GapState::Done) << "ring " << ring;
        EXPECT_GE(smallestFaceClearance(), OPENING_GAP * 0.99) << "ring " << ring;
        double error = 0;
        relaxPrecisely(PRECISE_TOLERANCE, 2000, &error);
    }
    double error = 0;
    EXPECT_EQ(relaxPrecisely(1e-6, 2000, &error), PreciseState::Reached);
    EXPECT_TRUE(selfIntersections().empty());
    EXPECT_GE(smallestFaceClearance(), 0.05);
}

// On the four-ring sample, a few cells of the fifth ring cross wherever they
// stand alone, shut out by the cell before them; placed together with it,
// every cell of the ring stands clear.
TEST_F(GrowRingTest, TheFifthRingIsPlacedWithoutACrossing)
{
    open("hyperbolicDisc4.kor");
    const GrowReport report = growRing();
    EXPECT_EQ(report.cellsAdded, 385);
    EXPECT_EQ(report.skipped, 0);
    EXPECT_EQ(NOV, kDisc[4].vertices);
    EXPECT_EQ(NOE, kDisc[4].edges);
    EXPECT_EQ(NOS, kDisc[4].faces);
    EXPECT_STORE_VALID();
    EXPECT_TRUE(selfIntersections().empty());
}
