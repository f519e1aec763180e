#include "tests/fixture.h"

#include <cmath>
#include <vector>

#include "geometry/face_clearance.h"
#include "geometry/gap_relaxation.h"
#include "geometry/self_intersection.h"
#include "io/reader.h"
#include "model/edge_error.h"
#include "tests/surface_generators.h"

TEST(GapRelaxation, ClosestPointsCarryTheirWeights)
{
    const double a[3] = {0, 0, 0}, b[3] = {2, 0, 0}, c[3] = {0, 2, 0};
    // inside, on a side, at a corner: the weights give back the closest point
    const double points[][3] = {{0.5, 0.5, 1}, {1, -1, 0.5}, {3, 3, -1}, {-1, -1, 0}, {1.5, 1.5, 0}};
    for (const auto& p : points) {
        double closest[3], w[3];
        closestPointAndWeightsOnTriangle(p, a, b, c, closest, w);
        EXPECT_NEAR(w[0] + w[1] + w[2], 1, 1e-15);
        for (int d = 0; d < 3; ++d) {
            EXPECT_GE(w[d], -1e-15);
            EXPECT_NEAR(w[0] * a[d] + w[1] * b[d] + w[2] * c[d], closest[d], 1e-15);
        }
        EXPECT_NEAR(pointTriangleDistance(p, a, b, c), std::sqrt((p[0] - closest[0]) * (p[0] - closest[0]) +
                                                                 (p[1] - closest[1]) * (p[1] - closest[1]) +
                                                                 (p[2] - closest[2]) * (p[2] - closest[2])),
                    1e-15);
    }
    // Crossing segments 0.25 apart meet at their middles; parallel ones at an end.
    double s, t;
    const double p0[3] = {-1, 0, 0}, p1[3] = {1, 0, 0}, q0[3] = {0, -1, 0.25}, q1[3] = {0, 3, 0.25};
    closestPointsOfSegments(p0, p1, q0, q1, &s, &t);
    EXPECT_NEAR(s, 0.5, 1e-15);
    EXPECT_NEAR(t, 0.25, 1e-15);
    const double r0[3] = {3, 1, 0}, r1[3] = {5, 1, 0};
    closestPointsOfSegments(p0, p1, r0, r1, &s, &t);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(t, 0);
}

class GapRelaxationTest : public StoreTest {};

// Two cells, one lying 0.03 over the other: the run lifts them to the gap
// while every edge comes to its length, and never through each other. Every
// face has a corner on the boundary, so the wider gap is the one kept.
TEST_F(GapRelaxationTest, PushesFacesApartToTheGapWhileTheEdgesMeetTheirLengths)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    ASSERT_TRUE(replicate(2));
    const int half = NOV / 2;
    for (int i = 0; i < half; ++i)
        v[half + i] = {v[i].x + 0.01, v[i].y, v[i].z + 0.03};
    ASSERT_TRUE(selfIntersections().empty());
    ASSERT_LT(smallestFaceClearance(), 0.031);
    GapRelaxation run(0.1, 0.2, 1e3, 0.05, 1e-4);
    EXPECT_EQ(run.run(5000), GapState::Done);
    EXPECT_GT(run.steps(), 0);
    EXPECT_GE(smallestFaceClearance(), 0.2);
    EXPECT_LT(maxRelativeEdgeError(), 1e-4);
    EXPECT_TRUE(selfIntersections().empty());
    // A finished run stays finished.
    const std::vector<Point3> after(v, v + NOV);
    EXPECT_EQ(run.run(10), GapState::Done);
    for (int i = 0; i < NOV; ++i)
        EXPECT_TRUE(v[i].x == after[i].x && v[i].y == after[i].y && v[i].z == after[i].z);
}

// A run kept between ticks gives up, moving nothing, when something else
// has changed the surface since its last call.
TEST_F(GapRelaxationTest, AChangedSurfaceEndsTheRunUntouched)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    ASSERT_TRUE(replicate(2));
    const int half = NOV / 2;
    for (int i = 0; i < half; ++i)
        v[half + i] = {v[i].x, v[i].y, v[i].z + 0.02};
    GapRelaxation run(0.1, 0.1, 1e3, 0.05, 1e-6);
    ASSERT_EQ(run.run(3), GapState::Running);
    v[0].x += 0.5;
    const std::vector<Point3> moved(v, v + NOV);
    EXPECT_EQ(run.run(100), GapState::Stale);
    for (int i = 0; i < NOV; ++i)
        EXPECT_TRUE(v[i].x == moved[i].x && v[i].y == moved[i].y && v[i].z == moved[i].z);

    // Stopped after a change that crosses faces (an Undo under the window's
    // run), it puts none of its own positions back into the surface now there.
    GapRelaxation stopped(0.1, 0.1, 1e3, 0.05, 1e-6);
    ASSERT_EQ(stopped.run(3), GapState::Running);
    for (int i = 0; i < half; ++i)
        v[half + i] = {v[i].x + 0.3, v[i].y + 0.2, v[i].z + (i % 2 ? 0.2 : -0.2)};
    ASSERT_FALSE(selfIntersections().empty());
    const std::vector<Point3> crossed(v, v + NOV);
    EXPECT_EQ(stopped.stop(), GapState::Stale);
    for (int i = 0; i < NOV; ++i)
        EXPECT_TRUE(v[i].x == crossed[i].x && v[i].y == crossed[i].y && v[i].z == crossed[i].z) << i;
}

// A corner that is not a number gives an energy that is not one: no step is
// taken and the run ends, moving nothing.
TEST_F(GapRelaxationTest, ACornerThatIsNotANumberEndsTheRunUnmoved)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    v[3].y = std::nan("");
    const std::vector<Point3> before(v, v + NOV);
    GapRelaxation run(0.1, 0.1, 1e3, 0.05, 1e-6);
    EXPECT_EQ(run.run(100), GapState::Stuck);
    for (int i = 0; i < NOV; ++i) {
        if (i == 3)
            continue;
        EXPECT_TRUE(v[i].x == before[i].x && v[i].y == before[i].y && v[i].z == before[i].z) << i;
    }
}
