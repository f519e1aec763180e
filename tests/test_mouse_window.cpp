// Mouse events fed to the canvas's event table: picking, gluing, turning,
// selecting and dragging components, double clicks and the wheel.
#include "app/frame.h"
#include "geometry/relaxation.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/history.h"
#include "model/store.h"
#include "tests/window_harness.h"
#include "view/canvas.h"
#include "view/mouse.h"

namespace {
void mouse(wxEventType type, int x, int y, bool left = false, bool right = false)
{
    sendMouse(type, x, y, left, right, false);
}

// The start-up cell with the given projected vertex positions ("as last drawn").
void cellAt(std::initializer_list<wxPoint> positions)
{
    ReadSampleData(FIRST_SAMPLE);
    g_purtj = g_dragpurtj = -1;
    g_purturb = 0;
    g_dragcomponent = 0;
    interface_mode = 0;
    touch_purturb = false;
    modify_off = false;
    g_rate = 100.0;
    resetMouseState();
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
    int i = 0;
    for (const wxPoint& p : positions)
        gv[i++] = p;
    for (; i < NOV; ++i)
        gv[i] = wxPoint(1000 + 20 * i, 1000);
}
}  // namespace

TEST(Mouse, HoverPicksTheLowestIndexWithinTheSquare)
{
    cellAt({{300, 300}, {100, 100}, {103, 100}});
    mouse(wxEVT_MOTION, 104, 101);  // nearer to vertex 2, but vertex 1 is also within 6
    EXPECT_EQ(g_purtj, 1);
    mouse(wxEVT_MOTION, 105, 95);
    EXPECT_EQ(g_purtj, 1) << "distance 5 is under the pointer";
    mouse(wxEVT_MOTION, 91, 100);  // 9 from vertex 1 and 12 from vertex 2
    EXPECT_EQ(g_purtj, -1);
    cellAt({{300, 300}, {100, 100}});
    mouse(wxEVT_MOTION, 106, 100);
    EXPECT_EQ(g_purtj, -1) << "distance 6 is not";
    EXPECT_TRUE(mainFrame()->canvas->m_timer.IsRunning()) << "every mouse event restarts the timer";
}

TEST(Mouse, WheelActsLikeMotion)
{
    cellAt({{100, 100}});
    const double rate = g_rate;
    const Point3 p = v[5];
    mouse(wxEVT_MOUSEWHEEL, 102, 101);
    EXPECT_EQ(g_purtj, 0);
    EXPECT_EQ(g_rate, rate);
    EXPECT_EQ(v[5].x, p.x);
}

TEST(Mouse, DragFromAPickedVertexGluesOnRelease)
{
    // The cell with a second cell added at vertex 0, vertex 8 drawn over vertex 6.
    cellAt({});
    g_purtj = 0;
    mouse(wxEVT_LEFT_DCLICK, 5000, 5000, true);  // adds a cell at the picked vertex
    ASSERT_EQ(NOV, 15);
    for (int i = 0; i < NOV; ++i)
        gv[i] = wxPoint(20 * i, 400);
    gv[6] = wxPoint(200, 200);
    gv[8] = wxPoint(202, 203);
    const int snapshots = historyLength();

    mouse(wxEVT_MOTION, 200, 203);  // hover: vertex 6
    ASSERT_EQ(g_purtj, 6);
    mouse(wxEVT_LEFT_DOWN, 200, 203, true);
    mouse(wxEVT_MOTION, 201, 203, true);
    EXPECT_EQ(messagetxt, "select another vertex...");
    EXPECT_EQ(g_dragpurtj, 6) << "the lowest index under the pointer is the candidate";
    mouse(wxEVT_LEFT_UP, 201, 203);
    // 6 cannot be glued to itself; 8 (also under the pointer) can.
    EXPECT_EQ(NOV, 14);
    EXPECT_EQ(NOE, 27);
    EXPECT_EQ(historyLength(), snapshots + 1);
    EXPECT_EQ(messagetxt, "Now pasting vertices...");
    EXPECT_EQ(g_purtj, -1);
    EXPECT_EQ(g_dragpurtj, -1);
    EXPECT_EQ(g_purturb, 0);
}

TEST(Mouse, RefusedReleaseChangesNothing)
{
    cellAt({{100, 100}, {200, 200}});
    mouse(wxEVT_MOTION, 100, 100);
    ASSERT_EQ(g_purtj, 0);
    mouse(wxEVT_LEFT_DOWN, 100, 100, true);
    mouse(wxEVT_MOTION, 200, 200, true);
    EXPECT_EQ(g_dragpurtj, 1);
    const int snapshots = historyLength();
    mouse(wxEVT_LEFT_UP, 200, 200);  // 0 and 1 share a face
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), snapshots);
    EXPECT_EQ(g_purtj, 0) << "the picked vertex stays picked";
}

TEST(Mouse, LeftDragTurnsAtOnceInTheNormalModeAndCoastsOtherwise)
{
    cellAt({});
    const Point3 p = v[0];
    mouse(wxEVT_LEFT_DOWN, 200, 200, true);
    mouse(wxEVT_MOTION, 210, 195, true);
    EXPECT_DOUBLE_EQ(g_vangle, 0.1);
    EXPECT_DOUBLE_EQ(g_hangle, -0.05);
    EXPECT_NE(v[0].x, p.x) << "mode 0 turns at once";

    cellAt({});
    interface_mode = 1;
    g_rotate = 0;
    const Point3 q = v[0];
    mouse(wxEVT_LEFT_DOWN, 200, 200, true);
    mouse(wxEVT_MOTION, 210, 195, true);
    EXPECT_EQ(g_rotate, 50);
    EXPECT_EQ(v[0].x, q.x) << "mode 1 leaves the turn to the timer";
    g_rotate = 0;
    interface_mode = 0;
}

TEST(Mouse, RightButtonSelectsDragsAndClearsComponents)
{
    // Two cells, labelled 1 and 2; vertex 8 (component 2) drawn at (300, 300).
    cellAt({});
    ASSERT_TRUE(ReadSampleData(FIRST_SAMPLE));
    const int n = NOV;
    ASSERT_TRUE(wxTranslateData("sample/single.kor", true));
    ASSERT_EQ(NOV, 2 * n);
    fill_conn_comp();
    for (int i = 0; i < NOV; ++i)
        gv[i] = wxPoint(20 * i, 20);
    gv[8] = wxPoint(300, 300);
    gv[0] = wxPoint(500, 300);

    mouse(wxEVT_MOTION, 308, 300);
    EXPECT_EQ(g_purtj, -1) << "8 pixels is beyond the hover radius";
    mouse(wxEVT_RIGHT_DOWN, 308, 300, false, true);
    EXPECT_EQ(g_dragcomponent, 2);
    EXPECT_TRUE(hilighted[2]);
    const std::vector<Point3> before(v, v + NOV);
    mouse(wxEVT_MOTION, 358, 300, false, true);  // 50 pixels to the right
    for (int i = 0; i < NOV; ++i) {
        EXPECT_DOUBLE_EQ(v[i].x, before[i].x + (i >= 8 ? 0.5 : 0.0)) << i;
        EXPECT_EQ(v[i].y, before[i].y);
    }
    mouse(wxEVT_RIGHT_UP, 358, 300);
    mouse(wxEVT_MOTION, 600, 600);
    EXPECT_TRUE(hilighted[2]) << "the selection survives the release";
    mouse(wxEVT_RIGHT_DOWN, 505, 300, false, true);  // component 1 is added
    EXPECT_TRUE(hilighted[1]);
    EXPECT_TRUE(hilighted[2]);
    mouse(wxEVT_RIGHT_UP, 505, 300);
    mouse(wxEVT_RIGHT_DOWN, 900, 900, false, true);  // empty canvas
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        EXPECT_FALSE(hilighted[c]);
    mouse(wxEVT_RIGHT_UP, 900, 900);
}
