#include "tests/fixture.h"

#include "construct/copy_remove.h"
#include "construct/subdivision.h"
#include "io/reader.h"
#include "model/components.h"
#include "model/history.h"
#include "model/topology.h"

class CellTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        fill_conn_comp();
    }
};

TEST_F(CellTest, PlainCopy)
{
    const std::vector<Point3> p(v, v + 8);
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(NOE, 28);
    EXPECT_EQ(NOS, 14);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[8 + i].x, p[i].x + 2.0);
        EXPECT_EQ(v[8 + i].y, p[i].y);
        EXPECT_EQ(v[8 + i].z, p[i].z);
    }
    for (int e = 0; e < 14; ++e) {
        EXPECT_EQ(edge[14 + e][0], edge[e][0] + 8);
        EXPECT_EQ(edge[14 + e][1], edge[e][1] + 8);
        EXPECT_EQ(phi[14 + e], phi[e]);
    }
    for (int f = 0; f < 7; ++f)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(face[7 + f][k], face[f][k] + 8);
    EXPECT_EQ(historyLength(), 2);
    EXPECT_FALSE(NOfaceOfVertex_on);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, MirrorCopy)
{
    const std::vector<Point3> p(v, v + 8);
    ASSERT_TRUE(addcopy(true));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[8 + i].x, 2.0 - p[i].x);
        EXPECT_EQ(v[8 + i].y, p[i].y);
    }
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(face[7 + f][0], face[f][0] + 8);
        EXPECT_EQ(face[7 + f][1], face[f][2] + 8);
        EXPECT_EQ(face[7 + f][2], face[f][1] + 8);
    }
}

TEST_F(CellTest, CopyExtendsTheLabels)
{
    NOcomp = 2;
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(conn_comp[8], 3);
    EXPECT_EQ(NOcomp, 4);
    fill_conn_comp();
    EXPECT_EQ(conn_comp[8], 2);
    EXPECT_EQ(NOcomp, 3);

    // Labels past the component tables are never handed out.
    NOcomp = 60;
    for (int i = 0; i < NOV; ++i)
        conn_comp[i] = 50;
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(NOcomp, 99);
    EXPECT_EQ(conn_comp[16], 0) << "50 + 60 does not fit: no component";
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, CopyCapacityBoundaries)
{
    auto tryCopy = [](int nv, int ne, int ns) {
        NOV = nv;
        NOE = ne;
        NOS = ns;
        for (int e = 14; e < ne; ++e) {
            edge[e][0] = 0, edge[e][1] = 1, phi[e] = 1.0;
        }
        for (int f = 7; f < ns; ++f)
            face[f][0] = 0, face[f][1] = 1, face[f][2] = 7;
        const int snapshots = historyLength();
        const bool made = addcopy(false);
        EXPECT_EQ(historyLength(), snapshots + (made ? 1 : 0));
        return made;
    };
    EXPECT_FALSE(tryCopy(15001, 14, 7));
    EXPECT_TRUE(tryCopy(15000, 15000, 6666));
    EXPECT_EQ(NOV, 30000);
    EXPECT_EQ(NOE, 30000);
    EXPECT_EQ(NOS, 13332);
    EXPECT_FALSE(tryCopy(8, 15001, 7));
    EXPECT_FALSE(tryCopy(8, 14, 6667));
}

TEST_F(CellTest, RemovingTheCentreLeavesTheRim)
{
    remove(7);
    EXPECT_EQ(NOV, 7);
    EXPECT_EQ(NOE, 7);
    EXPECT_EQ(NOS, 0);
    for (int e = 0; e < 7; ++e)
        EXPECT_LT(phi[e], 0.85);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, RemovingARimVertexRenumbers)
{
    const Point3 p1 = v[1];
    remove(0);
    EXPECT_EQ(NOV, 7);
    EXPECT_EQ(NOE, 11);
    EXPECT_EQ(NOS, 5);
    EXPECT_EQ(v[0].x, p1.x);
    // Old faces (1,2,7) ... (5,6,7) remain as (0,1,6) ... (4,5,6).
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(face[f][0], f);
        EXPECT_EQ(face[f][1], f + 1);
        EXPECT_EQ(face[f][2], 6);
    }
    EXPECT_EQ(getEdgeIncludeVertices(0, 6), 5) << "old spoke (1, 7)";
    for (int e = 0; e < NOE; ++e)
        EXPECT_LT(std::max(edge[e][0], edge[e][1]), 7);
    remove(NOV);  // not a live vertex: nothing happens
    EXPECT_EQ(NOV, 7);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, FlipTwiceRestoresEveryFace)
{
    const std::vector<int> f(&face[0][0], &face[0][0] + 3 * NOS);
    flipFace();
    EXPECT_EQ(face[0][1], 7);
    EXPECT_EQ(face[0][2], 1);
    flipFace();
    EXPECT_EQ(std::vector<int>(&face[0][0], &face[0][0] + 3 * NOS), f);
}

TEST_F(CellTest, KagoRemovesTheCentreOfASubdividedCell)
{
    ASSERT_TRUE(subdiv(2));
    kago();
    EXPECT_EQ(NOV, 21);
    EXPECT_EQ(NOE, 42);
    EXPECT_EQ(NOS, 21);
    for (int i = 0; i < NOV; ++i)
        EXPECT_LT(numberOfFacesIncludeVertex(i), 7);
    EXPECT_STORE_VALID();
}
