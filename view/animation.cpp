#include "view/animation.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "geometry/gap_relaxation.h"
#include "geometry/precise_relaxation.h"
#include "geometry/sway_commands.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/runaway_guard.h"
#include "geometry/smoothing.h"
#include "model/store.h"

namespace {
// After a step that was put back: stop its activity and say why.
void stopRunaway(TickResult* result, bool* flag, const char* activity, const std::string& fault)
{
    if (flag)
        *flag = false;
    messagetxt = wxString::FromUTF8(("Stopped " + std::string(activity) + ": " + fault).c_str());
    result->stoppedRunaway = true;
}
}  // namespace

TickResult animationTick()
{
    TickResult result;
    std::string fault;
    if (g_purturb > 0 && pickedVertex() >= 0) {
        const int p = g_purturb;
        messagetxt = "Now purturbing..";
        fault = guardedStep(purturbStep);
        g_purturb = p + 1;
        if (g_purturb > 49 || interface_mode == 0 || !fault.empty()) {
            g_purturb = 0;
            g_purtj = -1;
        }
        if (!fault.empty())
            stopRunaway(&result, nullptr, "the perturbation", fault);
    } else if (interface_mode != 0 && g_rotate > 0) {
        const int r = g_rotate;
        const double k = (0.02 * r) * (0.02 * r);
        messagetxt = "Now rotating..";
        fault = guardedStep([&] { rotatepoly(k * g_vangle, k * g_hangle); });
        g_rotate = fault.empty() ? r - 1 : 0;
        if (!fault.empty())
            stopRunaway(&result, nullptr, "rotating", fault);
    } else if (g_buru > 0) {
        messagetxt = "Now swaying..";
        fault = swayTick();
        if (!fault.empty())
            stopRunaway(&result, nullptr, "swaying", fault);
    } else if (g_smoothen) {
        messagetxt = "Now smoothing..";
        fault = guardedStep([] {
            smoothen();
            modify();
        });
        if (!fault.empty())
            stopRunaway(&result, &g_smoothen, "smoothing", fault);
    } else if (g_opening_ring) {
        // A grown ring opens out among the rings before it, then relaxes precisely.
        messagetxt = "Opening the new ring..";
        fault = guardedStep([] { openRingTick(); });
        if (!fault.empty()) {
            delete g_opening_ring;
            g_opening_ring = nullptr;
            stopRunaway(&result, &g_relax_precisely, "opening the ring", fault);
        }
    } else if (g_relax_precisely) {
        PreciseTick tick{PreciseState::Running, 0};
        fault = guardedStep([&] { tick = relaxPreciselyTick(); });
        messagetxt = preciseRelaxationMessage(tick.error);
        if (!fault.empty()) {
            stopRunaway(&result, &g_relax_precisely, "relaxing precisely", fault);
        } else if (tick.state != PreciseState::Running) {
            g_relax_precisely = false;
            result.relaxPreciselyEnded = true;
        }
    } else if (g_modify_until_valid) {
        messagetxt = "Now modifying ..";
        bool settled = false;
        fault = guardedStep([&] { settled = modify(); });
        if (!fault.empty()) {
            stopRunaway(&result, &g_modify_until_valid, "modifying", fault);
        } else if (settled) {
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
