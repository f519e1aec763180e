#include "tests/fixture.h"

#include <cmath>

#include "model/derived_data.h"
#include "view/projection.h"

TEST_F(StoreTest, ProjectionFloorsBeforeTheSignChange)
{
    g_centerx = 320;
    g_centery = 220;
    NOV = 3;
    v[0] = {1.0, 0.5, 7};
    v[1] = {-0.004, -0.004, 0};
    v[2] = {1e300, std::nan(""), 0};
    projectVertices();
    EXPECT_EQ(gv[0], wxPoint(420, 170));
    EXPECT_EQ(gv[1], wxPoint(319, 221));
    EXPECT_EQ(gv[2].x, 320 + 1000000) << "far coordinates are held at the device range";
    EXPECT_EQ(gv[2].y, 220 + 1000000) << "a coordinate that is no number goes off the picture";
}

TEST_F(StoreTest, PickDistanceIsTheLargerDifference)
{
    EXPECT_EQ(distance(wxPoint(100, 100), wxPoint(105, 95)), 5);
    EXPECT_EQ(distance(wxPoint(100, 100), wxPoint(106, 100)), 6);
    EXPECT_EQ(distance(wxPoint(3, 4), wxPoint(0, 0)), 4);
}

TEST_F(StoreTest, PaintersOrderDeepestFirstAndHigherIndexFirstOnTies)
{
    NOV = 6;
    NOS = 3;
    for (int i = 0; i < 3; ++i)
        v[i] = {0, 0, 0};
    for (int i = 3; i < 6; ++i)
        v[i] = {0, 0, 1};
    face[0][0] = 0, face[0][1] = 1, face[0][2] = 2;  // mean z 0
    face[1][0] = 3, face[1][1] = 4, face[1][2] = 5;  // mean z 1
    face[2][0] = 2, face[2][1] = 1, face[2][2] = 0;  // mean z 0, a tie with face 0
    computeDepthKeys();
    EXPECT_EQ(center[1], 1.0);
    computePaintingOrder();
    EXPECT_EQ(order[0], 1);
    EXPECT_EQ(order[1], 2);
    EXPECT_EQ(order[2], 0);
}

TEST_F(StoreTest, PaintersOrderWithKeysThatAreNotNumbers)
{
    NOS = 5;
    const double nan = std::nan("");
    const double keys[] = {nan, 2.0, nan, 1.0, 3.0};
    for (int f = 0; f < NOS; ++f) {
        center[f] = keys[f];
        order[f] = 0;
    }
    computePaintingOrder();
    // Faces 4, 1, 3 take positions 0, 1, 2; faces 0 and 2 also take position 0,
    // where face 4 (the highest index there) stays; positions 3 and 4 keep face 0.
    EXPECT_EQ(order[0], 4);
    EXPECT_EQ(order[1], 1);
    EXPECT_EQ(order[2], 3);
    EXPECT_EQ(order[3], 0);
    EXPECT_EQ(order[4], 0);
    center[4] = 0.5;
    computePaintingOrder();
    EXPECT_EQ(order[0], 2) << "the face without a key outranks the deepest face by index";
}

TEST_F(StoreTest, AngleSumMarkIntensities)
{
    subdiv_level = 1;
    const double t = theoryCurvature();
    NOfaceOfVertex[0] = 6;
    RGBColour c{1, 2, 3};
    auto markFor = [&](double sum, RGBColour* out) {
        curvature[0] = sum;
        return angleSumMark(0, t, out);
    };
    ASSERT_TRUE(markFor(t + 0.0105, &c));
    EXPECT_EQ(c, (RGBColour{0, 0, 0}));
    ASSERT_TRUE(markFor(t + 0.5, &c));
    EXPECT_EQ(c, (RGBColour{122, 0, 0}));
    ASSERT_TRUE(markFor(t + 2, &c));
    EXPECT_EQ(c, (RGBColour{255, 0, 0}));
    ASSERT_TRUE(markFor(t - 0.3, &c));
    EXPECT_EQ(c, (RGBColour{0, 72, 0}));
    EXPECT_FALSE(markFor(t + 0.01, &c)) << "exactly the tolerance gives no mark";
    EXPECT_FALSE(markFor(t - 0.01, &c));
    EXPECT_FALSE(markFor(std::nan(""), &c));
    NOfaceOfVertex[0] = 5;
    EXPECT_FALSE(markFor(t + 2, &c)) << "boundary vertices are never marked";
}

TEST_F(StoreTest, WindowTitleFollowsTheMessage)
{
    EXPECT_EQ(windowTitleFor(" "), "Korvith");
    EXPECT_EQ(windowTitleFor("Now smoothing.."), "Now smoothing..");
    EXPECT_EQ(windowTitleFor(""), "");
}

TEST_F(StoreTest, SelectionIsJudgedByCornerZero)
{
    NOV = 3;
    NOS = 1;
    face[0][0] = 0, face[0][1] = 1, face[0][2] = 2;
    conn_comp[0] = 2;
    conn_comp[1] = 1;
    hilighted[1] = true;
    EXPECT_FALSE(isFaceSelected(0));
    hilighted[2] = true;
    EXPECT_TRUE(isFaceSelected(0));
}
