#include "geometry/sway_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/relaxation.h"
#include "geometry/runaway_guard.h"
#include "geometry/rigid_motion.h"
#include "geometry/smoothing.h"
#include "model/store.h"

bool smoothenCommand()
{
    const std::string fault = guardedStep([] {
        for (int k = 0; k < 5; ++k)
            smoothen();
        modify();
        offsetpolygon();
    });
    if (!fault.empty())
        messagetxt = wxString::FromUTF8(("Not smoothed: " + fault).c_str());
    return fault.empty();
}

void swayCommand()
{
    g_buru = 3;
    g_sway_extent = surfaceExtent();
}

bool repeatSwayCommand()
{
    g_buruloop = !g_buruloop;
    g_buru = 1;
    g_sway_extent = surfaceExtent();
    return g_buruloop;
}

std::string swayTick()
{
    if (!(g_sway_extent > 0))
        g_sway_extent = surfaceExtent();
    const PositionsBefore before = takePositions();
    spread();
    std::string fault = runawayFault(before);
    const double extent = surfaceExtent();
    if (fault.empty() && std::isfinite(g_sway_extent) && extent > SWAY_GROWTH * std::max(g_sway_extent, 1e-9)) {
        char text[120];
        std::snprintf(text, sizeof text, "it was pulling the surface apart (%.3g times as wide as when it began)",
                      extent / g_sway_extent);
        fault = text;
    }
    if (!fault.empty()) {
        restorePositions(before);
        g_buru = 0;
        g_buruloop = false;
    } else if (!g_buruloop) {
        --g_buru;
    }
    if (g_buru <= 0)
        g_sway_extent = 0;
    return fault;
}

bool modifyOffCommand()
{
    modify_off = !modify_off;
    modify();
    return modify_off;
}
