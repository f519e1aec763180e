// Mouse gestures on the canvas: hovering picks a vertex, a left drag turns the
// model or glues the picked vertex onto another, the right button selects and
// drags whole components.
#pragma once

#include <string>

#include <wx/gdicmn.h>

// The kind of a mouse event, as far as the gestures tell them apart.
enum class MouseKind {
    LeftDown,   // the left button was pressed
    LeftUp,     // the left button was released
    RightDown,  // the right button was pressed
    Other,      // motion, double clicks, other buttons, entering, leaving, the wheel
};

// What the window does after a mouse event.
struct MouseOutcome {
    bool handCursor = false;  // a vertex is under the pointer: show the hand
    bool repaint = false;     // the picture changed
    std::string status;       // one line for the status bar: why a glue was refused, or a warning after
                              // it ("" leaves the status bar as it is)
};

// Handles one mouse event at device position `pt`; `leftIsDown` and
// `rightIsDown` tell the buttons held during it. Cases, first match wins:
// left press; left button held (drag from the picked vertex looking for a
// partner, the vertices it may be glued to in g_gluable and the one aimed at
// in g_aimpurtj, or turning); left release (glue the picked vertex to the first
// vertex under the pointer that pasteCommand glues, else to the aimed
// vertex, with the refusal of
// the nearest other vertex under it as the status when none does, and a
// warning when the glue pinches a vertex, or, after a drag that found nothing,
// a line saying so); right press (select
// the component of the first vertex within 10 pixels, or clear every
// selection); right button held while a component is dragged (move it in the
// picture plane); anything else hovers (pick the first vertex within 6 pixels).
// Reads and writes g_purtj, g_dragpurtj, g_gluable, g_aimpurtj, g_dragcomponent, g_purturb,
// g_vangle, g_hangle, g_rotate, hilighted, messagetxt, v, and through gluing
// the whole model and the undo history. Reads gv, conn_comp, interface_mode,
// touch_purturb, g_rate, NOV.
MouseOutcome handleMouseEvent(MouseKind kind, bool leftIsDown, bool rightIsDown, wxPoint pt);

// Puts the remembered drag position back to (0, 0), as at program start.
void resetMouseState();
