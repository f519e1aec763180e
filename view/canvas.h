// The drawing window of the main frame, with the animation timer.
#pragma once

#include <wx/dcmemory.h>
#include <wx/timer.h>
#include <wx/window.h>

class MyFrame;

class MyCanvas : public wxWindow {
public:
    // A 640 x 480 child of `frame` at (0, 0); sets the frame icon, starts the
    // 15 ms timer and centres the projection in the client area.
    explicit MyCanvas(MyFrame* frame);
    ~MyCanvas() override;

    // Draws the whole surface into the off-screen bitmap and copies it in one blit.
    void OnPaint(wxPaintEvent& event);
    // The drawing pass into a memory context that has gs_bmpScreen selected.
    void DrawPoly(wxMemoryDC& dc);
    // Re-centres the projection on the new client area and repaints.
    void OnSize(wxSizeEvent& event);
    // One tick of the animation timer: one step of the pending activity, a
    // repaint, and the timer stopped when nothing is pending.
    void OnTimer(wxTimerEvent& event);
    // Every mouse event: restarts the timer, runs the gesture it belongs to,
    // sets the cursor, repaints when the picture changed, and lets the event go on.
    void OnMouseEvent(wxMouseEvent& event);
    // Left double click: adds a cell at the picked vertex.
    void OnDoubleClick(wxMouseEvent& event);
    // Restarts the timer with its interval unchanged, repeating.
    void restartTimer();

    MyFrame* m_owner;  // the main window (not owned)
    wxTimer m_timer;   // the animation timer, id 65

private:
    wxDECLARE_EVENT_TABLE();
};
