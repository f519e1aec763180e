#include "tests/fixture.h"

#include <cmath>

#include "construct/add_cell.h"
#include "construct/glue.h"
#include "io/reader.h"
#include "model/history.h"

namespace {
void expectNear(const Point3& p, double x, double y, double z)
{
    EXPECT_NEAR(p.x, x, 5e-7);
    EXPECT_NEAR(p.y, y, 5e-7);
    EXPECT_NEAR(p.z, z, 5e-7);
}
void expectEdge(int e, int a, int b)
{
    EXPECT_EQ(edge[e][0], a) << "edge " << e;
    EXPECT_EQ(edge[e][1], b) << "edge " << e;
}
void expectFace(int f, int a, int b, int c)
{
    EXPECT_EQ(face[f][0], a) << "face " << f;
    EXPECT_EQ(face[f][1], b) << "face " << f;
    EXPECT_EQ(face[f][2], c) << "face " << f;
}
double dist(const Point3& a, const Point3& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}
}  // namespace

class AddCellTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    }
};

TEST_F(AddCellTest, WorkedExample)
{
    g_purtj = 0;
    revised_facedata = false;
    addnewpolygon();
    EXPECT_EQ(NOV, 15);
    EXPECT_EQ(NOE, 28);
    EXPECT_EQ(NOS, 14);
    expectNear(v[8], 1.319705, 0.256371, -0.147705);
    expectNear(v[9], 2.096428, 0.233705, -0.262413);
    expectNear(v[10], 2.569404, -0.385286, -0.322641);
    expectNear(v[11], 2.382472, -1.134489, -0.283036);
    expectNear(v[12], 1.676395, -1.449739, -0.173422);
    expectNear(v[13], 0.982864, -1.093646, -0.076340);
    expectNear(v[14], 1.693056, -0.558206, -0.190065);
    expectEdge(14, 0, 8);
    for (int k = 1; k <= 5; ++k)
        expectEdge(14 + k, 7 + k, 8 + k);
    expectEdge(20, 0, 13);
    expectEdge(21, 0, 14);
    for (int k = 0; k <= 5; ++k)
        expectEdge(22 + k, 8 + k, 14);
    for (int e = 14; e < 28; ++e)
        EXPECT_EQ(phi[e], e < 21 ? RIM_LENGTH : SPOKE_LENGTH);
    expectFace(7, 0, 8, 14);
    for (int k = 1; k <= 5; ++k)
        expectFace(7 + k, 7 + k, 8 + k, 14);
    expectFace(13, 13, 0, 14);
    EXPECT_NEAR(dist(v[8], v[6]), 0.695, 5e-4);
    EXPECT_NEAR(dist(v[13], v[1]), 0.695, 5e-4);
    EXPECT_TRUE(revised_facedata);
    EXPECT_EQ(historyLength(), 1) << "the snapshot is the command's (addCellCommand), not the cell's";
    EXPECT_EQ(g_purtj, 0) << "the pick stays";
    EXPECT_STORE_VALID();

    // The same vertex again: four faces in two unglued chains, nothing is added.
    addnewpolygon();
    EXPECT_EQ(NOV, 15);
    EXPECT_EQ(historyLength(), 1);
}

TEST_F(AddCellTest, NothingWithoutALivePickedVertex)
{
    g_purtj = -1;
    revised_face2edge = false;
    addnewpolygon();
    EXPECT_EQ(NOV, 8);
    EXPECT_TRUE(revised_face2edge) << "the flags are raised on every call";
    g_purtj = 20;  // beyond the surface
    addnewpolygon();
    EXPECT_EQ(NOV, 8);
    g_purtj = 7;  // the centre lies in 7 faces
    addnewpolygon();
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), 1);
}

TEST_F(AddCellTest, FourFaceBranchAfterAPaste)
{
    g_purtj = 0;
    addnewpolygon();
    ASSERT_EQ(pasteRefusal(8, 6), "");
    pasteVertices(8, 6);
    EXPECT_EQ(NOV, 14);
    g_purtj = 0;
    const Point3 p0 = v[0], p6 = v[6];
    addnewpolygon();
    ASSERT_EQ(NOV, 21);
    // The new centre is the mirror image of vertex 6 through vertex 0.
    expectNear(v[20], 2 * p0.x - p6.x, 2 * p0.y - p6.y, 2 * p0.z - p6.z);
    EXPECT_STORE_VALID();
}

TEST_F(AddCellTest, CapacityBoundaries)
{
    g_purtj = 0;
    NOV = 29993;
    addnewpolygon();
    EXPECT_EQ(NOV, 29993);
    NOV = 29992;
    addnewpolygon();
    EXPECT_EQ(NOV, 29999);

    resetStore();
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    g_purtj = 0;
    for (; NOE < 59986; ++NOE) {  // duplicates of a rim edge away from vertex 0
        edge[NOE][0] = 2;
        edge[NOE][1] = 3;
        phi[NOE] = RIM_LENGTH;
    }
    addnewpolygon();
    EXPECT_EQ(NOE, 59986);
    NOE = 59985;
    addnewpolygon();
    EXPECT_EQ(NOE, 59999);

    resetStore();
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    g_purtj = 0;
    for (; NOS < 39993; ++NOS) {
        face[NOS][0] = 2;
        face[NOS][1] = 3;
        face[NOS][2] = 7;
    }
    addnewpolygon();
    EXPECT_EQ(NOS, 39993);
    NOS = 39992;
    addnewpolygon();
    EXPECT_EQ(NOS, 39999);
    // Without the filler faces (copies of one face, three at each of its
    // sides), the cell is sound.
    for (int f = 0; f < 7; ++f)
        for (int k = 0; k < 3; ++k)
            face[7 + f][k] = face[39992 + f][k];
    NOS = 14;
    EXPECT_STORE_VALID();
}
