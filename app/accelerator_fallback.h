// Keys whose menu accelerators the GTK toolkit refuses or never fires (Tab,
// Shift-Tab, the plain keys "+", "-", "=", "0", and Ctrl-Shift with a digit).
// The main window catches them before the toolkit and sends the menu command
// itself, so every accelerator shown in the menus works.
#pragma once

#include <wx/defs.h>

// A key that must do nothing, although the toolkit would take it for a
// neighbouring accelerator (Ctrl with a digit 2 .. 6 but without Shift).
constexpr int KEY_DOES_NOTHING = -1;

// The command a key press stands for when the toolkit cannot deliver it as an
// accelerator, KEY_DOES_NOTHING for a key to swallow, or 0 when the toolkit's
// own accelerator handles it (or none).
// `keyCode` is wxKeyEvent::GetKeyCode() (the key itself, unshifted), `rawKey`
// the key symbol of the character typed (GetRawKeyCode(), e.g. '+' for Shift
// and '='), `modifiers` GetModifiers() (wxMOD_* bits). Reads nothing else.
int fallbackCommandForKey(int keyCode, unsigned int rawKey, int modifiers);
