#include "app/frame.h"

#include <wx/filedlg.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>
#include <wx/statusbr.h>

#include <cstdlib>

#include "app/accelerator_fallback.h"
#include "app/command_ids.h"
#include "app/help_window.h"
#include "app/menu_table.h"
#include "app/prompts.h"
#include "construct/add_glued.h"
#include "construct/edit_commands.h"
#include "geometry/sway_commands.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/grow_ring.h"
#include "construct/subdivision.h"
#include "geometry/gap_relaxation.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "io/autosave.h"
#include "io/file_names.h"
#include "io/recent_files.h"
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
    EVT_MENU_RANGE(ID_RECENT_FIRST, ID_RECENT_LAST, MyFrame::OnOpenRecent)
    EVT_MENU(ID_REVERT, MyFrame::OnRevert)
    EVT_UPDATE_UI(ID_REVERT, MyFrame::OnUpdateRevert)
    EVT_MENU(ID_HELP_GETTING_STARTED, MyFrame::OnHelp)
    EVT_MENU(ID_HELP_KEYS, MyFrame::OnHelp)
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
    EVT_MENU(ID_SHOW_STRAIN, MyFrame::OnShowStrain)
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
    EVT_MENU(ID_SAMPLE_DISC4, MyFrame::OnOpenSample)
    EVT_MENU(ID_SAMPLE_CLOSED, MyFrame::OnOpenSample)
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
static_assert(ID_SAMPLE_CLOSED == CLOSED_SAMPLE_COMMAND, "the closed surface's menu item loads it");
static_assert(ID_SAMPLE_DISC4 == DISC4_SAMPLE_COMMAND, "the four-ring disc's menu item loads it");

namespace {
// The question before a file is written over: true when the user says yes.
bool overwriteConfirmed(wxWindow* parent)
{
    wxMessageDialog ask(parent, "This file already exists.\nAre you sure to overwrite it?", "Alert",
                        wxYES_NO | wxICON_EXCLAMATION);
    return ask.ShowModal() == wxID_YES;
}
}  // namespace

MyFrame::MyFrame(const wxString& title, const wxPoint& pos, const wxSize& size)
    : CanvasHost(nullptr, wxID_ANY, title, pos, size)
{
    BuiltMenus menus;
    SetMenuBar(buildMenuBar(&menus));
    swayMenu = menus["&Sway"];
    m_recentMenu = menus["Open &recent"];
    fillRecentMenu();

    CreateStatusBar(2);
    SetStatusText("Welcome to Korvith!", 0);

    canvas = new MyCanvas(this);

    m_autosaveTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { autosaveNow(); }, m_autosaveTimer.GetId());
    startAutosave(static_cast<int>(autosaveSeconds(std::getenv(AUTOSAVE_SECONDS_VARIABLE)) * 1000));
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
    m_autosaveTimer.Stop();
    if (!event.CanVeto() && surfaceChanged()) {
        // Closed without a chance to ask (the session ends): the work is kept
        // for the next start.
        std::string reason;
        writeAutosave(&reason);
    } else {
        removeAutosave();
    }
    event.Skip();
}

void MyFrame::startAutosave(int milliseconds)
{
    m_autosaveTimer.Start(milliseconds, wxTIMER_CONTINUOUS);
}

void MyFrame::autosaveNow()
{
    if (!surfaceChanged()) {
        // Saved, or changed back: nothing to lose.
        removeAutosave();
        m_autosaved = 0;
        return;
    }
    const unsigned long long now = surfaceFingerprint();
    if (g_autosaveLock >= 0 && now == m_autosaved)
        return;  // written already
    std::string reason;
    if (writeAutosave(&reason)) {
        m_autosaved = now;
        m_autosaveProblem.clear();
    } else if (reason != m_autosaveProblem) {
        // Said once, not every interval.
        m_autosaveProblem = reason;
        SetStatusText("Could not keep a copy of the unsaved surface: " + wxString::FromUTF8(reason), 0);
    }
}

void MyFrame::offerLeftAutosaves()
{
    std::vector<FoundAutosave> found = claimLeftAutosaves();
    bool restored = false;
    for (FoundAutosave& left : found) {
        if (restored) {
            releaseAutosave(left);  // offered again at the next start
            continue;
        }
        const int answer =
            restorePrompt()(this, wxString::FromUTF8(restoreQuestion(left, std::time(nullptr))));
        if (answer == wxID_YES) {
            if (restoreAutosave(left)) {
                dropAutosave(left);
                restored = true;
                canvas->restartTimer();
                Refresh(false, nullptr);
                // Kept again as this window's own until it is saved.
                autosaveNow();
            } else {
                releaseAutosave(left);
            }
        } else if (answer == wxID_NO) {
            dropAutosave(left);
        } else {
            releaseAutosave(left);
        }
    }
}

void MyFrame::fillRecentMenu()
{
    while (m_recentMenu->GetMenuItemCount() > 0)
        m_recentMenu->Destroy(m_recentMenu->FindItemByPosition(0));
    m_recentShown = readRecentFiles();
    for (std::size_t k = 0; k < m_recentShown.size(); ++k) {
        wxString shown = m_recentShown[k];
        shown.Replace("&", "&&");
        shown.Replace("\t", " ");
        m_recentMenu->Append(ID_RECENT_FIRST + static_cast<int>(k), wxString::Format("&%d %s", int(k + 1), shown),
                             m_recentShown[k]);
    }
    if (m_recentShown.empty())
        m_recentMenu->Append(wxID_ANY, "No files yet")->Enable(false);
}

void MyFrame::noteRecentFile(const wxString& path)
{
    rememberRecentFile(wxFileName(path).GetAbsolutePath());
    fillRecentMenu();
}

void MyFrame::OnOpenRecent(wxCommandEvent& event)
{
    const std::size_t k = static_cast<std::size_t>(event.GetId() - ID_RECENT_FIRST);
    if (k >= m_recentShown.size())
        return;
    const wxString path = m_recentShown[k];
    if (!wxFileExists(path)) {
        forgetRecentFile(path);
        fillRecentMenu();
        noticePrompt()(this, wxString::Format("%s is no longer there; it is taken off the list of recent files.",
                                              quotedName(path)),
                       "Open recent");
        return;
    }
    if (!keepOrDiscardChanges())
        return;
    if (openSurfaceFile(path, false))
        noteRecentFile(path);
    showReplacedSurface();
}

void MyFrame::OnRevert(wxCommandEvent&)
{
    if (g_documentPath.empty()) {
        noticePrompt()(this, "There is no file to revert to: the surface was not opened from a file or saved to one.",
                       "Revert");
        return;
    }
    if (!wxFileExists(g_documentPath)) {
        noticePrompt()(this, wxString::Format("%s is no longer there; there is nothing to revert to.",
                                              quotedName(g_documentPath)),
                       "Revert");
        return;
    }
    if (!keepOrDiscardChanges())
        return;
    openSurfaceFile(g_documentPath, false);
    showReplacedSurface();
}

void MyFrame::OnUpdateRevert(wxUpdateUIEvent& event)
{
    event.Enable(!g_documentPath.empty());
}

void MyFrame::OnHelp(wxCommandEvent& event)
{
    const bool keys = event.GetId() == ID_HELP_KEYS;
    HelpWindow*& window = keys ? m_keysWindow : m_guideWindow;
    if (!window)
        window = keys ? new HelpWindow(this, "Keyboard and mouse", wxString::FromUTF8(keyboardAndMouseText()), true)
                      : new HelpWindow(this, "Getting started", wxString::FromUTF8(gettingStartedText()), false);
    window->Show();
    window->Raise();
}

HelpWindow* MyFrame::helpWindow(int id) const
{
    return id == ID_HELP_KEYS ? m_keysWindow : id == ID_HELP_GETTING_STARTED ? m_guideWindow : nullptr;
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
    canvas->say(addCellCommand());
    Refresh(false, nullptr);
}

void MyFrame::OnGrowRing(wxCommandEvent&)
{
    const GrowReport report = growRingCommand();
    if (report.cellsAdded == 0) {
        SetStatusText(growRingMessage(report), 0);
    } else {
        canvas->sayUntilRelaxed(growRingMessage(report));
        startOpeningRing();
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
    canvas->unsay();
    canvas->say(addCopyCommand(false));
    Refresh(false, nullptr);
}

void MyFrame::OnAddMirror(wxCommandEvent&)
{
    canvas->unsay();
    canvas->say(addCopyCommand(true));
    Refresh(false, nullptr);
}

void MyFrame::OnShowHidden(wxCommandEvent&)
{
    g_show_hidden = !g_show_hidden;
    GetMenuBar()->Check(ID_SHOW_HIDDEN, g_show_hidden);
    Refresh(false, nullptr);
}

void MyFrame::OnShowStrain(wxCommandEvent&)
{
    g_show_strain = !g_show_strain;
    GetMenuBar()->Check(ID_SHOW_STRAIN, g_show_strain);
    Refresh(false, nullptr);
}

void MyFrame::OnRemoveCell(wxCommandEvent&)
{
    canvas->unsay();
    const std::string refusal = removeCommand();
    if (refusal.empty())
        Refresh(false, nullptr);
    else
        canvas->say(refusal);
}

void MyFrame::OnKago(wxCommandEvent&)
{
    canvas->unsay();
    canvas->say(kagoCommand());
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
    canvas->say(subdivideCommand(event.GetId() - 39));
    Refresh(false, nullptr);
}

void MyFrame::OnOpen(wxCommandEvent&)
{
    if (!keepOrDiscardChanges())
        return;
    const wxString path = filePrompt()(canvas, "Choose a file", g_Filename, "Korvith files(*.kor)|*.kor", wxFD_OPEN);
    if (path.empty())
        return;
    if (openSurfaceFile(path, false))
        noteRecentFile(path);
    showReplacedSurface();
}

void MyFrame::OnAppend(wxCommandEvent&)
{
    if (!keepOrDiscardChanges())
        return;
    const wxString path = filePrompt()(canvas, "Choose a file", g_Filename, "Korvith files(*.kor)|*.kor", wxFD_OPEN);
    if (path.empty())
        return;
    openSurfaceFile(path, true);
    showReplacedSurface();
}

void MyFrame::OnOpenSample(wxCommandEvent& event)
{
    if (!keepOrDiscardChanges())
        return;
    openSample(event.GetId());
    showReplacedSurface();
}

void MyFrame::showReplacedSurface()
{
    // The first field's report (a curvature range, a refusal) was about the
    // surface that is gone.
    SetStatusText("", 0);
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
        if (kind == SaveKind::Surface) {
            markSurfaceSaved();
            g_documentPath = path;
            noteRecentFile(path);
            // Nothing unsaved is left to keep.
            removeAutosave();
            m_autosaved = 0;
        }
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
    return pasteRefusal(i, j).empty();
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
