#include "app/frame.h"

#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include "app/accelerator_fallback.h"
#include "app/command_ids.h"
#include "model/components.h"
#include "model/history.h"
#include "view/canvas.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MyFrame, wxFrame)
    EVT_MENU(ID_UNDO, MyFrame::OnUndo)
    EVT_MENU(ID_REDO, MyFrame::OnRedo)
    EVT_MENU(ID_ABOUT, MyFrame::OnAbout)
    EVT_MENU(ID_QUIT, MyFrame::OnQuit)
    EVT_MENU(ID_DETECT_CONN_COMP, MyFrame::OnDetectConnComp)
    EVT_CHAR_HOOK(MyFrame::OnCharHook)
wxEND_EVENT_TABLE()
// clang-format on

MyFrame::MyFrame(const wxString& title, const wxPoint& pos, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, title, pos, size)
{
    wxMenu* fileMenu = new wxMenu;
    fileMenu->Append(ID_OPEN, "&Open...\tCtrl-O");
    fileMenu->Append(ID_APPEND, "&Open and append...\tShift-Ctrl-O");
    fileMenu->Append(ID_SAVE, "&Save...\tCtrl-S");
    fileMenu->Append(ID_SAVE_AS_HEADER, "Save &As Header");
    fileMenu->AppendSeparator();
    fileMenu->Append(ID_PRINT, "&Print...\tCtrl-P");
    fileMenu->Append(ID_PRINT_SETUP, "PrintSet&Up");
    fileMenu->AppendSeparator();
    fileMenu->Append(ID_ABOUT, "&About...\tCtrl-A", "Show about dialog");
    fileMenu->AppendSeparator();
    fileMenu->Append(ID_QUIT, "E&xit\tAlt-X", "Quit this program");

    wxMenu* subdivMenu = new wxMenu;
    subdivMenu->Append(ID_SUBDIV_2, "&2\tCtrl-Shift-2");
    subdivMenu->Append(ID_SUBDIV_3, "&3\tCtrl-Shift-3");
    subdivMenu->Append(ID_SUBDIV_4, "&4\tCtrl-Shift-4");
    subdivMenu->Append(ID_SUBDIV_5, "&5\tCtrl-Shift-5");
    subdivMenu->Append(ID_SUBDIV_6, "&6\tCtrl-Shift-6");

    wxMenu* editMenu = new wxMenu;
    editMenu->Append(ID_UNDO, "&Undo\tCtrl-Z");
    editMenu->Append(ID_REDO, "&Redo\tCtrl-Shift-Z");
    editMenu->Append(ID_ZOOM_IN, "Zoom &In\t+");
    editMenu->Append(ID_ZOOM_OUT, "Zoom &Out\t-");
    editMenu->Append(ID_DEFAULT_SIZE, "&Default size\t=");
    editMenu->AppendSeparator();
    editMenu->Append(ID_MIRROR, "&Mirror image\tCtrl-M");
    editMenu->Append(ID_DETECT_CONN_COMP, "&Detect connected component\tCtrl-L");
    editMenu->AppendSeparator();
    editMenu->Append(ID_ADD_NEW_CELL, "&Add new cells\tCtrl-C");
    editMenu->Append(ID_ADD_SAME, "&Add copy image\tCtrl-V");
    editMenu->Append(ID_ADD_MIRROR, "&Add mirror image \tCtrl-B");
    editMenu->Append(ID_PULL_POINT, "&Pull one point \tCtrl-N");
    editMenu->Append(ID_REMOVE_CELL, "&Remove some cells \tCtrl-R");
    editMenu->AppendSeparator();
    editMenu->Append(ID_PASTE_ALL, "&Paste all possible edges \tCtrl-Y");
    editMenu->Append(ID_SUBDIVIDE, "&Subdivide", subdivMenu);
    editMenu->Append(ID_KAGO, "&Kago like\tCtrl-K");
    editMenu->Append(ID_FLIP, "&Flip face\tCtrl-F");
    editMenu->Append(ID_CURVATURE_RANGE, "&Curvature Range\tCtrl-Shift-C");

    wxMenu* modeMenu = new wxMenu;
    modeMenu->Append(ID_MODE_NORMAL, "&Normal");
    modeMenu->Append(ID_MODE_CLASSIC, "&Classic");
    modeMenu->Append(ID_MODE_TOUCH_PANEL, "&Touch panel");
    modeMenu->Append(ID_MODE_ANIMAL, "C&reature");

    swayMenu = new wxMenu;
    swayMenu->AppendCheckItem(ID_TOUCH_PURTURB, "Touch perturbation\t0");
    swayMenu->AppendSeparator();
    swayMenu->Append(ID_BURU, "Sway\tTAB");
    swayMenu->AppendCheckItem(ID_BURU_LOOP, "Repeat sway\tShift-TAB");
    swayMenu->AppendSeparator();
    swayMenu->Append(ID_SMOOTH, "Smoothen\tRETURN");
    swayMenu->AppendCheckItem(ID_REPEAT_SMOOTHING, "Repeat smoothing\tShift-RETURN");
    swayMenu->AppendCheckItem(ID_MODIFY_UNTIL_VALID, "Modify until stable\tCtrl-Shift-M");
    swayMenu->AppendCheckItem(ID_MODIFY_OFF, "Modify off\tCtrl-1");

    wxMenu* colorMenu = new wxMenu;
    colorMenu->Append(ID_COLOR_FACE, "Front face...");
    colorMenu->Append(ID_COLOR_BACK, "Back face...");
    colorMenu->Append(ID_COLOR_BACKGROUND, "Background...");

    wxMenu* sampleMenu = new wxMenu;
    sampleMenu->Append(12, "single");
    sampleMenu->Append(13, "torio");
    sampleMenu->Append(14, "autopaste demo");
    sampleMenu->AppendSeparator();
    sampleMenu->Append(15, "curly pants");
    sampleMenu->Append(16, "fat pants");
    sampleMenu->Append(17, "slim pants");
    sampleMenu->Append(18, "middle pants");
    sampleMenu->Append(19, "newtral pants");
    sampleMenu->Append(20, "chinese chimaki");
    sampleMenu->AppendSeparator();
    sampleMenu->Append(21, "Diamond Lattice 1");
    sampleMenu->Append(22, "Rhombic lattice");
    sampleMenu->Append(23, "Cubic lattice");
    sampleMenu->Append(24, "Punched Dodecahedron");
    sampleMenu->Append(25, "Diamond Lattice 2");

    wxMenuBar* menuBar = new wxMenuBar;
    menuBar->Append(fileMenu, "&File");
    menuBar->Append(editMenu, "&Edit");
    menuBar->Append(modeMenu, "&Mode");
    menuBar->Append(swayMenu, "&Sway");
    menuBar->Append(colorMenu, "&Color");
    menuBar->Append(sampleMenu, "&Sample");
    SetMenuBar(menuBar);

    CreateStatusBar(2);
    SetStatusText("Welcome to Korvith!", 0);

    canvas = new MyCanvas(this);
}

void MyFrame::OnQuit(wxCommandEvent&)
{
    Close(true);
}

void MyFrame::OnAbout(wxCommandEvent&)
{
    wxMessageBox("Korvith.\n\nMade by the Korvith developers.", "About Korvith", wxOK | wxICON_INFORMATION, this);
}

void MyFrame::OnUndo(wxCommandEvent&)
{
    undo();
    Refresh(false, nullptr);
}

void MyFrame::OnRedo(wxCommandEvent&)
{
    redo();
    Refresh(false, nullptr);
}

void MyFrame::OnDetectConnComp(wxCommandEvent&)
{
    fill_conn_comp();
    fill_center_conn_comp();
}

void MyFrame::PrepareDC(wxDC&)
{
}

void MyFrame::OnCharHook(wxKeyEvent& event)
{
    if (getenv("KORVITH_KEYDEBUG"))
        fprintf(stderr, "key code=%d uni=%d raw=%u rawflags=%u mods=%d\n", event.GetKeyCode(),
                int(event.GetUnicodeKey()), event.GetRawKeyCode(), event.GetRawKeyFlags(), event.GetModifiers());
    const int id = fallbackCommandForKey(event.GetKeyCode(), event.GetUnicodeKey(), event.GetRawKeyCode(),
                                         event.GetModifiers());
    if (id == 0) {
        event.Skip();
        return;
    }
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}
