#include "tests/fixture.h"

#include <cmath>

#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "io/reader.h"
#include "model/components.h"

namespace {
void expectPoint(const Point3& p, double x, double y, double z)
{
    EXPECT_NEAR(p.x, x, 1e-15);
    EXPECT_NEAR(p.y, y, 1e-15);
    EXPECT_NEAR(p.z, z, 1e-15);
}

// Two single cells side by side, labelled 1 and 2.
void twoCells(const std::string& path)
{
    ASSERT_TRUE(wxTranslateData(path, false));
    ASSERT_TRUE(wxTranslateData(path, true));
    fill_conn_comp();
}
}  // namespace

TEST_F(StoreTest, RotationAboutTheOrigin)
{
    NOV = 3;
    v[0] = {1, 0, 0};
    v[1] = {0, 0, 1};
    v[2] = {0, 1, 0};
    rotatepoly(M_PI / 2, 0);
    expectPoint(v[0], 0, 0, 1);
    expectPoint(v[1], -1, 0, 0);
    expectPoint(v[2], 0, 1, 0);
    v[0] = {0, 1, 0};
    v[1] = {0, 0, 1};
    rotatepoly(0, M_PI / 2);
    expectPoint(v[0], 0, 0, -1);
    expectPoint(v[1], 0, 1, 0);
}

TEST_F(StoreTest, RotationOfASelectedComponentAboutItsCentroid)
{
    twoCells(writeFile(kSingleCellFile));
    std::vector<Point3> before(v, v + NOV);
    hilighted[2] = true;
    rotatepoly(0.7, -0.3);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(v[i].x, before[i].x);
    Point3 c{0, 0, 0};
    for (int i = 8; i < 16; ++i)
        c = Point3{c.x + v[i].x / 8, c.y + v[i].y / 8, c.z + v[i].z / 8};
    EXPECT_NEAR(c.x, compCenter[2].x, 1e-12);
    EXPECT_NEAR(c.y, compCenter[2].y, 1e-12);
    EXPECT_NEAR(c.z, compCenter[2].z, 1e-12);
    EXPECT_NE(v[8].x, before[8].x);
}

TEST_F(StoreTest, SelectionAtLabelZeroCountsAsNone)
{
    twoCells(writeFile(kSingleCellFile));
    hilighted[0] = true;
    EXPECT_FALSE(anyComponentSelected());
    const Point3 p = v[3];
    mirrorpoly();
    EXPECT_EQ(v[3].x, -p.x);
    EXPECT_EQ(v[11].x, -(p.x + 2.0));
}

TEST_F(StoreTest, MirrorTwiceRestoresEverything)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    const std::vector<Point3> p(v, v + NOV);
    const std::vector<int> f(&face[0][0], &face[0][0] + 3 * NOS);
    mirrorpoly();
    EXPECT_EQ(face[0][1], 7);
    EXPECT_EQ(face[0][2], 1);
    mirrorpoly();
    for (int i = 0; i < NOV; ++i)
        EXPECT_EQ(v[i].x, p[i].x);
    EXPECT_EQ(std::vector<int>(&face[0][0], &face[0][0] + 3 * NOS), f);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, MirrorOfASelectedComponent)
{
    twoCells(writeFile(kSingleCellFile));
    const std::vector<Point3> p(v, v + NOV);
    hilighted[2] = true;
    mirrorpoly();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(v[i].x, p[i].x);
    for (int f = 0; f < 7; ++f)
        EXPECT_EQ(face[f][1], (f + 1) % 7) << "faces of the unselected cell keep their order";
    for (int i = 8; i < 16; ++i)
        EXPECT_DOUBLE_EQ(v[i].x, 2 * compCenter[2].x - p[i].x);
    EXPECT_EQ(face[7][1], 15);
    EXPECT_EQ(face[7][2], 9);
}

TEST_F(StoreTest, OffsetMovesTheVertexCentroidToTheOrigin)
{
    NOV = 2;
    v[0] = {0, 0, 0};
    v[1] = {2, 4, 6};
    offsetpolygon();
    expectPoint(v[0], -1, -2, -3);
    expectPoint(v[1], 1, 2, 3);
    NOV = 0;
    offsetpolygon();  // nothing to do
}

TEST_F(StoreTest, PerturbationOffsets)
{
    EXPECT_NEAR(purturbOffset(1), 0.059840, 5e-7);
    EXPECT_NEAR(purturbOffset(2), 0.105778, 5e-7);
    EXPECT_NEAR(purturbOffset(10), -0.077497, 5e-7);
    EXPECT_NEAR(purturbOffset(49), 0.0000436, 5e-8);
    double total = 0;
    for (int p = 1; p <= 49; ++p)
        total += purturbOffset(p);
    EXPECT_NEAR(total, 0.39347, 5e-6);
}

TEST_F(StoreTest, PullAndPerturbNeedALivePickedVertex)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    modify_off = true;
    const std::vector<Point3> p(v, v + NOV);
    g_purtj = -1;
    EXPECT_FALSE(pullpoint());
    g_purtj = NOV;  // left beyond the surface by an edit that shrank it
    EXPECT_FALSE(pullpoint());
    g_purturb = 1;
    purturbStep();
    for (int i = 0; i < MAX_VERTICES; ++i)
        ASSERT_EQ(v[i].z, i < NOV ? p[i].z : 0.0);
    g_purtj = 2;
    EXPECT_TRUE(pullpoint());
    EXPECT_DOUBLE_EQ(v[2].z, p[2].z - 0.3);
    purturbStep();
    EXPECT_DOUBLE_EQ(v[2].z, p[2].z - 0.3 + purturbOffset(1));
}
