// One tick of the animation timer: at most one step of the pending activity,
// in the order perturbation, coasting rotation, sway, repeated smoothing,
// relaxing precisely, relaxing until stable.
#pragma once

#include <string>

// What the window does after a tick.
struct TickResult {
    bool stopTimer = false;               // nothing was pending: stop the timer
    bool modifyUntilValidEnded = false;   // relaxing until stable succeeded: clear its check mark
    bool relaxPreciselyEnded = false;     // precise relaxation finished: clear its check mark
    bool stoppedRunaway = false;          // a step would have run away and was put back; its activity
                                          // stopped: set the check marks from the flags again
};

// Runs one tick and sets messagetxt to the activity's message ("Now
// purturbing..", "Now rotating..", "Now swaying..", "Now smoothing..",
// "Relaxing precisely: error 3.2e-5", "Now modifying ..", or " " when nothing
// is pending). A step that would run away (geometry/runaway_guard.h) is put
// back, its activity stops (its flag or counter cleared) and messagetxt says
// why, as in "Stopped swaying: vertex 3 would go to a position that is not a
// number". Precise relaxation ends by itself when every edge is within
// PRECISE_TOLERANCE or no further step helps. Reads and writes g_purturb,
// g_purtj, g_rotate, g_vangle, g_hangle, g_buru, g_buruloop, g_sway_extent, g_smoothen,
// g_relax_precisely, g_modify_until_valid, interface_mode, messagetxt, and the
// positions the steps move.
TickResult animationTick();

// The status message of precise relaxation: the largest relative edge error
// with two significant digits and a plain exponent ("3.2e-5").
std::string preciseRelaxationMessage(double error);
