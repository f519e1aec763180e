#include "app/frame.h"

#include <wx/filedlg.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>
#include <wx/statusbr.h>

#include "app/accelerator_fallback.h"
#include "app/command_ids.h"
#include "app/menu_keys.h"
#include "app/prompts.h"
#include "construct/add_glued.h"
#include "construct/edit_commands.h"
#include "geometry/sway_commands.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/grow_ring.h"
#include "construct/subdivision.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "io/file_names.h"
#include "io/open_commands.h"
#include "io/writer.h"
#include "model/finite_positions.h"
#include "geometry/rigid_motion.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "model/document.h"
#include "model/history.h"
#include "view/canvas.h"
#include "view/printout.h"
#include "view/view_commands.h"
#include "export/export_surface.h"
#include "export/paper_kit_writer.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MyFrame, wxFrame)
    EVT_MENU(ID_SAVE, MyFrame::OnSave)
    EVT_MENU(ID_SAVE_AS_HEADER, MyFrame::OnSaveAsHeader)
    EVT_MENU(ID_EXPORT, MyFrame::OnExport)
    EVT_MENU(ID_EXPORT_PAPER_MODEL, MyFrame::OnExportPaperModel)
    EVT_MENU(ID_OPEN, MyFrame::OnOpen)
    EVT_MENU_RANGE(ID_SAMPLE_FIRST, ID_SAMPLE_LAST, MyFrame::OnOpenSample)
    EVT_MENU(ID_APPEND, MyFrame::OnAppend)
    EVT_MENU(ID_PRINT, MyFrame::OnPrint)
    EVT_MENU(ID_PRINT_SETUP, MyFrame::OnPrintSetup)
    EVT_MENU(ID_ZOOM_IN, MyFrame::OnZoomIn)
    EVT_MENU(ID_ZOOM_OUT, MyFrame::OnZoomOut)
    EVT_MENU(ID_DEFAULT_SIZE, MyFrame::OnDefaultSize)
    EVT_MENU_RANGE(ID_COLOR_FACE, ID_COLOR_BACKGROUND, MyFrame::OnColor)
    EVT_MENU(ID_MODE_NORMAL, MyFrame::OnModeNormal)
    EVT_MENU(ID_SHOW_HIDDEN, MyFrame::OnShowHidden)
    EVT_MENU(ID_MODE_CLASSIC, MyFrame::OnModeClassic)
    EVT_MENU(ID_MODE_TOUCH_PANEL, MyFrame::OnModeTouchPanel)
    EVT_MENU(ID_MODE_ANIMAL, MyFrame::OnModeAnimal)
    EVT_MENU_RANGE(ID_BURU, ID_BURU_LOOP, MyFrame::OnBuru)
    EVT_MENU(ID_SMOOTH, MyFrame::OnSmooth)
    EVT_MENU(ID_REPEAT_SMOOTHING, MyFrame::OnRepeatSmoothing)
    EVT_MENU(ID_MODIFY_UNTIL_VALID, MyFrame::OnModifyUntilValid)
    EVT_MENU(ID_MODIFY_OFF, MyFrame::OnModifyOff)
    EVT_MENU(ID_RELAX_PRECISELY, MyFrame::OnRelaxPrecisely)
    EVT_MENU(ID_ADD_NEW_CELL, MyFrame::OnAddNewCell)
    EVT_MENU(ID_UNDO, MyFrame::OnUndo)
    EVT_MENU(ID_REDO, MyFrame::OnRedo)
    EVT_MENU(ID_MIRROR, MyFrame::OnMirror)
    EVT_MENU(ID_PULL_POINT, MyFrame::OnPullPoint)
    EVT_MENU(ID_TOUCH_PURTURB, MyFrame::OnTouchPurturb)
    EVT_MENU(ID_ABOUT, MyFrame::OnAbout)
    EVT_MENU(ID_QUIT, MyFrame::OnQuit)
    EVT_MENU(ID_DETECT_CONN_COMP, MyFrame::OnDetectConnComp)
    EVT_MENU(ID_PASTE_ALL, MyFrame::OnPasteAll)
    EVT_MENU(ID_GROW_RING, MyFrame::OnGrowRing)
    EVT_MENU(ID_FIT_TO_WINDOW, MyFrame::OnFitToWindow)
    EVT_CLOSE(MyFrame::OnClose)
    EVT_MENU(ID_SAMPLE_DISC, MyFrame::OnOpenSample)
    EVT_MENU(ID_ADD_SAME, MyFrame::OnAddSame)
    EVT_MENU(ID_ADD_MIRROR, MyFrame::OnAddMirror)
    EVT_MENU(ID_REMOVE_CELL, MyFrame::OnRemoveCell)
    EVT_MENU_RANGE(ID_SUBDIV_2, ID_SUBDIV_6, MyFrame::OnSubdiv)
    EVT_MENU(ID_KAGO, MyFrame::OnKago)
    EVT_MENU(ID_FLIP, MyFrame::OnFlip)
    EVT_MENU(ID_CURVATURE_RANGE, MyFrame::OnCurvatureRange)
    EVT_CHAR_HOOK(MyFrame::OnCharHook)
wxEND_EVENT_TABLE()
// clang-format on

static_assert(ID_SAMPLE_DISC == DISC_SAMPLE_COMMAND, "the grown disc's menu item loads the grown disc");

namespace {
// The question before a file is written over: true when the user says yes.
bool overwriteConfirmed(wxWindow* parent)
{
    wxMessageDialog ask(parent, "This file already exists.\nAre you sure to overwrite it?", "Alert",
                        wxYES_NO | wxICON_EXCLAMATION);
    return ask.ShowModal() == wxID_YES;
}

// A menu item that keeps its label exactly as written. The GTK toolkit drops the
// accelerator text of keys it cannot bind ("TAB", "Shift-TAB"); the label keeps
// it, and the frame's key hook delivers those keys instead.
class KeptLabelItem : public wxMenuItem {
public:
    using wxMenuItem::wxMenuItem;
    void keepLabel(const wxString& label) { m_text = label; }
};

void append(wxMenu* menu, int id, const wxString& label, wxItemKind kind = wxITEM_NORMAL,
            const wxString& help = wxString())
{
    KeptLabelItem* item = new KeptLabelItem(menu, id, label, help, kind);
    {
        // The toolkit says it cannot bind TAB; the key hook delivers it instead.
        wxLogNull quiet;
        menu->Append(item);
    }
    if (item->GetItemLabel() != label)
        item->keepLabel(label);
    showUnboundKey(item);
}
}  // namespace

MyFrame::MyFrame(const wxString& title, const wxPoint& pos, const wxSize& size)
    : CanvasHost(nullptr, wxID_ANY, title, pos, size)
{
    wxMenu* fileMenu = new wxMenu;
    append(fileMenu, ID_OPEN, "&Open...\tCtrl-O");
    append(fileMenu, ID_APPEND, "&Open and append...\tShift-Ctrl-O");
    append(fileMenu, ID_SAVE, "&Save...\tCtrl-S");
    append(fileMenu, ID_SAVE_AS_HEADER, "Save &As Header");
    append(fileMenu, ID_EXPORT, "&Export...", wxITEM_NORMAL,
           "Write the surface for another program: a mesh, a solid to print or a picture");
    append(fileMenu, ID_EXPORT_PAPER_MODEL, "Export paper &model...", wxITEM_NORMAL,
           "Write sheets to print, cut, fold and glue into the surface");
    fileMenu->AppendSeparator();
    append(fileMenu, ID_PRINT, "&Print...\tCtrl-P");
    append(fileMenu, ID_PRINT_SETUP, "PrintSet&Up");
    fileMenu->AppendSeparator();
    append(fileMenu, ID_ABOUT, "&About...\tCtrl-A", wxITEM_NORMAL, "Show about dialog");
    fileMenu->AppendSeparator();
    append(fileMenu, ID_QUIT, "E&xit\tAlt-X", wxITEM_NORMAL, "Quit this program");

    wxMenu* subdivMenu = new wxMenu;
    append(subdivMenu, ID_SUBDIV_2, "&2\tCtrl-Shift-2");
    append(subdivMenu, ID_SUBDIV_3, "&3\tCtrl-Shift-3");
    append(subdivMenu, ID_SUBDIV_4, "&4\tCtrl-Shift-4");
    append(subdivMenu, ID_SUBDIV_5, "&5\tCtrl-Shift-5");
    append(subdivMenu, ID_SUBDIV_6, "&6\tCtrl-Shift-6");

    wxMenu* editMenu = new wxMenu;
    append(editMenu, ID_UNDO, "&Undo\tCtrl-Z");
    append(editMenu, ID_REDO, "&Redo\tCtrl-Shift-Z");
    append(editMenu, ID_ZOOM_IN, "Zoom &In\t+");
    append(editMenu, ID_ZOOM_OUT, "Zoom &Out\t-");
    append(editMenu, ID_DEFAULT_SIZE, "&Default size\t=");
    append(editMenu, ID_FIT_TO_WINDOW, "&Fit to window\tHome", wxITEM_NORMAL,
           "Scale and centre the surface to fill the window");
    editMenu->AppendSeparator();
    append(editMenu, ID_MIRROR, "&Mirror image\tCtrl-M");
    append(editMenu, ID_DETECT_CONN_COMP, "&Detect connected component\tCtrl-L");
    editMenu->AppendSeparator();
    append(editMenu, ID_ADD_NEW_CELL, "&Add new cells\tCtrl-C");
    append(editMenu, ID_ADD_SAME, "&Add copy image\tCtrl-V");
    append(editMenu, ID_ADD_MIRROR, "&Add mirror image \tCtrl-B");
    append(editMenu, ID_PULL_POINT, "&Pull one point \tCtrl-N");
    append(editMenu, ID_REMOVE_CELL, "&Remove some cells \tCtrl-R");
    editMenu->AppendSeparator();
    append(editMenu, ID_PASTE_ALL, "&Paste all possible edges \tCtrl-Y");
    append(editMenu, ID_GROW_RING, "&Grow one ring\tCtrl-G", wxITEM_NORMAL,
           "Add a ring of cells along every boundary loop, glued, then relax precisely");
    editMenu->Append(ID_SUBDIVIDE, "&Subdivide", subdivMenu);
    append(editMenu, ID_KAGO, "&Kago like\tCtrl-K");
    append(editMenu, ID_FLIP, "&Flip face\tCtrl-F");
    append(editMenu, ID_CURVATURE_RANGE, "&Curvature Range\tCtrl-Shift-C");

    wxMenu* modeMenu = new wxMenu;
    append(modeMenu, ID_MODE_NORMAL, "&Normal");
    append(modeMenu, ID_MODE_CLASSIC, "&Classic");
    append(modeMenu, ID_MODE_TOUCH_PANEL, "&Touch panel");
    append(modeMenu, ID_MODE_ANIMAL, "C&reature");
    modeMenu->AppendSeparator();
    append(modeMenu, ID_SHOW_HIDDEN, "Show &hidden vertices", wxITEM_CHECK,
           "Ring every boundary vertex through the faces in front of it");

    swayMenu = new wxMenu;
    append(swayMenu, ID_TOUCH_PURTURB, "Touch perturbation\t0", wxITEM_CHECK);
    swayMenu->AppendSeparator();
    append(swayMenu, ID_BURU, "Sway\tTAB");
    append(swayMenu, ID_BURU_LOOP, "Repeat sway\tShift-TAB", wxITEM_CHECK);
    swayMenu->AppendSeparator();
    append(swayMenu, ID_SMOOTH, "Smoothen\tRETURN");
    append(swayMenu, ID_REPEAT_SMOOTHING, "Repeat smoothing\tShift-RETURN", wxITEM_CHECK);
    append(swayMenu, ID_MODIFY_UNTIL_VALID, "Modify until stable\tCtrl-Shift-M", wxITEM_CHECK);
    append(swayMenu, ID_MODIFY_OFF, "Modify off\tCtrl-1", wxITEM_CHECK);
    append(swayMenu, ID_RELAX_PRECISELY, "Relax precisely\tCtrl-Shift-R", wxITEM_CHECK);

    wxMenu* colorMenu = new wxMenu;
    append(colorMenu, ID_COLOR_FACE, "Front face...");
    append(colorMenu, ID_COLOR_BACK, "Back face...");
    append(colorMenu, ID_COLOR_BACKGROUND, "Background...");

    wxMenu* sampleMenu = new wxMenu;
    append(sampleMenu, 12, "single");
    append(sampleMenu, 13, "torio");
    append(sampleMenu, 14, "autopaste demo");
    sampleMenu->AppendSeparator();
    append(sampleMenu, 15, "curly pants");
    append(sampleMenu, 16, "fat pants");
    append(sampleMenu, 17, "slim pants");
    append(sampleMenu, 18, "middle pants");
    append(sampleMenu, 19, "newtral pants");
    append(sampleMenu, 20, "chinese chimaki");
    sampleMenu->AppendSeparator();
    append(sampleMenu, 21, "Diamond Lattice 1");
    append(sampleMenu, 22, "Rhombic lattice");
    append(sampleMenu, 23, "Cubic lattice");
    append(sampleMenu, 24, "Punched Dodecahedron");
    append(sampleMenu, 25, "Diamond Lattice 2");
    sampleMenu->AppendSeparator();
    append(sampleMenu, ID_SAMPLE_DISC, "Hyperbolic disc (3 rings)");

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
    Close(false);
}

void MyFrame::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !keepOrDiscardChanges()) {
        event.Veto();
        return;
    }
    event.Skip();
}

bool MyFrame::keepOrDiscardChanges()
{
    if (!surfaceChanged())
        return true;
    switch (savePrompt()(this, wxString::Format("Save changes to %s?", g_Filename))) {
    case wxID_YES:
        return saveText(surfaceFileText(), SaveKind::Surface, "Korvith files(*.kor)|*.kor");
    case wxID_NO:
        return true;
    default:
        return false;
    }
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

void MyFrame::OnCurvatureRange(wxCommandEvent&)
{
    SetStatusText(curvatureRangeText(), 0);
}

void MyFrame::OnMirror(wxCommandEvent&)
{
    mirrorpoly();
    Refresh(false, nullptr);
}

void MyFrame::OnPullPoint(wxCommandEvent&)
{
    pullpoint();
    Refresh(false, nullptr);
}

void MyFrame::OnTouchPurturb(wxCommandEvent&)
{
    touch_purturb = !touch_purturb;
    swayMenu->Check(ID_TOUCH_PURTURB, touch_purturb);
}

void MyFrame::OnSmooth(wxCommandEvent&)
{
    canvas->restartTimer();
    smoothenCommand();
    Refresh(false, nullptr);
}

void MyFrame::OnRepeatSmoothing(wxCommandEvent&)
{
    canvas->restartTimer();
    g_smoothen = !g_smoothen;
    swayMenu->Check(ID_REPEAT_SMOOTHING, g_smoothen);
}

void MyFrame::OnBuru(wxCommandEvent& event)
{
    canvas->restartTimer();
    if (event.GetId() == ID_BURU) {
        swayCommand();
    } else {
        swayMenu->Check(ID_BURU_LOOP, repeatSwayCommand());
    }
}

void MyFrame::syncActivityChecks()
{
    swayMenu->Check(ID_BURU_LOOP, g_buruloop);
    swayMenu->Check(ID_REPEAT_SMOOTHING, g_smoothen);
    swayMenu->Check(ID_MODIFY_UNTIL_VALID, g_modify_until_valid);
    swayMenu->Check(ID_RELAX_PRECISELY, g_relax_precisely);
}

void MyFrame::OnModifyUntilValid(wxCommandEvent&)
{
    canvas->restartTimer();
    g_modify_until_valid = !g_modify_until_valid;
    swayMenu->Check(ID_MODIFY_UNTIL_VALID, g_modify_until_valid);
}

void MyFrame::OnRelaxPrecisely(wxCommandEvent&)
{
    canvas->restartTimer();
    swayMenu->Check(ID_RELAX_PRECISELY, toggleRelaxPrecisely());
}

void MyFrame::OnModifyOff(wxCommandEvent&)
{
    swayMenu->Check(ID_MODIFY_OFF, modifyOffCommand());
}

void MyFrame::OnAddNewCell(wxCommandEvent&)
{
    canvas->unsay();
    if (!addCellCommand())
        canvas->say(subdiv_level != 1 ? "Cells are added only to a surface that is not subdivided"
                                      : addCellRefusal(g_purtj));
    Refresh(false, nullptr);
}

void MyFrame::OnGrowRing(wxCommandEvent&)
{
    const GrowReport report = growRingCommand();
    SetStatusText(growRingMessage(report), 0);
    if (report.cellsAdded > 0) {
        startRelaxingPrecisely();
        swayMenu->Check(ID_RELAX_PRECISELY, true);
        canvas->restartTimer();
    }
    Refresh(false, nullptr);
}

void MyFrame::OnFitToWindow(wxCommandEvent&)
{
    int w = 0, h = 0;
    canvas->GetClientSize(&w, &h);
    fitView(w, h);
    Refresh(false, nullptr);
}

void MyFrame::OnPasteAll(wxCommandEvent&)
{
    canvas->unsay();
    if (pasteAllCommand() == 0)
        canvas->say(NOTHING_TO_PASTE);
    Refresh(false, nullptr);
}

void MyFrame::OnAddSame(wxCommandEvent&)
{
    addCopyCommand(false);
    Refresh(false, nullptr);
}

void MyFrame::OnAddMirror(wxCommandEvent&)
{
    addCopyCommand(true);
    Refresh(false, nullptr);
}

void MyFrame::OnShowHidden(wxCommandEvent&)
{
    g_show_hidden = !g_show_hidden;
    GetMenuBar()->Check(ID_SHOW_HIDDEN, g_show_hidden);
    Refresh(false, nullptr);
}

void MyFrame::OnRemoveCell(wxCommandEvent&)
{
    canvas->unsay();
    if (removeCommand())
        Refresh(false, nullptr);
    else
        canvas->say(NO_VERTEX_PICKED);
}

void MyFrame::OnKago(wxCommandEvent&)
{
    canvas->unsay();
    if (!kagoCommand())
        canvas->say(KAGO_NEEDS_SUBDIVISION);
    Refresh(false, nullptr);
}

void MyFrame::OnFlip(wxCommandEvent&)
{
    flipFace();
    Refresh(false, nullptr);
}

void MyFrame::OnSubdiv(wxCommandEvent& event)
{
    canvas->unsay();
    if (!subdivideCommand(event.GetId() - 39) && subdiv_level != 1)
        canvas->say(ALREADY_SUBDIVIDED);
    Refresh(false, nullptr);
}

void MyFrame::OnOpen(wxCommandEvent&)
{
    if (!keepOrDiscardChanges())
        return;
    const wxString path = filePrompt()(canvas, "Choose a file", g_Filename, "Korvith files(*.kor)|*.kor", wxFD_OPEN);
    if (path.empty())
        return;
    openSurfaceFile(path, false);
    Refresh(false, nullptr);
}

void MyFrame::OnAppend(wxCommandEvent&)
{
    if (!keepOrDiscardChanges())
        return;
    const wxString path = filePrompt()(canvas, "Choose a file", g_Filename, "Korvith files(*.kor)|*.kor", wxFD_OPEN);
    if (path.empty())
        return;
    openSurfaceFile(path, true);
    Refresh(false, nullptr);
}

void MyFrame::OnOpenSample(wxCommandEvent& event)
{
    if (!keepOrDiscardChanges())
        return;
    openSample(event.GetId());
    Refresh(false, nullptr);
}

void MyFrame::OnSave(wxCommandEvent&)
{
    saveText(surfaceFileText(), SaveKind::Surface, "Korvith files(*.kor)|*.kor");
}

void MyFrame::OnSaveAsHeader(wxCommandEvent&)
{
    // The identifiers come from the base name as it is before the dialog.
    saveText(headerExportText(cIdentifier(g_Name)), SaveKind::Header, "Header files(*.h)|*.h");
}

bool MyFrame::saveText(const std::string& text, SaveKind kind, const wxString& wildcard)
{
    const wxString chosen = filePrompt()(canvas, "Save a file", g_Name, wildcard, wxFD_SAVE);
    if (chosen.empty())
        return false;
    const wxString path = takeSaveChoice(chosen, kind);
    if (wxFileExists(path) && wxFile::Access(path, wxFile::read)) {
        if (!overwriteConfirmed(this))
            return false;
    }
    wxString reason;
    if (!surfaceIsFinite())
        reason = "the surface has positions or target lengths that are not numbers (undo or relax it first)";
    else if (writeFileReplacing(path, text, &reason)) {
        if (kind == SaveKind::Surface)
            markSurfaceSaved();
        return true;
    }
    wxMessageBox(wxString::Format("Could not save %s: %s.\nThe file on disk was not changed.", quotedName(path), reason),
                 "Save", wxOK | wxICON_ERROR, this);
    return false;
}

void MyFrame::OnExport(wxCommandEvent&)
{
    const wxString wildcard =
        "STL solid for printing (*.stl)|*.stl|3MF solid for printing (*.3mf)|*.3mf|OBJ mesh (*.obj)|*.obj|"
        "PLY mesh (*.ply)|*.ply|OFF mesh (*.off)|*.off|glTF binary (*.glb)|*.glb|PNG picture (*.png)|*.png|"
        "SVG picture (*.svg)|*.svg|PDF picture (*.pdf)|*.pdf";
    const wxString path = filePrompt()(canvas, "Export the surface", g_Name, wildcard, wxFD_SAVE);
    if (path.empty())
        return;
    const std::string ext = "." + std::string(wxFileName(path).GetExt().Lower().utf8_str());
    if (!isExportFormat(ext)) {
        wxMessageBox("The file name's extension picks the format: .stl or .3mf (a solid to print), .obj, .ply, "
                     ".off, .glb (meshes), .png, .svg or .pdf (pictures).",
                     "Export", wxOK | wxICON_INFORMATION, this);
        return;
    }
    if (wxFileExists(path)) {
        if (!overwriteConfirmed(this))
            return;
    }
    PrintSize size;
    const bool print = isPrintFormat(ext);
    if (print && (!numberPrompt()(this, "Wall thickness of the printed solid, in millimetres:", size.thicknessMm,
                                  &size.thicknessMm) ||
                  !numberPrompt()(this, "Length of a cell's rim edge when printed, in millimetres:", size.rimEdgeMm,
                                  &size.rimEdgeMm)))
        return;
    std::string reason;
    // A picture shows the whole surface, scaled to fill it.
    const bool fit = g_picture_fit;
    g_picture_fit = true;
    ExportNotes notes;
    bool done = exportSurface(std::string(path.utf8_str()), ext, print ? &size : nullptr, &reason, &notes);
    if (!done && notes.wall.crossingPairs > 0 && notes.wall.cleanThickness > 0) {
        // A solid that passes through itself: offer the thickest one that does not.
        const double clean = notes.wall.cleanThickness * notes.scale;
        wxMessageDialog ask(this,
                            wxString::Format("%s.\nExport it %.3g mm thick instead?", wxString::FromUTF8(reason), clean),
                            "Export", wxYES_NO | wxICON_QUESTION);
        if (ask.ShowModal() != wxID_YES) {
            g_picture_fit = fit;
            return;
        }
        size.thicknessMm = clean;
        done = exportSurface(std::string(path.utf8_str()), ext, &size, &reason, &notes);
    }
    g_picture_fit = fit;
    if (done && (notes.thickened || !notes.warnings.empty())) {
        wxString told = wxFileName(path).GetFullName() + ": ";
        if (notes.thickened)
            told += wxString::FromUTF8(wallSummary(notes.wall, size.thicknessMm / notes.scale, notes.scale, "mm"));
        for (const std::string& warning : notes.warnings)
            told += (told.EndsWith(": ") ? "" : "; ") + wxString::FromUTF8(warning);
        messagetxt = told;
    }
    Refresh(false, nullptr);  // a picture export draws into the drawing scratch
    if (!done)
        wxMessageBox(wxString::Format("Could not export %s: %s.\nThe file on disk was not changed.", quotedName(path),
                                      wxString::FromUTF8(reason)),
                     "Export", wxOK | wxICON_ERROR, this);
}

void MyFrame::OnExportPaperModel(wxCommandEvent&)
{
    const wxString path = filePrompt()(canvas, "Export a paper model", g_Name,
                                       "PDF, a page per sheet (*.pdf)|*.pdf|SVG, the sheets side by side (*.svg)|*.svg",
                                       wxFD_SAVE);
    if (path.empty())
        return;
    const std::string ext = "." + std::string(wxFileName(path).GetExt().Lower().utf8_str());
    if (!isPaperKitFormat(ext)) {
        wxMessageBox("The file name's extension picks the format: .pdf (a page per sheet) or .svg (the sheets side by "
                     "side).",
                     "Export paper model", wxOK | wxICON_INFORMATION, this);
        return;
    }
    if (wxFileExists(path)) {
        if (!overwriteConfirmed(this))
            return;
    }
    // The edge length and paper chosen last are offered again, for this run.
    static KitOptions chosen;
    KitOptions options = chosen;
    if (!numberPrompt()(this, "Length of a cell's rim edge on paper, in millimetres:", options.rimMm, &options.rimMm))
        return;
    wxArrayString papers;
    papers.Add("A4 (210 x 297 mm)");
    papers.Add("Letter (8.5 x 11 inches)");
    const int paper = choicePrompt()(this, "Paper size:", papers, options.paper == Paper::Letter ? 1 : 0);
    if (paper < 0)
        return;
    options.paper = paper == 1 ? Paper::Letter : Paper::A4;
    chosen = options;
    const std::string name(g_Name.empty() ? "untitled" : g_Name.utf8_str());
    KitSummary summary;
    std::string reason;
    if (!exportPaperKit(std::string(path.utf8_str()), ext, options, name, &summary, &reason)) {
        wxMessageBox(wxString::Format("Could not export \"%s\": %s.\nThe file on disk was not changed.", path,
                                      wxString::FromUTF8(reason)),
                     "Export paper model", wxOK | wxICON_ERROR, this);
        return;
    }
    wxMessageBox(wxString::FromUTF8("The paper model of " + name + ": " + kitSummaryText(summary) +
                                    ".\nCut along the solid lines, fold along the dashed ones (the legend is on the "
                                    "first page) and glue each tab under the side with the same number."),
                 "Export paper model", wxOK | wxICON_INFORMATION, this);
}

void MyFrame::OnZoomIn(wxCommandEvent&)
{
    zoomIn();
    Refresh(false, nullptr);
}

void MyFrame::OnZoomOut(wxCommandEvent&)
{
    zoomOut();
    Refresh(false, nullptr);
}

void MyFrame::OnDefaultSize(wxCommandEvent&)
{
    defaultSize();
    Refresh(false, nullptr);
}

void MyFrame::OnModeNormal(wxCommandEvent&)
{
    interface_mode = 0;
    Refresh(false, nullptr);
}

void MyFrame::OnModeClassic(wxCommandEvent&)
{
    interface_mode = 1;
    Refresh(false, nullptr);
}

void MyFrame::OnModeTouchPanel(wxCommandEvent&)
{
    interface_mode = 2;
    Refresh(false, nullptr);
}

void MyFrame::OnModeAnimal(wxCommandEvent&)
{
    interface_mode = 3;
    Refresh(false, nullptr);
}

namespace {
RGBColour chooseColour(wxWindow* parent, const RGBColour& current)
{
    const wxColour chosen = colourPrompt()(parent, wxColour(current.r, current.g, current.b));
    if (!chosen.IsOk())
        return current;
    return RGBColour{chosen.Red(), chosen.Green(), chosen.Blue()};
}
}  // namespace

void MyFrame::OnColor(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_COLOR_FACE:
        setFrontColour(chooseColour(this, faceColour));
        break;
    case ID_COLOR_BACK:
        setBackColour(chooseColour(this, backColour));
        break;
    default:
        backgroundColour = chooseColour(this, backgroundColour);
        break;
    }
    Refresh(false, nullptr);
}

void MyFrame::OnPrint(wxCommandEvent&)
{
    wxPrintDialogData data(*g_printData);
    wxPrinter printer(&data);
    MyPrintout printout("My printout");
    if (printer.Print(this, &printout, true)) {
        *g_printData = printer.GetPrintDialogData().GetPrintData();
        return;
    }
    // A cancelled print needs no message of its own: the user chose it.
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        wxMessageBox("There was a problem printing.\nPerhaps your current printer is not set correctly?", "Printing",
                     wxOK);
}

void MyFrame::OnPrintSetup(wxCommandEvent&)
{
    wxPageSetupDialogData data(*g_printData);
    wxPageSetupDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK)
        *g_printData = dialog.GetPageSetupDialogData().GetPrintData();
}

bool MyFrame::isPasteVertices(int i, int j)
{
    return ::isPasteVertices(i, j);
}

void MyFrame::PrepareDC(wxDC&)
{
}

void MyFrame::OnCharHook(wxKeyEvent& event)
{
    // The arrow keys turn the model a fixed step, as a short drag does.
    if (event.GetModifiers() == wxMOD_NONE) {
        constexpr double STEP = 0.1;
        double a = 0, b = 0;
        switch (event.GetKeyCode()) {
        case WXK_LEFT: a = -STEP; break;
        case WXK_RIGHT: a = STEP; break;
        case WXK_UP: b = -STEP; break;
        case WXK_DOWN: b = STEP; break;
        default: break;
        }
        if (a != 0 || b != 0) {
            rotatepoly(a, b);
            Refresh(false, nullptr);
            return;
        }
    }
    const int id = fallbackCommandForKey(event.GetKeyCode(), event.GetRawKeyCode(), event.GetModifiers());
    if (id == 0) {
        event.Skip();
        return;
    }
    if (id == KEY_DOES_NOTHING)
        return;
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}
