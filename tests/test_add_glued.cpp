#include "tests/fixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "construct/add_cell.h"
#include "construct/add_glued.h"
#include "construct/glue.h"
#include "construct/grow_ring.h"
#include "io/reader.h"
#include "model/adjacency.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/surface_info.h"
#include "model/vertex_fans.h"

namespace {
class AddGluedTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    }
    AddGluedReport at(int p)
    {
        g_purtj = p;
        return addGluedCommand();
    }
    // The counts and shape of the surface, for comparing two ways of building it.
    static std::vector<int> shape()
    {
        refreshDerivedData();
        const SurfaceInfo info = surfaceInfo();
        return {info.vertices, info.edges, info.faces, info.euler, info.boundaryLoops, info.inconsistentEdges,
                info.faceCounts.count(7) ? info.faceCounts.at(7) : 0};
    }
    static int pinchedVertices()
    {
        int n = 0;
        for (int i = 0; i < NOV; ++i)
            n += isPinched(i);
        return n;
    }
};
}  // namespace

TEST_F(AddGluedTest, FansAtAVertexTellOpenClosedAndPinched)
{
    VertexFans centre = vertexFans(7);
    EXPECT_EQ(centre.faces, 7);
    EXPECT_EQ(centre.fans, 1);
    EXPECT_TRUE(centre.closed);
    EXPECT_EQ(centre.start, -1);
    VertexFans rim = vertexFans(0);
    EXPECT_EQ(rim.faces, 2);
    EXPECT_FALSE(rim.closed);
    EXPECT_EQ(rim.start, 1) << "the boundary runs 0 -> 1 in face (0, 1, 7)";
    EXPECT_EQ(rim.end, 6);
    // A cell attached at one vertex only: two fans meet in a point.
    g_purtj = 0;
    addnewpolygon();
    EXPECT_TRUE(isPinched(0));
    EXPECT_EQ(vertexFans(0).fans, 2);
    EXPECT_EQ(vertexFans(0).start, -1);
    EXPECT_EQ(pinchedVertices(), 1);
    EXPECT_EQ(vertexFans(NOV).faces, 0);
}

TEST_F(AddGluedTest, ACellAtAOneCellVertexIsGluedAlongTheSideLeavingIt)
{
    const AddGluedReport r = at(0);
    EXPECT_TRUE(r.added);
    EXPECT_EQ(r.refusal, "");
    EXPECT_EQ(r.glued, 1);
    EXPECT_EQ(r.zipped, 0);
    EXPECT_STORE_VALID();
    EXPECT_EQ(NOV, 14);
    EXPECT_EQ(NOS, 14);
    EXPECT_EQ(NOE, 27);
    for (int x : {0, 1}) {
        const VertexFans f = vertexFans(x);
        EXPECT_EQ(f.faces, 4) << x;
        EXPECT_EQ(f.fans, 1) << x;
        EXPECT_FALSE(f.closed) << x;
    }
    EXPECT_EQ(pinchedVertices(), 0);
    EXPECT_EQ(g_purtj, 0);
    // One undo step takes back the cell and its glue.
    undo();
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOS, 7);
}

TEST_F(AddGluedTest, RingOneClosesWithSevenGluedCellsInEitherDirection)
{
    // The same disc that Grow one ring makes around the start cell.
    growRing();
    const std::vector<int> grown = shape();
    for (const std::vector<int>& order : {std::vector<int>{0, 1, 2, 3, 4, 5, 6}, std::vector<int>{0, 6, 5, 4, 3, 2, 1},
                                          std::vector<int>{3, 0, 5, 1, 6, 2, 4}}) {
        resetStore();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        int zipped = 0;
        for (int p : order) {
            const AddGluedReport r = at(p);
            ASSERT_TRUE(r.added) << "at " << p << ": " << r.refusal;
            zipped += r.zipped;
            EXPECT_STORE_VALID();
            EXPECT_EQ(pinchedVertices(), 0) << "after the cell at " << p;
        }
        SCOPED_TRACE(order[1]);
        EXPECT_EQ(shape(), grown);
        EXPECT_GE(zipped, 1) << "the last cell closes the ring";
        for (int p = 0; p < 7; ++p)
            EXPECT_TRUE(vertexFans(p).closed) << p;
        for (int k = 0; k < 7; ++k)
            undo();
        EXPECT_EQ(NOV, 8) << "one undo step a cell";
    }
}

TEST_F(AddGluedTest, RefusalsSayWhyAndChangeNothing)
{
    EXPECT_EQ(addCellRefusal(7), "Vertex 7 is inside the surface: cells grow at boundary vertices in 2 or 4 faces");
    EXPECT_NE(addCellRefusal(-1).find("No vertex is picked"), std::string::npos);
    EXPECT_EQ(addCellRefusal(0), "");
    const int history = historyLength();
    const AddGluedReport inside = at(7);
    EXPECT_FALSE(inside.added);
    EXPECT_EQ(inside.refusal, addCellRefusal(7));
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), history);
    // A cell held at one vertex only: its vertex is pinched, no cell grows there.
    g_purtj = 0;
    addnewpolygon();
    EXPECT_EQ(addCellRefusal(0), "Vertex 0 is pinched: its faces do not form one fan");
    subdiv_level = 2;
    EXPECT_NE(at(1).refusal.find("not subdivided"), std::string::npos);
}

TEST_F(AddGluedTest, RingTwoGrowsOneCellAGestureAlongTheBoundaryEitherWay)
{
    growRing();
    growRing();
    const std::vector<int> grown = shape();
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards);
        resetStore();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        for (int p = 0; p < 7; ++p)
            ASSERT_TRUE(at(p).added);
        // The boundary in its own order; these vertices keep their numbers
        // while ring 2 grows (every glue removes a newer vertex).
        std::vector<int> loop;
        const std::vector<BoundarySide> sides = boundarySides();
        ASSERT_EQ(sides.size(), 28u);
        std::vector<int> next(NOV, -1);
        for (const BoundarySide& s : sides)
            next[s.from] = s.to;
        for (int x = sides[0].from; loop.empty() || x != loop[0]; x = next[x])
            loop.push_back(x);
        ASSERT_EQ(loop.size(), 28u);
        if (backwards)
            std::reverse(loop.begin(), loop.end());
        int gestures = 0;
        for (int p : loop) {
            if (vertexFans(p).faces >= 6)
                continue;  // closed by an earlier cell's glue
            ++gestures;
            const AddGluedReport r = at(p);
            ASSERT_TRUE(r.added) << p << ": " << r.refusal;
            ASSERT_EQ(pinchedVertices(), 0) << "after the cell at " << p;
        }
        EXPECT_EQ(gestures, 21);
        EXPECT_EQ(shape(), grown);
        EXPECT_STORE_VALID();
    }
}
