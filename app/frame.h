// The main window: menus, status bar and the command table.
#pragma once

#include <wx/frame.h>
#include <wx/menu.h>

class MyCanvas;

class MyFrame : public wxFrame {
public:
    // Builds the menus in order, the two-field status bar ("Welcome to Korvith!")
    // and the canvas.
    MyFrame(const wxString& title, const wxPoint& pos, const wxSize& size);

    // Exit: closes the window at once, without a question.
    void OnQuit(wxCommandEvent& event);
    // About: the "About Korvith" message box.
    void OnAbout(wxCommandEvent& event);
    // Undo / Redo: step the history, then repaint.
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    // Detect connected component: relabel and recompute centroids; no repaint.
    void OnDetectConnComp(wxCommandEvent& event);
    // Curvature Range: reports the spread of the angle sums in status field 0.
    void OnCurvatureRange(wxCommandEvent& event);

    // Leaves the device context as it is (logical and device coordinates coincide).
    void PrepareDC(wxDC& dc) override;

    MyCanvas* canvas = nullptr;  // the drawing window
    wxMenu* swayMenu = nullptr;  // the "&Sway" menu, for its check marks

private:
    // Sends the command of a key whose accelerator the toolkit does not deliver.
    void OnCharHook(wxKeyEvent& event);

    wxDECLARE_EVENT_TABLE();
};
