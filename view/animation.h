// One tick of the animation timer: at most one step of the pending activity,
// in the order perturbation, coasting rotation, sway, repeated smoothing,
// relaxing until stable.
#pragma once

// What the window does after a tick.
struct TickResult {
    bool stopTimer = false;               // nothing was pending: stop the timer
    bool modifyUntilValidEnded = false;   // relaxing until stable succeeded: clear its check mark
};

// Runs one tick and sets messagetxt to the activity's message ("Now
// purturbing..", "Now rotating..", "Now swaying..", "Now smoothing..", "Now
// modifying ..", or " " when nothing is pending). Reads and writes g_purturb,
// g_purtj, g_rotate, g_vangle, g_hangle, g_buru, g_buruloop, g_smoothen,
// g_modify_until_valid, interface_mode, messagetxt, and the positions the
// steps move.
TickResult animationTick();
