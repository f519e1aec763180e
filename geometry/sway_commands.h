// The Sway menu's commands that move the surface, shared by the window's
// handlers and korvith-tool's operations.
#pragma once

#include <string>

// "Smoothen": five smoothing passes, one relaxation burst, and the surface
// recentred on the origin. When that would run away (runaway_guard.h) the
// surface stays as it was and messagetxt says why; returns false then.
// Writes: v, messagetxt.
bool smoothenCommand();

// "Sway": starts three sway ticks (g_buru = 3); the window's timer then runs
// them one per tick with swayTick. Writes: g_buru, g_sway_extent.
void swayCommand();

// "Repeat sway": switches the repetition on or off and lets one more tick run
// (g_buru = 1). Returns the new setting. Writes: g_buruloop, g_buru,
// g_sway_extent.
bool repeatSwayCommand();

// One sway tick: a spreading pass (with its relaxation burst); counts the
// remaining ticks down unless "Repeat sway" is on. A tick that runs away
// (runawayFault), or that takes the surface beyond SWAY_GROWTH times its
// extent when this sway began (the spreading feeding on itself, as it does
// with relaxation off), is put back and stops the sway, the repetition
// included (g_buru = 0, g_buruloop = false); the reason is returned, and an
// empty string otherwise. Reads: g_buruloop, g_sway_extent. Writes: v, g_buru,
// g_buruloop, g_sway_extent.
std::string swayTick();

// "Modify off": switches relaxation off or on again, then runs one relaxation
// burst (which does nothing while it is off). Returns the new setting.
// Writes: modify_off, v.
bool modifyOffCommand();
