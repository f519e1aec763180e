#include <wx/defs.h>

#include "app/accelerator_fallback.h"
#include "app/command_ids.h"
#include "app/frame.h"
#include "app/menu_keys.h"
#include "tests/window_harness.h"
#include "view/canvas.h"

TEST(AcceleratorFallback, MapsOnlyTheKeysTheToolkitRefuses)
{
    EXPECT_EQ(fallbackCommandForKey(WXK_TAB, WXK_TAB, 0), ID_BURU);
    EXPECT_EQ(fallbackCommandForKey(WXK_TAB, 0xfe20, wxMOD_SHIFT), ID_BURU_LOOP);
    EXPECT_EQ(fallbackCommandForKey('=', '+', wxMOD_SHIFT), ID_ZOOM_IN);
    EXPECT_EQ(fallbackCommandForKey('=', '=', 0), ID_DEFAULT_SIZE);
    EXPECT_EQ(fallbackCommandForKey('-', '-', 0), ID_ZOOM_OUT);
    EXPECT_EQ(fallbackCommandForKey('0', '0', 0), ID_TOUCH_PURTURB);
    EXPECT_EQ(fallbackCommandForKey(WXK_NUMPAD_ADD, 0xffab, 0), ID_ZOOM_IN);
    EXPECT_EQ(fallbackCommandForKey('2', '@', wxMOD_CONTROL | wxMOD_SHIFT), ID_SUBDIV_2);
    EXPECT_EQ(fallbackCommandForKey('6', '^', wxMOD_CONTROL | wxMOD_SHIFT), ID_SUBDIV_6);
    // Keys the toolkit handles itself are left to it.
    EXPECT_EQ(fallbackCommandForKey('1', '1', wxMOD_CONTROL), 0);
    EXPECT_EQ(fallbackCommandForKey('0', '0', wxMOD_CONTROL), 0);
    EXPECT_EQ(fallbackCommandForKey('Z', 'Z', wxMOD_CONTROL | wxMOD_SHIFT), 0);
    EXPECT_EQ(fallbackCommandForKey(WXK_RETURN, WXK_RETURN, 0), 0);
    EXPECT_EQ(fallbackCommandForKey('7', '&', wxMOD_CONTROL | wxMOD_SHIFT), 0);
    // Ctrl with a digit 2 .. 6 but without Shift is swallowed.
    EXPECT_EQ(fallbackCommandForKey('2', '2', wxMOD_CONTROL), KEY_DOES_NOTHING);
    EXPECT_EQ(fallbackCommandForKey('6', '6', wxMOD_CONTROL), KEY_DOES_NOTHING);
    EXPECT_EQ(fallbackCommandForKey('7', '7', wxMOD_CONTROL), 0);
    EXPECT_EQ(fallbackCommandForKey('A', 'a', 0), 0);
}

namespace {
struct KeyCase {
    const char* keys;  // as xdotool names them
    int id;
};

// Every accelerator of the menus, pressed on the keyboard.
const KeyCase kKeys[] = {
    {"ctrl+o", ID_OPEN},
    {"shift+ctrl+o", ID_APPEND},
    {"ctrl+s", ID_SAVE},
    {"ctrl+p", ID_PRINT},
    {"ctrl+a", ID_ABOUT},
    {"alt+x", ID_QUIT},
    {"ctrl+z", ID_UNDO},
    {"ctrl+shift+z", ID_REDO},
    {"plus", ID_ZOOM_IN},
    {"minus", ID_ZOOM_OUT},
    {"equal", ID_DEFAULT_SIZE},
    {"ctrl+m", ID_MIRROR},
    {"ctrl+l", ID_DETECT_CONN_COMP},
    {"ctrl+c", ID_ADD_NEW_CELL},
    {"ctrl+v", ID_ADD_SAME},
    {"ctrl+b", ID_ADD_MIRROR},
    {"ctrl+n", ID_PULL_POINT},
    {"ctrl+r", ID_REMOVE_CELL},
    {"ctrl+y", ID_PASTE_ALL},
    {"ctrl+g", ID_GROW_RING},
    {"Home", ID_FIT_TO_WINDOW},
    {"ctrl+shift+2", ID_SUBDIV_2},
    {"ctrl+shift+3", ID_SUBDIV_3},
    {"ctrl+shift+4", ID_SUBDIV_4},
    {"ctrl+shift+5", ID_SUBDIV_5},
    {"ctrl+shift+6", ID_SUBDIV_6},
    {"ctrl+k", ID_KAGO},
    {"ctrl+f", ID_FLIP},
    {"ctrl+shift+c", ID_CURVATURE_RANGE},
    {"0", ID_TOUCH_PURTURB},
    {"Tab", ID_BURU},
    {"shift+Tab", ID_BURU_LOOP},
    {"Return", ID_SMOOTH},
    {"shift+Return", ID_REPEAT_SMOOTHING},
    {"ctrl+shift+m", ID_MODIFY_UNTIL_VALID},
    {"ctrl+1", ID_MODIFY_OFF},
    {"ctrl+shift+r", ID_RELAX_PRECISELY},
    {"F1", ID_HELP_GETTING_STARTED},
};
}  // namespace

TEST(Accelerators, EveryAcceleratorWorksWithARealKeyPress)
{
    CommandRecorder recorder;
    for (const KeyCase& key : kKeys) {
        recorder.ids.clear();
        ASSERT_TRUE(pressKey(key.keys)) << "xdotool is needed for this test";
        pumpEventsUntil([&] { return !recorder.ids.empty(); });
        pumpEvents(40);  // a second delivery of the same key would show here
        EXPECT_EQ(recorder.ids, std::vector<int>{key.id}) << "key " << key.keys;
    }
}

TEST(Accelerators, PlainCtrlWithADigitDoesNothing)
{
    CommandRecorder recorder;
    for (const char* keys : {"ctrl+2", "ctrl+3", "ctrl+4", "ctrl+5", "ctrl+6"}) {
        ASSERT_TRUE(pressKey(keys));
        pumpEvents(150);
        EXPECT_TRUE(recorder.ids.empty()) << keys << " gave command " << recorder.ids[0];
        recorder.ids.clear();
    }
    ASSERT_TRUE(pressKey("ctrl+shift+3"));
    pumpEventsUntil([&] { return !recorder.ids.empty(); });
    EXPECT_EQ(recorder.ids, std::vector<int>{ID_SUBDIV_3}) << "the Shift form still works";
}

TEST(Accelerators, SwayAndRepeatSwayShowTabAndShiftTab)
{
    wxMenuBar* bar = mainFrame()->GetMenuBar();
    EXPECT_EQ(keyShownBeside(bar->FindItem(ID_BURU)), "Tab");
    EXPECT_EQ(keyShownBeside(bar->FindItem(ID_BURU_LOOP)), "Shift+Tab");
    EXPECT_EQ(keyShownBeside(bar->FindItem(ID_SAVE_AS_HEADER)), "") << "an item without a key shows none";
}
