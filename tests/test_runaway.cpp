// A surface never runs away: steps that would make positions that are not
// numbers, or far out, are put back and stop their activity with a message;
// sway stops feeding on itself; the face grid takes any positions.
#include "tests/fixture.h"

#include <cmath>
#include <string>

#include "geometry/face_clearance.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/runaway_guard.h"
#include "geometry/self_intersection.h"
#include "geometry/smoothing.h"
#include "geometry/sway_commands.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "view/animation.h"

namespace {
// Sample "torio" as the Sample menu loads it.
void loadTorio()
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/torio.kor", false));
    refreshDerivedData();
    modify();
}

bool allFinite()
{
    for (int i = 0; i < NOV; ++i)
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || !std::isfinite(v[i].z))
            return false;
    return true;
}

double longestEdgeRatio()
{
    double most = 0;
    for (int e = 0; e < NOE; ++e) {
        const Point3 &a = v[edge[e][0]], &b = v[edge[e][1]];
        most = std::max(most, std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                                        (a.z - b.z) * (a.z - b.z)) / phi[e]);
    }
    return most;
}

bool samePositions(const std::vector<Point3>& before)
{
    for (int i = 0; i < NOV; ++i)
        if (v[i].x != before[i].x || v[i].y != before[i].y || v[i].z != before[i].z)
            return false;
    return true;
}
}  // namespace

// Sample torio, Modify off, Pull one point eight times at vertex 0, Repeat
// sway: the spreading fed on itself until positions overflowed. Now the sway
// stops with a message while the surface is still sane.
TEST_F(StoreTest, RepeatSwayWithRelaxationOffStopsBeforeTheSurfaceRunsAway)
{
    loadTorio();
    ASSERT_TRUE(modifyOffCommand());
    g_purtj = 0;
    for (int k = 0; k < 8; ++k)
        ASSERT_TRUE(pullpoint());
    g_purtj = -1;
    const double extent = surfaceExtent();
    ASSERT_TRUE(repeatSwayCommand());
    int ticks = 0;
    bool stopped = false;
    for (; ticks < 20000 && !stopped; ++ticks) {
        const TickResult tick = animationTick();
        stopped = tick.stoppedRunaway;
        ASSERT_TRUE(allFinite()) << "tick " << ticks;
    }
    ASSERT_TRUE(stopped) << "the sway ran " << ticks << " ticks";
    EXPECT_EQ(messagetxt.Find("Stopped swaying: it was pulling the surface apart"), 0) << messagetxt;
    EXPECT_FALSE(g_buruloop);
    EXPECT_EQ(g_buru, 0);
    EXPECT_EQ(g_sway_extent, 0.0);
    EXPECT_LE(surfaceExtent(), SWAY_GROWTH * extent);
    EXPECT_LT(longestEdgeRatio(), 20.0);
    EXPECT_STORE_VALID();
    EXPECT_TRUE(animationTick().stopTimer) << "nothing runs on";
}

// With relaxation on, sway keeps the surface together and repeats for as long
// as it is left on, on every sample small enough to tick quickly.
TEST_F(StoreTest, RepeatSwayWithRelaxationOnRunsOn)
{
    for (const char* name : {"single.kor", "torio.kor", "123-123-123.kor", "22-22-22.kor"}) {
        resetStore();
        ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/" + name, false));
        refreshDerivedData();
        modify();
        repeatSwayCommand();
        for (int k = 0; k < 300; ++k)
            ASSERT_FALSE(animationTick().stoppedRunaway) << name << " tick " << k << ": " << messagetxt;
        EXPECT_TRUE(g_buruloop);
        EXPECT_EQ(g_buru, 1);
    }
}

// A tick whose step would run away leaves the surface exactly as before it,
// clears its activity's flag and says why, for relaxing until stable and for
// repeated smoothing.
TEST_F(StoreTest, ATickThatWouldRunAwayIsPutBackAndStopsItsActivity)
{
    loadTorio();
    const std::vector<Point3> before(v, v + NOV);
    // Target lengths far beyond the surface: one burst would blow it up
    // a billionfold.
    for (int e = 0; e < NOE; ++e)
        phi[e] = 1e28;
    g_modify_until_valid = true;
    TickResult tick = animationTick();
    EXPECT_TRUE(tick.stoppedRunaway);
    EXPECT_FALSE(tick.modifyUntilValidEnded);
    EXPECT_FALSE(g_modify_until_valid);
    EXPECT_EQ(messagetxt.Find("Stopped modifying: the surface would grow"), 0) << messagetxt;
    EXPECT_TRUE(samePositions(before));

    g_smoothen = true;
    tick = animationTick();
    EXPECT_TRUE(tick.stoppedRunaway);
    EXPECT_FALSE(g_smoothen);
    EXPECT_EQ(messagetxt.Find("Stopped smoothing: "), 0) << messagetxt;
    EXPECT_TRUE(samePositions(before));
    EXPECT_TRUE(animationTick().stopTimer);
}

// The guard itself: which positions and lengths it refuses, and its message
// naming the vertex or edge.
TEST_F(StoreTest, RunawayGuardNamesWhatWentWrong)
{
    loadTorio();
    const std::vector<Point3> before(v, v + NOV);
    struct Case {
        double value;
        const char* says;
    };
    for (const Case& c : {Case{std::nan(""), "vertex 5 would go to a position that is not a number"},
                          Case{INFINITY, "vertex 5 would go to a position that is not a number"},
                          Case{-2e30, "vertex 5 would go too far out"}}) {
        const std::string fault = guardedStep([&] { v[5].y = c.value; });
        EXPECT_EQ(fault.find(c.says), 0u) << fault;
        EXPECT_TRUE(samePositions(before));
    }
    // Growth: a millionfold is allowed, more is not.
    EXPECT_EQ(guardedStep([] { v[0].x = 0.9e6 * surfaceExtent(); }), "");
    resetStore();
    loadTorio();
    EXPECT_NE(guardedStep([] { v[0].x = 2e6 * surfaceExtent(); }).find("would grow"), std::string::npos);
    const std::string fault = guardedStep([] { phi[7] = 0; });
    EXPECT_EQ(fault, "edge 7 would have a target length that is not a positive number");

    // Commands outside the timer say why on the status line: a pull whose
    // relaxation burst would blow the surface up is put back.
    resetStore();
    loadTorio();
    const std::vector<Point3> loaded(v, v + NOV);
    for (int e = 0; e < NOE; ++e)
        phi[e] = 1e28;
    g_purtj = 2;
    EXPECT_FALSE(pullpoint());
    EXPECT_TRUE(samePositions(loaded));
    EXPECT_EQ(messagetxt.Find("Not pulled: the surface would grow"), 0) << messagetxt;
}

// Corners near the largest double make face boxes wider than any double: the
// crossing test and the clearance measure still answer, and the grid is built
// from finite slots.
TEST_F(StoreTest, FaceGridTakesPositionsWhoseBoxesOverflow)
{
    NOV = 6;
    v[0] = {1e308, 0, 0};
    v[1] = {-1e308, 0, 0};
    v[2] = {0, 1e308, 0};
    v[3] = {0, 0, 1};
    v[4] = {1, 0, 1};
    v[5] = {0, -1e308, 1};
    NOS = 2;
    face[0][0] = 0, face[0][1] = 1, face[0][2] = 2;
    face[1][0] = 3, face[1][1] = 4, face[1][2] = 5;
    const auto crossings = selfIntersections();
    EXPECT_LE(crossings.size(), 1u);
    EXPECT_GE(smallestFaceClearance(), 0.0);

    // Many small faces and one far out: the grid stays small.
    NOV = 0;
    NOS = 0;
    for (int f = 0; f < 200; ++f) {
        const double x = f == 0 ? 1e300 : f;
        v[NOV] = {x, 0, 0};
        v[NOV + 1] = {x + 0.5, 0, 0};
        v[NOV + 2] = {x, 0.5, 0};
        face[NOS][0] = NOV, face[NOS][1] = NOV + 1, face[NOS][2] = NOV + 2;
        NOV += 3;
        ++NOS;
    }
    EXPECT_TRUE(selfIntersections().empty());
    EXPECT_GT(smallestFaceClearance(), 0.0);
}
