#include "app/accelerator_fallback.h"

#include <wx/defs.h>

#include "app/command_ids.h"

int fallbackCommandForKey(int keyCode, unsigned int rawKey, int modifiers)
{
    const int chord = modifiers & (wxMOD_ALT | wxMOD_CONTROL | wxMOD_SHIFT | wxMOD_META);

    // Tab and Shift-Tab: "Sway" and "Repeat sway".
    if (keyCode == WXK_TAB && chord == 0)
        return ID_BURU;
    if (keyCode == WXK_TAB && chord == wxMOD_SHIFT)
        return ID_BURU_LOOP;

    // Ctrl-Shift-2 ... Ctrl-Shift-6: the subdivision levels. The key code is the
    // digit key itself, whatever character Shift makes of it.
    if (chord == (wxMOD_CONTROL | wxMOD_SHIFT) && keyCode >= '2' && keyCode <= '6')
        return ID_SUBDIV_2 + (keyCode - '2');
    // Without Shift the toolkit would match them to the same items; only the
    // Shift forms are bound (Ctrl-1 stays Modify off).
    if (chord == wxMOD_CONTROL && keyCode >= '2' && keyCode <= '6')
        return KEY_DOES_NOTHING;

    // The plain keys "+", "-", "=" and "0", judged by the character typed (so
    // "+" works with or without Shift, whichever the layout needs), and the keypad.
    if ((chord & (wxMOD_ALT | wxMOD_CONTROL | wxMOD_META)) != 0)
        return 0;
    switch (keyCode) {
    case WXK_NUMPAD_ADD:
        return ID_ZOOM_IN;
    case WXK_NUMPAD_SUBTRACT:
        return ID_ZOOM_OUT;
    case WXK_NUMPAD_EQUAL:
        return ID_DEFAULT_SIZE;
    case WXK_NUMPAD0:
        return ID_TOUCH_PURTURB;
    default:
        break;
    }
    switch (rawKey) {
    case '+':
        return ID_ZOOM_IN;
    case '-':
        return ID_ZOOM_OUT;
    case '=':
        return ID_DEFAULT_SIZE;
    case '0':
        return ID_TOUCH_PURTURB;
    default:
        return 0;
    }
}
