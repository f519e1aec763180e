#include "tests/fixture.h"

#include <cmath>

#include "geometry/relaxation.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "geometry/rigid_motion.h"
#include "view/animation.h"

namespace {
// The one cell, relaxed until it settles.
void relaxedCell(const std::string& path)
{
    ASSERT_TRUE(wxTranslateData(path, false));
    refreshDerivedData();
    while (!modify()) {
    }
}
}  // namespace

TEST_F(StoreTest, IdleTickClearsTheMessageAndStopsTheTimer)
{
    messagetxt = "Now pasting vertices...";
    g_purturb = 0;
    const TickResult tick = animationTick();
    EXPECT_TRUE(tick.stopTimer);
    EXPECT_EQ(messagetxt, " ");
}

TEST_F(StoreTest, SwayRunsThreeTicksThenStops)
{
    relaxedCell(writeFile(kSingleCellFile));
    g_purturb = 0;
    g_buru = 3;
    for (int k = 0; k < 3; ++k) {
        EXPECT_FALSE(animationTick().stopTimer);
        EXPECT_EQ(messagetxt, "Now swaying..");
    }
    EXPECT_EQ(g_buru, 0);
    EXPECT_TRUE(animationTick().stopTimer);
}

TEST_F(StoreTest, RepeatSwayRunsUntilSwitchedOffThenOnceMore)
{
    relaxedCell(writeFile(kSingleCellFile));
    g_purturb = 0;
    g_buruloop = true;  // what "Repeat sway" does when switched on
    g_buru = 1;
    for (int k = 0; k < 20; ++k)
        ASSERT_EQ(animationTick().stopTimer, false);
    EXPECT_EQ(g_buru, 1);
    g_buruloop = false;  // switched off again
    g_buru = 1;
    EXPECT_FALSE(animationTick().stopTimer);
    EXPECT_EQ(messagetxt, "Now swaying..");
    EXPECT_TRUE(animationTick().stopTimer);
}

TEST_F(StoreTest, CoastingRotationDecaysInTheOtherModesOnly)
{
    NOV = 1;
    v[0] = {1, 0, 0};
    g_purturb = 0;
    interface_mode = 1;
    g_vangle = 0.1;  // a drag step of 10 pixels to the right
    g_hangle = 0.0;
    g_rotate = 50;
    double angle = 0;
    const double expected[] = {0.1, 0.09604, 0.09216};
    for (int k = 0; k < 50; ++k) {
        EXPECT_FALSE(animationTick().stopTimer);
        EXPECT_EQ(messagetxt, "Now rotating..");
        const double now = std::atan2(v[0].z, v[0].x);
        if (k < 3) {
            EXPECT_NEAR(now - angle, expected[k], 1e-12);
        }
        angle = now;
    }
    EXPECT_EQ(g_rotate, 0);
    EXPECT_NEAR(angle, 0.1 * 17.17, 1e-9);
    EXPECT_TRUE(animationTick().stopTimer);

    interface_mode = 0;
    g_rotate = 50;
    EXPECT_TRUE(animationTick().stopTimer) << "the Normal mode never coasts";
    EXPECT_EQ(g_rotate, 50);
}

TEST_F(StoreTest, PerturbationPausesSmoothingAndEndsWithNoVertexPicked)
{
    relaxedCell(writeFile(kSingleCellFile));
    interface_mode = 1;
    g_smoothen = true;
    g_purtj = 3;
    g_purturb = 1;
    modify_off = true;  // the nudges alone
    const double z = v[3].z;
    double sum = 0;
    for (int p = 1; p <= 49; ++p) {
        animationTick();
        ASSERT_EQ(messagetxt, "Now purturbing..") << "step " << p;
        sum += purturbOffset(p);
    }
    EXPECT_EQ(g_purturb, 0);
    EXPECT_EQ(g_purtj, -1);
    EXPECT_NEAR(v[3].z - z, sum, 1e-12);
    animationTick();
    EXPECT_EQ(messagetxt, "Now smoothing..");
}

TEST_F(StoreTest, PerturbationInTheNormalModeLastsOneTick)
{
    relaxedCell(writeFile(kSingleCellFile));
    interface_mode = 0;
    g_purtj = 3;
    g_purturb = 1;
    animationTick();
    EXPECT_EQ(messagetxt, "Now purturbing..");
    EXPECT_EQ(g_purturb, 0);
    EXPECT_EQ(g_purtj, -1);
}

TEST_F(StoreTest, PerturbationIgnoresAPickBeyondTheSurface)
{
    relaxedCell(writeFile(kSingleCellFile));
    g_purtj = NOV + 3;
    g_purturb = 1;
    v[NOV + 3] = {0, 0, 0};
    EXPECT_TRUE(animationTick().stopTimer);
    EXPECT_EQ(v[NOV + 3].z, 0.0);
}

TEST_F(StoreTest, ModifyUntilStableEndsOnASettledSurface)
{
    relaxedCell(writeFile(kSingleCellFile));
    g_purturb = 0;
    g_modify_until_valid = true;
    const TickResult tick = animationTick();
    EXPECT_EQ(messagetxt, "Now modifying ..");
    EXPECT_TRUE(tick.modifyUntilValidEnded);
    EXPECT_FALSE(g_modify_until_valid);
    EXPECT_TRUE(animationTick().stopTimer);

    modify_off = true;  // switched off, the relaxation never reports success
    g_modify_until_valid = true;
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(animationTick().modifyUntilValidEnded);
    EXPECT_TRUE(g_modify_until_valid);
}
