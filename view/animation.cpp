#include "view/animation.h"

#include <cstdio>
#include <cstdlib>

#include "geometry/precise_relaxation.h"
#include "geometry/sway_commands.h"
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
    } else if (g_relax_precisely) {
        const PreciseTick tick = relaxPreciselyTick();
        messagetxt = preciseRelaxationMessage(tick.error);
        if (tick.state != PreciseState::Running) {
            g_relax_precisely = false;
            result.relaxPreciselyEnded = true;
        }
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

std::string preciseRelaxationMessage(double error)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.1e", error);
    std::string text = digits;
    const std::string::size_type e = text.find('e');
    if (e != std::string::npos) {
        // "3.2e-05" becomes "3.2e-5", "1.0e+00" becomes "1.0e0".
        const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);
        text = text.substr(0, e + 1) + std::to_string(exponent);
    }
    return "Relaxing precisely: error " + text;
}
