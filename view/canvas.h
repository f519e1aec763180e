// The drawing window of the main frame, with the animation timer.
#pragma once

#include <cairo.h>

#include <wx/dcmemory.h>
#include <wx/timer.h>
#include <wx/window.h>

#include "view/frame_stats.h"
#include "view/scene.h"

class CanvasHost;

class MyCanvas : public wxWindow {
public:
    // A 640 x 480 child of `frame` at (0, 0); sets the frame icon, starts the
    // 15 ms timer and centres the projection in the client area.
    explicit MyCanvas(CanvasHost* frame);
    ~MyCanvas() override;

    // Paints the whole client area at the screen's pixel density.
    void OnPaint(wxPaintEvent& event);
    // The drawing pass into a memory context with a bitmap selected (its size).
    void DrawPoly(wxMemoryDC& dc);
    // One frame of w x h logical pixels at `scale` device pixels each: the scene
    // of the surface painted into the off-screen picture, copied onto `dc` in
    // one operation, the status message at the top-left, the title set.
    void paintFrame(wxDC& dc, int w, int h, double scale);
    // Re-centres the projection on the new client area and repaints.
    void OnSize(wxSizeEvent& event);
    // One tick of the animation timer: one step of the pending activity, a
    // repaint, and the timer stopped when nothing is pending.
    void OnTimer(wxTimerEvent& event);
    // Every mouse event: restarts the timer, runs the gesture it belongs to,
    // sets the cursor, repaints when the picture changed, and lets the event go on.
    void OnMouseEvent(wxMouseEvent& event);
    // Left double click: adds a cell at the picked vertex as Edit > Add new
    // cells does (addCellCommand: refused on a subdivided surface); with
    // Shift, adds it glued as the tiling continues there (addGluedCommand) and
    // repaints, at the vertex aimCellAt finds when no cell can grow at the
    // picked one. The status bar says why when no cell is added.
    void OnDoubleClick(wxMouseEvent& event);
    // Shows one line in the status bar's first field: why a gesture or command
    // was refused, or a warning (an empty line shows nothing: a command's
    // refusal is empty when it was done). It stays until the next press of a mouse
    // button or the next command that says something.
    void say(const wxString& line);
    // Clears the line say() left, unless something else has replaced it.
    void unsay();
    // Restarts the timer with its interval unchanged, repeating.
    void restartTimer();
    // Shows `report` now, and again, followed by the error reached, when the
    // precise relaxation running on the timer ends (Grow one ring's report).
    void sayUntilRelaxed(const wxString& report);

    CanvasHost* m_owner;  // the main window (not owned)
    long m_paints = 0; // paints so far
    wxTimer m_timer;   // the animation timer, id 65

private:
    // Remembers what the frame just painted showed, and sets the title.
    void paintedFrame();

    Scene m_scene;                         // the last frame's scene, its storage reused
    cairo_surface_t* m_picture = nullptr;  // the off-screen picture, client size x density
    int m_paintedPick = -1, m_paintedDragPick = -1;  // g_purtj, g_dragpurtj of the last frame
    wxString m_paintedMessage = " ";       // messagetxt of the last frame
    FrameStats m_stats;
    wxString m_said;                       // the line say() last showed
    wxString m_relaxingAfter;              // the report the precise relaxation's result follows
    wxDECLARE_EVENT_TABLE();
};
