// The motion commands and the timer tick in the running window.
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "tests/window_harness.h"
#include "view/canvas.h"

namespace {
void tick()
{
    wxTimerEvent event(mainFrame()->canvas->m_timer);
    mainFrame()->canvas->OnTimer(event);
}

bool checked(int id)
{
    return mainFrame()->swayMenu->IsChecked(id);
}

// The start-up cell with nothing pending.
void quietCell()
{
    ReadSampleData(FIRST_SAMPLE);
    refreshDerivedData();
    g_purtj = g_dragpurtj = -1;
    g_purturb = 0;
    g_buru = 0;
    g_buruloop = g_smoothen = g_modify_until_valid = modify_off = touch_purturb = g_relax_precisely = false;
    interface_mode = 0;
    for (int id : {ID_TOUCH_PURTURB, ID_BURU_LOOP, ID_REPEAT_SMOOTHING, ID_MODIFY_UNTIL_VALID, ID_MODIFY_OFF,
                   ID_RELAX_PRECISELY})
        mainFrame()->swayMenu->Check(id, false);
}
}  // namespace

TEST(Motion, ModifyUntilStableRelaxesTickByTickAndClearsItsMark)
{
    quietCell();
    sendCommand(ID_MODIFY_UNTIL_VALID);
    EXPECT_TRUE(g_modify_until_valid);
    EXPECT_TRUE(checked(ID_MODIFY_UNTIL_VALID));
    EXPECT_TRUE(mainFrame()->canvas->m_timer.IsRunning());
    int ticks = 0;
    while (g_modify_until_valid && ticks < 100000) {
        tick();
        ASSERT_EQ(messagetxt, "Now modifying ..");
        ++ticks;
    }
    EXPECT_FALSE(checked(ID_MODIFY_UNTIL_VALID));
    tick();
    EXPECT_EQ(messagetxt, " ");
    EXPECT_FALSE(mainFrame()->canvas->m_timer.IsRunning());
    pumpEvents(50);
    EXPECT_EQ(mainFrame()->GetTitle(), "Korvith");
}

TEST(Motion, RelaxPreciselyConvergesOnTheTimerAndUndoesInOneStep)
{
    quietCell();
    for (int i = 0; i < NOV; ++i)
        v[i].z += 0.1 * ((i * 7) % 5 - 2);  // lengths well off their targets
    const std::vector<Point3> start(v, v + NOV);
    const int history = historyLength();
    sendCommand(ID_RELAX_PRECISELY);
    EXPECT_TRUE(g_relax_precisely);
    EXPECT_TRUE(checked(ID_RELAX_PRECISELY));
    EXPECT_TRUE(mainFrame()->canvas->m_timer.IsRunning());
    EXPECT_EQ(historyLength(), history + 1);
    int ticks = 0;
    while (g_relax_precisely && ticks < 1000) {
        tick();
        ASSERT_TRUE(messagetxt.StartsWith("Relaxing precisely: error ")) << messagetxt;
        ++ticks;
    }
    EXPECT_FALSE(checked(ID_RELAX_PRECISELY));
    EXPECT_LE(maxRelativeEdgeError(), PRECISE_TOLERANCE);
    double shown = 1;
    EXPECT_TRUE(messagetxt.AfterLast(' ').ToCDouble(&shown));
    EXPECT_LE(shown, PRECISE_TOLERANCE);
    // The idle tick clears the picture's message; the status bar keeps the error reached.
    const wxString reached = messagetxt;
    tick();
    EXPECT_EQ(messagetxt, " ");
    EXPECT_EQ(mainFrame()->GetStatusBar()->GetStatusText(0), reached);
    sendCommand(ID_UNDO);
    for (int i = 0; i < NOV; ++i)
        EXPECT_EQ(v[i].z, start[i].z);

    // Chosen twice, it stops at once and leaves the surface alone.
    sendCommand(ID_RELAX_PRECISELY);
    sendCommand(ID_RELAX_PRECISELY);
    EXPECT_FALSE(g_relax_precisely);
    EXPECT_FALSE(checked(ID_RELAX_PRECISELY));
    tick();
    EXPECT_EQ(messagetxt, " ");
    EXPECT_EQ(v[0].z, start[0].z);
}

TEST(Motion, ToggleCommandsKeepTheirMarksWithTheFlags)
{
    quietCell();
    sendCommand(ID_TOUCH_PURTURB);
    EXPECT_TRUE(touch_purturb);
    EXPECT_TRUE(checked(ID_TOUCH_PURTURB));
    sendCommand(ID_TOUCH_PURTURB);
    EXPECT_FALSE(checked(ID_TOUCH_PURTURB));

    sendCommand(ID_REPEAT_SMOOTHING);
    EXPECT_TRUE(g_smoothen);
    EXPECT_TRUE(checked(ID_REPEAT_SMOOTHING));
    tick();
    EXPECT_EQ(messagetxt, "Now smoothing..");
    sendCommand(ID_REPEAT_SMOOTHING);
    EXPECT_FALSE(checked(ID_REPEAT_SMOOTHING));

    sendCommand(ID_BURU);
    EXPECT_EQ(g_buru, 3);
    sendCommand(ID_BURU_LOOP);
    EXPECT_TRUE(g_buruloop);
    EXPECT_EQ(g_buru, 1);
    EXPECT_TRUE(checked(ID_BURU_LOOP));
    sendCommand(ID_BURU_LOOP);
    EXPECT_FALSE(checked(ID_BURU_LOOP));
    tick();
    EXPECT_EQ(messagetxt, "Now swaying..");
    tick();
    EXPECT_EQ(messagetxt, " ");
}

TEST(Motion, ModifyOffStopsRelaxingAndRelaxesWhenSwitchedBackOn)
{
    quietCell();
    const Point3 before = v[0];
    sendCommand(ID_MODIFY_OFF);
    EXPECT_TRUE(modify_off);
    EXPECT_TRUE(checked(ID_MODIFY_OFF));
    EXPECT_EQ(v[0].x, before.x);
    sendCommand(ID_MODIFY_OFF);
    EXPECT_FALSE(checked(ID_MODIFY_OFF));
    EXPECT_NE(v[0].x, before.x) << "switching relaxation on relaxes one burst";
}

TEST(Motion, SmoothenSmoothsRelaxesAndRecentres)
{
    quietCell();
    const Point3 centre = v[7];
    sendCommand(ID_SMOOTH);
    Point3 mean{0, 0, 0};
    for (int i = 0; i < NOV; ++i)
        mean = Point3{mean.x + v[i].x, mean.y + v[i].y, mean.z + v[i].z};
    EXPECT_NEAR(mean.x, 0, 1e-12);
    EXPECT_NEAR(mean.z, 0, 1e-12);
    EXPECT_NE(v[7].z, centre.z);
}

TEST(Motion, PullOnePointAndMirror)
{
    quietCell();
    modify_off = true;
    const double z = v[4].z;
    sendCommand(ID_PULL_POINT);  // nothing picked: nothing happens
    EXPECT_EQ(v[4].z, z);
    g_purtj = 4;
    sendCommand(ID_PULL_POINT);
    EXPECT_DOUBLE_EQ(v[4].z, z - 0.3);
    const double x = v[4].x;
    sendCommand(ID_MIRROR);
    EXPECT_EQ(v[4].x, -x);
    modify_off = false;
}
