// The main window: menus, status bar and the command table.
#pragma once

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include <string>
#include <vector>

#include "io/writer.h"
#include "view/canvas_host.h"

class HelpWindow;
class MyCanvas;

class MyFrame : public CanvasHost {
public:
    // Builds the menus in order, the two-field status bar ("Welcome to Korvith!")
    // and the canvas.
    MyFrame(const wxString& title, const wxPoint& pos, const wxSize& size);

    // Exit: closes the window (which asks first about unsaved changes).
    void OnQuit(wxCommandEvent& event);
    // Closing the window: when the surface has changed since it was opened or
    // saved, asks "Save changes to NAME?" and stays open on Cancel (or when the
    // save is cancelled or fails). Closing removes the autosave; a close that
    // cannot be refused (the session ends) writes it and keeps it instead.
    void OnClose(wxCloseEvent& event);
    // Whether to go on with a command that replaces the surface: true when
    // nothing is unsaved, or the user saved or chose Discard.
    bool keepOrDiscardChanges();
    // After Open, Open and append, Open recent, Revert or a sample: clears the
    // status bar's report about the former surface and repaints.
    void showReplacedSurface();
    // Autosave: every `milliseconds` from now on, autosaveNow. The window starts
    // it with the interval KORVITH_AUTOSAVE_SECONDS asks for (60 s unset).
    void startAutosave(int milliseconds);
    const wxTimer& autosaveTimer() const { return m_autosaveTimer; }
    // One tick of the autosave: writes the surface as this process's autosave
    // when it has unsaved changes not yet written, removes the autosave when
    // there are none; a failure is said once in status field 0.
    void autosaveNow();
    // Offers each autosave left behind by a window that did not exit cleanly,
    // newest first: "Restore the surface from 14:32?". Restore reads it back
    // (as unsaved changes to the file it came from) and keeps the rest for the
    // next start; Discard removes it; Later keeps it.
    void offerLeftAutosaves();
    // File > Open recent: opens the file (asking about unsaved changes as Open
    // does); a file that is gone is taken off the list with a message.
    void OnOpenRecent(wxCommandEvent& event);
    // File > Revert: reads g_documentPath again (asking about unsaved changes
    // first); refused with a message when there is no file. One undo step.
    void OnRevert(wxCommandEvent& event);
    void OnUpdateRevert(wxUpdateUIEvent& event);
    // Help > Getting started and Help > Keyboard and mouse: shows the window.
    void OnHelp(wxCommandEvent& event);
    // The help window of command `id` once it was shown; null before.
    HelpWindow* helpWindow(int id) const;
    // Fills File > Open recent from the list as stored.
    void fillRecentMenu();
    wxMenu* recentMenu() const { return m_recentMenu; }
    // Puts `path` first in the recent list and refreshes the menu.
    void noteRecentFile(const wxString& path);
    // Fit to window: scales and centres the surface to fill the canvas.
    void OnFitToWindow(wxCommandEvent& event);
    // About: the "About Korvith" message box.
    void OnAbout(wxCommandEvent& event);
    // Undo / Redo: step the history, then repaint.
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    // Detect connected component: relabel and recompute centroids; no repaint.
    void OnDetectConnComp(wxCommandEvent& event);
    // Curvature Range: reports the spread of the angle sums in status field 0.
    void OnCurvatureRange(wxCommandEvent& event);

    // Mirror image: reflects the surface, or the selected components.
    void OnMirror(wxCommandEvent& event);
    // Pull one point: lowers the picked vertex by 0.3 and relaxes.
    void OnPullPoint(wxCommandEvent& event);
    // Touch perturbation: toggles touch_purturb and its check mark.
    void OnTouchPurturb(wxCommandEvent& event);
    // Smoothen: five smoothing passes, a relaxation burst, recentring.
    void OnSmooth(wxCommandEvent& event);
    // Repeat smoothing: toggles g_smoothen and its check mark; the timer smooths.
    void OnRepeatSmoothing(wxCommandEvent& event);
    // Sway (three spreading ticks) and Repeat sway (toggles g_buruloop).
    void OnBuru(wxCommandEvent& event);
    // Modify until stable: toggles g_modify_until_valid; the timer relaxes.
    void OnModifyUntilValid(wxCommandEvent& event);
    // Relax precisely: starts (one undo snapshot) or stops the precise
    // relaxation; the timer runs it.
    void OnRelaxPrecisely(wxCommandEvent& event);
    // Modify off: toggles modify_off, then relaxes one burst (if now on).
    void OnModifyOff(wxCommandEvent& event);

    // Add new cells: adds a cell at the picked vertex (level-1 surfaces only), repaints.
    void OnAddNewCell(wxCommandEvent& event);
    // Grow one ring: a ring of cells along every boundary loop (one undo
    // step), its count and the largest edge error in status field 0, then
    // the precise relaxation on the timer; a refusal says why there.
    void OnGrowRing(wxCommandEvent& event);
    // Paste all possible edges: records a snapshot, zips every seam, relaxes, repaints.
    void OnPasteAll(wxCommandEvent& event);
    // Add copy image / Add mirror image: appends a copy, recentres, repaints;
    // a copy that does not fit is told in the status bar.
    void OnAddSame(wxCommandEvent& event);
    void OnAddMirror(wxCommandEvent& event);
    // Remove some cells: removes the picked vertex with its edges and faces, relabels.
    void OnRemoveCell(wxCommandEvent& event);
    // Kago like: records a snapshot; on a subdivided surface removes the cell centres and relaxes.
    void OnKago(wxCommandEvent& event);
    // Flip face: reverses every face.
    void OnFlip(wxCommandEvent& event);
    // Subdivide 2 .. 6: records a snapshot; on a level-1 surface subdivides and relabels.
    void OnSubdiv(wxCommandEvent& event);
    // Open / Open and append: asks for a surface file and reads it.
    void OnOpen(wxCommandEvent& event);
    void OnAppend(wxCommandEvent& event);
    // The samples (ids 12 .. 25, and the grown disc).
    void OnOpenSample(wxCommandEvent& event);
    // Save / Save As Header: asks for a file name, asks before overwriting, and
    // writes the file so that a failure leaves the old file as it was.
    void OnSave(wxCommandEvent& event);
    void OnSaveAsHeader(wxCommandEvent& event);
    // File > Export...: the surface in the format its file name's extension
    // names; STL and 3MF as a solid of a thickness and size asked for.
    void OnExport(wxCommandEvent& event);
    void OnExportPaperModel(wxCommandEvent& event);
    // Zoom in, zoom out, default size.
    void OnZoomIn(wxCommandEvent& event);
    void OnZoomOut(wxCommandEvent& event);
    void OnDefaultSize(wxCommandEvent& event);
    // The four interface modes.
    void OnModeNormal(wxCommandEvent& event);
    void OnModeClassic(wxCommandEvent& event);
    void OnModeTouchPanel(wxCommandEvent& event);
    void OnModeAnimal(wxCommandEvent& event);
    // Mode > Show hidden vertices: toggles g_show_hidden and its check mark.
    void OnShowHidden(wxCommandEvent& event);
    // Color > Show edge strain: toggles g_show_strain and its check mark.
    void OnShowStrain(wxCommandEvent& event);
    // Front face, back face and background colours (ids 62 .. 64).
    void OnColor(wxCommandEvent& event);
    // Print: the print dialog, then the current view on one page.
    void OnPrint(wxCommandEvent& event);
    // PrintSetUp: the page set-up dialog; its choices go into g_printData.
    void OnPrintSetup(wxCommandEvent& event);
    // Whether vertex i may be glued to the picked vertex j: the gluing rule,
    // pasteRefusal (uses no window state).
    bool isPasteVertices(int i, int j);

    // Leaves the device context as it is (logical and device coordinates coincide).
    void PrepareDC(wxDC& dc) override;

    MyCanvas* canvas = nullptr;  // the drawing window
    wxMenu* swayMenu = nullptr;  // the "&Sway" menu, for its check marks

    // Sets the check marks of the timer's activities (Repeat sway, Repeat
    // smoothing, Modify until stable, Relax precisely) from their flags.
    void syncActivityChecks() override;

private:
    // Save and Save As Header after the text is built; true when the file was
    // written (a saved surface is the saved document from then on).
    bool saveText(const std::string& text, SaveKind kind, const wxString& wildcard);
    // Sends the command of a key whose accelerator the toolkit does not deliver.
    void OnCharHook(wxKeyEvent& event);

    wxTimer m_autosaveTimer;
    unsigned long long m_autosaved = 0;  // fingerprint of the surface last autosaved; 0 none
    std::string m_autosaveProblem;       // the last autosave failure said; empty
    wxMenu* m_recentMenu = nullptr;      // File > Open recent
    std::vector<wxString> m_recentShown; // the files its items stand for, in order
    HelpWindow* m_guideWindow = nullptr; // Help > Getting started, once shown
    HelpWindow* m_keysWindow = nullptr;  // Help > Keyboard and mouse, once shown

    wxDECLARE_EVENT_TABLE();
};
