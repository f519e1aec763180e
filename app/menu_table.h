// The menus as one table: every item's menu, command id, label (with its
// accelerator after the tab), kind and help string, in menu order. The table
// builds the menu bar, and the same table gives the list of keys in
// Help > Keyboard and mouse and the keys the Getting started guide names, so
// the three never disagree. The canvas's gestures are a second, small table.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

class wxMenu;
class wxMenuBar;

enum class MenuKind {
    Normal,     // a command
    Check,      // a command with a check mark (starts unchecked)
    Separator,  // a line between groups
    Submenu,    // opens the submenu whose rows name this row's label as their menu
    Recent,     // File > Open recent: a submenu the window fills with the recent files
};

struct MenuRow {
    const char* menu;   // "&File", "&Edit", ... in menu-bar order, or the label of a Submenu row
    int id;             // command id (app/command_ids.h); 0 for a separator
    const char* label;  // exactly as shown; the text after '\t' is the accelerator
    MenuKind kind;
    const char* help;   // shown in the status bar while the item is highlighted; "" for none
};

// Every menu row, menu by menu, each menu's rows in their order.
const std::vector<MenuRow>& menuTable();

// The canvas's mouse gestures and the keys that are no menu's: what to do and
// what it does.
struct Gesture {
    const char* what;
    const char* does;
};
const std::vector<Gesture>& gestureTable();

// The menus the table builds, by their label ("&File", "&Sway", "Open &recent", "&Subdivide").
using BuiltMenus = std::map<std::string, wxMenu*>;

// Builds the menu bar from the table: the top menus in the order they first
// appear, every label exactly as written (the GTK toolkit would drop the key
// of "TAB" and "Shift-TAB"; those are kept and shown, the frame's key hook
// delivers them). Puts every menu it made in *menus.
wxMenuBar* buildMenuBar(BuiltMenus* menus);

// The accelerator of command `id` as the table writes it, with "TAB" and
// "RETURN" written "Tab" and "Return"; empty when it has none.
std::string acceleratorOf(int id);

// "Edit > Subdivide > 2": the way to the command through the menus, without
// the mnemonic marks and the accelerator; empty when no row has `id`.
std::string menuPathOf(int id);

// The lines of Help > Keyboard and mouse: (key, what it does) for every menu
// row with an accelerator, in menu order, then every gesture.
std::vector<std::pair<std::string, std::string>> keyList();

// Help > Keyboard and mouse as text: the key list in two columns.
std::string keyboardAndMouseText();

// Help > Getting started as text: growing, gluing, relaxing, exporting, with
// the keys taken from the table.
std::string gettingStartedText();
