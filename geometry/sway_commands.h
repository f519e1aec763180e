// The Sway menu's commands that move the surface, shared by the window's
// handlers and korvith-tool's operations.
#pragma once

// "Smoothen": five smoothing passes, one relaxation burst, and the surface
// recentred on the origin. Writes: v.
void smoothenCommand();

// "Sway": starts three sway ticks (g_buru = 3); the window's timer then runs
// them one per tick with swayTick. Writes: g_buru.
void swayCommand();

// One sway tick: a spreading pass (with its relaxation burst); counts the
// remaining ticks down unless "Repeat sway" is on. Reads: g_buruloop.
// Writes: v, g_buru.
void swayTick();

// "Modify off": switches relaxation off or on again, then runs one relaxation
// burst (which does nothing while it is off). Returns the new setting.
// Writes: modify_off, v.
bool modifyOffCommand();
