#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/testing.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "io/reader.h"
#include "model/history.h"
#include "model/store.h"
#include "model/validate.h"
#include "tests/window_harness.h"
#include "view/canvas.h"

namespace {
struct ItemSpec {
    int id;           // 0 for a separator
    const char* label;
    wxItemKind kind;
    const char* help;
};

const wxItemKind N = wxITEM_NORMAL;
const wxItemKind C = wxITEM_CHECK;
const wxItemKind S = wxITEM_SEPARATOR;

const std::vector<std::pair<const char*, std::vector<ItemSpec>>>& expectedMenus()
{
    static const std::vector<std::pair<const char*, std::vector<ItemSpec>>> menus = {
        {"&File",
         {{5, "&Open...\tCtrl-O", N, ""},
          {9, "&Open and append...\tShift-Ctrl-O", N, ""},
          {79, "Open &recent", N, "Open one of the last eight files opened or saved"},
          {7, "&Save...\tCtrl-S", N, ""},
          {72, "Re&vert", N, "Read the file again from disk, dropping the changes since"},
          {8, "Save &As Header", N, ""},
          {66, "&Export...", N, "Write the surface for another program: a mesh, a solid to print or a picture"},
          {68, "Export paper &model...", N, "Write sheets to print, cut, fold and glue into the surface"},
          {0, "", S, ""},
          {10, "&Print...\tCtrl-P", N, ""},
          {11, "PrintSet&Up", N, ""},
          {0, "", S, ""},
          {2, "&About...\tCtrl-A", N, "Show about dialog"},
          {0, "", S, ""},
          {1, "E&xit\tAlt-X", N, "Quit this program"}}},
        {"&Edit",
         {{26, "&Undo\tCtrl-Z", N, ""},
          {27, "&Redo\tCtrl-Shift-Z", N, ""},
          {28, "Zoom &In\t+", N, ""},
          {29, "Zoom &Out\t-", N, ""},
          {30, "&Default size\t=", N, ""},
          {70, "&Fit to window\tHome", N, "Scale and centre the surface to fill the window"},
          {0, "", S, ""},
          {32, "&Mirror image\tCtrl-M", N, ""},
          {36, "&Detect connected component\tCtrl-L", N, ""},
          {0, "", S, ""},
          {31, "&Add new cells\tCtrl-C", N, ""},
          {33, "&Add copy image\tCtrl-V", N, ""},
          {34, "&Add mirror image \tCtrl-B", N, ""},
          {35, "&Pull one point \tCtrl-N", N, ""},
          {37, "&Remove some cells \tCtrl-R", N, ""},
          {0, "", S, ""},
          {38, "&Paste all possible edges \tCtrl-Y", N, ""},
          {67, "&Grow one ring\tCtrl-G", N, "Add a ring of cells along every boundary loop, glued, then open it out and relax precisely"},
          {39, "&Subdivide", N, ""},
          {46, "&Kago like\tCtrl-K", N, ""},
          {47, "&Flip face\tCtrl-F", N, ""},
          {48, "&Curvature Range\tCtrl-Shift-C", N, ""}}},
        {"&Mode",
         {{49, "&Normal", N, ""},
          {50, "&Classic", N, ""},
          {51, "&Touch panel", N, ""},
          {52, "C&reature", N, ""},
          {0, "", S, ""},
          {74, "Show &hidden vertices", C, "Ring every boundary vertex through the faces in front of it"}}},
        {"&Sway",
         {{53, "Touch perturbation\t0", C, ""},
          {0, "", S, ""},
          {54, "Sway\tTAB", N, ""},
          {55, "Repeat sway\tShift-TAB", C, ""},
          {0, "", S, ""},
          {57, "Smoothen\tRETURN", N, ""},
          {58, "Repeat smoothing\tShift-RETURN", C, ""},
          {59, "Modify until stable\tCtrl-Shift-M", C, ""},
          {60, "Modify off\tCtrl-1", C, ""},
          {61, "Relax precisely\tCtrl-Shift-R", C, ""}}},
        {"&Color",
         {{62, "Front face...", N, ""},
          {63, "Back face...", N, ""},
          {64, "Background...", N, ""},
          {0, "", S, ""},
          {71, "Show edge &strain", C,
           "Colour each face by the largest relative error of its edges, with the scale in a corner"}}},
        {"&Sample",
         {{12, "single", N, ""},
          {13, "torio", N, ""},
          {14, "autopaste demo", N, ""},
          {0, "", S, ""},
          {15, "curly pants", N, ""},
          {16, "fat pants", N, ""},
          {17, "slim pants", N, ""},
          {18, "middle pants", N, ""},
          {19, "newtral pants", N, ""},
          {20, "chinese chimaki", N, ""},
          {0, "", S, ""},
          {21, "Diamond Lattice 1", N, ""},
          {22, "Rhombic lattice", N, ""},
          {23, "Cubic lattice", N, ""},
          {24, "Punched Dodecahedron", N, ""},
          {25, "Diamond Lattice 2", N, ""},
          {0, "", S, ""},
          {69, "Hyperbolic disc (3 rings)", N, ""},
          {77, "Hyperbolic disc (4 rings)", N, ""},
          {73, "Closed surface of genus 3", N, ""}}},
        {"&Help",
         {{75, "&Getting started\tF1", N, "A short guide: growing, gluing, relaxing, exporting"},
          {76, "&Keyboard and mouse", N, "Every key and mouse gesture of the window"}}},
    };
    return menus;
}

void expectMenu(wxMenu* menu, const std::vector<ItemSpec>& items, const std::string& where)
{
    ASSERT_EQ(menu->GetMenuItemCount(), items.size()) << where;
    for (size_t k = 0; k < items.size(); ++k) {
        const wxMenuItem* item = menu->FindItemByPosition(k);
        const ItemSpec& want = items[k];
        SCOPED_TRACE(where + " item " + std::to_string(k));
        EXPECT_EQ(item->GetKind(), want.kind);
        if (want.kind == S)
            continue;
        EXPECT_EQ(item->GetId(), want.id);
        EXPECT_EQ(item->GetItemLabel(), wxString(want.label));
        EXPECT_EQ(item->GetHelp(), wxString(want.help));
        if (want.kind == C) {
            EXPECT_FALSE(item->IsChecked());
        }
    }
}
}  // namespace

TEST(Window, StartsWithTheOneCellInATitledFrame)
{
    MyFrame* frame = mainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle(), "Korvith");
    EXPECT_EQ(frame->GetPosition(), wxPoint(50, 50));
    EXPECT_EQ(frame->GetSize(), wxSize(640, 480));
    ASSERT_NE(frame->GetStatusBar(), nullptr);
    EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 2);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "Welcome to Korvith!");
    ASSERT_NE(frame->canvas, nullptr);
    EXPECT_EQ(frame->canvas->m_owner, frame);
    EXPECT_EQ(frame->canvas->m_timer.GetId(), ID_TIMER);
    EXPECT_EQ(frame->canvas->m_timer.GetInterval(), 15);
    EXPECT_TRUE(frame->GetIcon().IsOk());
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOE, 14);
    EXPECT_EQ(NOS, 7);
    EXPECT_EQ(NOcomp, 1);
    EXPECT_EQ(messagetxt, " ");
    EXPECT_NE(gs_bmpScreen, nullptr);
    EXPECT_NE(g_printData, nullptr);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(validateStore(), "");
}

TEST(Window, MenuBarFollowsTheCommandTable)
{
    wxMenuBar* bar = mainFrame()->GetMenuBar();
    const auto& menus = expectedMenus();
    ASSERT_EQ(bar->GetMenuCount(), menus.size());
    for (size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(bar->GetMenuLabel(m), wxString(menus[m].first));
        expectMenu(bar->GetMenu(m), menus[m].second, menus[m].first);
    }
    EXPECT_EQ(bar->GetMenu(3), mainFrame()->swayMenu);
    // The "&Subdivide" item holds the submenu of levels 2 to 6.
    wxMenuItem* subdivide = bar->FindItem(ID_SUBDIVIDE);
    ASSERT_NE(subdivide, nullptr);
    ASSERT_TRUE(subdivide->IsSubMenu());
    expectMenu(subdivide->GetSubMenu(),
               {{41, "&2\tCtrl-Shift-2", N, ""},
                {42, "&3\tCtrl-Shift-3", N, ""},
                {43, "&4\tCtrl-Shift-4", N, ""},
                {44, "&5\tCtrl-Shift-5", N, ""},
                {45, "&6\tCtrl-Shift-6", N, ""}},
               "&Subdivide");
}

TEST(Window, UndoAndRedoCommandsStepTheHistory)
{
    const int before = historyLength();
    ASSERT_TRUE(wxTranslateData("sample/single.kor", true));  // a recorded edit: 16 vertices
    EXPECT_EQ(NOV, 16);
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOV, 8);
    sendCommand(ID_REDO);
    EXPECT_EQ(NOV, 16) << "redo brings the undone edit back";
    EXPECT_EQ(historyLength(), before + 2) << "the undone surface is kept for the redo";
    EXPECT_EQ(validateStore(), "");
}

TEST(Window, DetectConnectedComponentRelabels)
{
    NOcomp = 1;
    for (int i = 0; i < NOV; ++i)
        conn_comp[i] = 0;
    sendCommand(ID_DETECT_CONN_COMP);
    EXPECT_EQ(NOcomp, 2);
    EXPECT_EQ(conn_comp[7], 1);
    EXPECT_EQ(compCenter[1].x, compCenter[1].x);  // computed, not a NaN
}

TEST(Window, TheSubmenuHolderIsInert)
{
    const int n = NOV;
    const int snapshots = historyLength();
    sendCommand(ID_SUBDIVIDE);
    pumpEvents(50);
    EXPECT_EQ(NOV, n);
    EXPECT_EQ(historyLength(), snapshots);
    EXPECT_EQ(mainFrame()->GetTitle(), "Korvith");
}

namespace {
// Answers the about box and checks its caption and text.
class ExpectAbout : public wxExpectModalBase<wxMessageDialog> {
public:
    explicit ExpectAbout(bool* seen) : seen_(seen) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        *seen_ = true;
        EXPECT_EQ(dialog->GetTitle(), "About Korvith");
        EXPECT_TRUE(dialog->GetMessage().StartsWith("Korvith.\n\n")) << dialog->GetMessage();
        return wxID_OK;
    }

private:
    bool* seen_;
};
}  // namespace

TEST(Window, AboutBoxNamesTheProgram)
{
    bool seen = false;
    wxTEST_DIALOG(sendCommand(ID_ABOUT), ExpectAbout(&seen));
    EXPECT_TRUE(seen);
}
