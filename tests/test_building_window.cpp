// Building by hand in the window: Shift + double click adds a glued cell, and
// every refused gesture or command says why in the status bar, as does a glue
// that pinches a vertex.
#include <wx/statusbr.h>

#include <vector>

#include "app/command_ids.h"
#include "app/frame.h"
#include "construct/add_cell.h"
#include "construct/edit_commands.h"
#include "io/sample_loader.h"
#include "model/history.h"
#include "model/store.h"
#include "model/vertex_fans.h"
#include "tests/window_harness.h"
#include "view/canvas.h"
#include "view/mouse.h"
#include "view/scene.h"

namespace {
void mouse(wxEventType type, int x, int y, bool left = false, bool shift = false)
{
    sendMouse(type, x, y, left, false, shift);
}

wxString status()
{
    return mainFrame()->GetStatusBar()->GetStatusText(0);
}

// The start-up cell, every vertex drawn at its own place on a row.
void startCell()
{
    ReadSampleData(FIRST_SAMPLE);
    g_purtj = g_dragpurtj = -1;
    g_purturb = 0;
    interface_mode = 0;
    touch_purturb = false;
    resetMouseState();
}

// Every vertex drawn 20 pixels apart on a row, so that each is picked alone.
void spreadOut()
{
    for (int i = 0; i < NOV; ++i)
        gv[i] = wxPoint(20 + 20 * (i % 60), 40 + 20 * (i / 60));
}

// Hovers over vertex p and double clicks there.
void doubleClickAt(int p, bool shift)
{
    spreadOut();
    // The status bar may repaint the canvas, which projects the vertices anew:
    // the pointer stays where it was.
    const wxPoint at = gv[p];
    mouse(wxEVT_MOTION, at.x, at.y, false, shift);
    ASSERT_EQ(g_purtj, p);
    mouse(wxEVT_LEFT_DOWN, at.x, at.y, true, shift);
    mouse(wxEVT_LEFT_UP, at.x, at.y, false, shift);
    mouse(wxEVT_LEFT_DCLICK, at.x, at.y, true, shift);
    mouse(wxEVT_LEFT_UP, at.x, at.y, false, shift);
}

// Drags from vertex a (hovered first) and releases over vertex b.
void dragGlue(int a, int b)
{
    spreadOut();
    const wxPoint from = gv[a], to = gv[b];
    mouse(wxEVT_MOTION, from.x, from.y);
    ASSERT_EQ(g_purtj, a);
    mouse(wxEVT_LEFT_DOWN, from.x, from.y, true);
    mouse(wxEVT_MOTION, to.x, to.y, true);
    mouse(wxEVT_LEFT_UP, to.x, to.y);
}
}  // namespace

TEST(Building, ShiftDoubleClicksAloneCloseTheFirstRing)
{
    startCell();
    const int snapshots = historyLength();
    doubleClickAt(0, true);
    EXPECT_EQ(NOV, 14) << "a cell of seven new vertices, one glued to vertex 1";
    EXPECT_EQ(historyLength(), snapshots + 1);
    for (int p = 1; p < 7; ++p)
        doubleClickAt(p, true);
    EXPECT_EQ(NOV, 43);
    EXPECT_EQ(NOS, 56);
    for (int p = 0; p < 7; ++p)
        EXPECT_TRUE(vertexFans(p).closed) << p;
    EXPECT_EQ(historyLength(), snapshots + 7) << "one undo step a cell";
    EXPECT_EQ(status(), "Welcome to Korvith!") << "nothing was refused";
    // Ten pixels off a boundary vertex, beyond the pick's reach, the Shift +
    // double click still grows there.
    startCell();
    spreadOut();
    const wxPoint near(gv[2].x + 8, gv[2].y + 6);
    mouse(wxEVT_MOTION, near.x, near.y, false, true);
    EXPECT_EQ(g_purtj, -1);
    mouse(wxEVT_LEFT_DCLICK, near.x, near.y, true, true);
    EXPECT_EQ(NOV, 14);
    EXPECT_EQ(vertexFans(2).faces, 4);
    // The plain double click stays as it was: a cell held at one vertex.
    startCell();
    doubleClickAt(0, false);
    EXPECT_EQ(NOV, 15);
    EXPECT_TRUE(isPinched(0));
}

TEST(Building, RefusedGesturesSayWhyUntilTheNextAction)
{
    startCell();
    doubleClickAt(7, false);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(status(), "Vertex 7 is inside the surface: cells grow at boundary vertices in 2 or 4 faces");
    doubleClickAt(7, true);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(status(), "Vertex 7 is inside the surface: cells grow at boundary vertices in 2 or 4 faces");
    mouse(wxEVT_LEFT_DOWN, 700, 700, true);
    EXPECT_EQ(status(), "") << "the next press takes the reason away";
    mouse(wxEVT_LEFT_UP, 700, 700);

    dragGlue(0, 1);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(status(), "Cannot glue 1 to 0: they share face 0");

    sendCommand(ID_PASTE_ALL);
    EXPECT_EQ(status(), NOTHING_TO_PASTE);
    g_purtj = -1;
    sendCommand(ID_REMOVE_CELL);
    EXPECT_EQ(status(), NO_VERTEX_PICKED);
    sendCommand(ID_KAGO);
    EXPECT_EQ(status(), KAGO_NEEDS_SUBDIVISION);
    g_purtj = 7;
    sendCommand(ID_ADD_NEW_CELL);
    EXPECT_EQ(status(), "Vertex 7 is inside the surface: cells grow at boundary vertices in 2 or 4 faces");
    EXPECT_EQ(NOV, 8);
    sendCommand(ID_SUBDIV_2);
    EXPECT_EQ(status(), "") << "done: the reason went with the command";
    sendCommand(ID_SUBDIV_3);
    EXPECT_EQ(status(), ALREADY_SUBDIVIDED);
    sendCommand(ID_ADD_NEW_CELL);
    EXPECT_EQ(status(), "Cells are added only to a surface that is not subdivided");
}

// The double click is Edit > Add new cells at the pointer: on a subdivided
// surface it is refused as the menu item is (it once added a cell of the
// unsubdivided size there, 22 -> 29 vertices, with an undo step of its own).
TEST(Building, TheDoubleClickIsTheMenuCommandAndIsRefusedOnASubdividedSurface)
{
    startCell();
    sendCommand(ID_SUBDIV_2);
    ASSERT_EQ(subdiv_level, 2);
    ASSERT_EQ(NOV, 22);
    const int snapshots = historyLength();
    const int rim = 0;  // an old rim vertex: 2 faces before, 4 small ones now
    doubleClickAt(rim, false);
    EXPECT_EQ(NOV, 22);
    EXPECT_EQ(historyLength(), snapshots) << "a refused cell records no undo step";
    EXPECT_EQ(status(), CELLS_NEED_LEVEL_ONE);
    // The menu item at the same vertex says the same.
    g_purtj = rim;
    sendCommand(ID_ADD_NEW_CELL);
    EXPECT_EQ(status(), CELLS_NEED_LEVEL_ONE);
    EXPECT_EQ(NOV, 22);

    // Where a cell fits, the double click and the menu item add the same cell.
    startCell();
    doubleClickAt(0, false);
    ASSERT_EQ(NOV, 15);
    std::vector<Point3> clicked(v, v + NOV);
    startCell();
    g_purtj = 0;
    sendCommand(ID_ADD_NEW_CELL);
    ASSERT_EQ(NOV, 15);
    for (int i = 0; i < NOV; ++i)
        EXPECT_TRUE(v[i].x == clicked[i].x && v[i].y == clicked[i].y && v[i].z == clicked[i].z) << i;
}

TEST(Building, AGlueThatPinchesAVertexIsDoneAndNamesUndo)
{
    startCell();
    doubleClickAt(0, false);
    ASSERT_EQ(NOV, 15);
    dragGlue(3, 10);  // the new cell's rim vertex 10 onto the start cell's 3: two fans meet at 3
    EXPECT_EQ(NOV, 14);
    EXPECT_TRUE(isPinched(3));
    EXPECT_NE(status().Find("Vertex 3 is pinched"), wxNOT_FOUND) << status();
    EXPECT_NE(status().Find("Undo"), wxNOT_FOUND);
    // A glue along the tiling warns of nothing.
    startCell();
    doubleClickAt(0, false);
    dragGlue(6, 8);
    EXPECT_EQ(NOV, 14);
    EXPECT_EQ(status(), "");
}

TEST(Building, ADragGluesToTheMarkedVertexNearestThePointer)
{
    startCell();
    doubleClickAt(0, false);
    ASSERT_EQ(NOV, 15);
    spreadOut();
    gv[6] = wxPoint(200, 200);
    gv[8] = wxPoint(300, 300);
    gv[14] = wxPoint(290, 292);  // the new cell's centre, under the pointer but not to be glued
    mouse(wxEVT_MOTION, 200, 200);
    ASSERT_EQ(g_purtj, 6);
    mouse(wxEVT_LEFT_DOWN, 200, 200, true);
    mouse(wxEVT_MOTION, 290, 292, true);  // 12.8 pixels from vertex 8, beyond the pick's reach
    EXPECT_EQ(g_aimpurtj, 8);
    EXPECT_FALSE(g_gluable.empty());
    mouse(wxEVT_LEFT_UP, 290, 292);
    EXPECT_EQ(NOV, 14) << "glued to 8";
    EXPECT_TRUE(g_gluable.empty());
    EXPECT_EQ(g_aimpurtj, -1);
    EXPECT_EQ(status(), "Welcome to Korvith!") << "nothing refused, nothing pinched";

    // Released far from anything it may be glued to: it says so.
    startCell();
    spreadOut();
    const wxPoint from = gv[0];
    mouse(wxEVT_MOTION, from.x, from.y);
    mouse(wxEVT_LEFT_DOWN, from.x, from.y, true);
    mouse(wxEVT_MOTION, 900, 700, true);
    EXPECT_EQ(g_aimpurtj, -1);
    mouse(wxEVT_LEFT_UP, 900, 700);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(status(), "Nothing to glue 0 to here: no vertex it may be glued to lies within 15 pixels");
}

TEST(Building, ShowHiddenVerticesRingsTheBoundaryThroughTheFaces)
{
    startCell();
    MyFrame* frame = mainFrame();
    sendCommand(ID_SHOW_HIDDEN);
    EXPECT_TRUE(g_show_hidden);
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(ID_SHOW_HIDDEN));
    Scene scene;
    buildScene(scene, SceneUse::Window);
    EXPECT_EQ(scene.marks.size(), 7u) << "the seven rim vertices";
    sendCommand(ID_SHOW_HIDDEN);
    EXPECT_FALSE(g_show_hidden);
    EXPECT_FALSE(frame->GetMenuBar()->IsChecked(ID_SHOW_HIDDEN));
    buildScene(scene, SceneUse::Window);
    EXPECT_TRUE(scene.marks.empty());
}
