// What the canvas needs of the window it sits in: a frame with a title, a
// status bar and an icon, that shows the timer's activities (for their check
// marks). The main window implements it; the canvas knows nothing else of it.
#pragma once

#include <wx/frame.h>

// The id of the canvas's animation timer, apart from every menu command's id.
enum { ID_TIMER = 65 };

class CanvasHost : public wxFrame {
public:
    using wxFrame::wxFrame;

    // Shows the flags of the timer's activities (Repeat sway, Repeat smoothing,
    // Modify until stable, Relax precisely) as they now stand: the canvas calls
    // it when a timer tick ends or stops one.
    virtual void syncActivityChecks() = 0;
};
