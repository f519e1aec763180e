#include "view/animation.h"

#include "commands/sway_commands.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/smoothing.h"
#include "model/store.h"

TickResult animationTick()
{
    TickResult result;
    if (g_purturb > 0 && pickedVertex() >= 0) {
        const int p = g_purturb;
        messagetxt = "Now purturbing..";
        purturbStep();
        g_purturb = p + 1;
        if (g_purturb > 49 || interface_mode == 0) {
            g_purturb = 0;
            g_purtj = -1;
        }
    } else if (interface_mode != 0 && g_rotate > 0) {
        const int r = g_rotate;
        const double k = (0.02 * r) * (0.02 * r);
        messagetxt = "Now rotating..";
        rotatepoly(k * g_vangle, k * g_hangle);
        g_rotate = r - 1;
    } else if (g_buru > 0) {
        messagetxt = "Now swaying..";
        swayTick();
    } else if (g_smoothen) {
        messagetxt = "Now smoothing..";
        smoothen();
        modify();
    } else if (g_modify_until_valid) {
        messagetxt = "Now modifying ..";
        if (modify()) {
            g_modify_until_valid = false;
            result.modifyUntilValidEnded = true;
        }
    } else {
        messagetxt = " ";
        result.stopTimer = true;
    }
    return result;
}
