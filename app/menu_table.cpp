#include "app/menu_table.h"

#include <wx/log.h>
#include <wx/menu.h>

#include <algorithm>
#include <cstring>

#include "app/command_ids.h"
#include "app/menu_keys.h"

namespace {
constexpr MenuKind N = MenuKind::Normal;
constexpr MenuKind C = MenuKind::Check;

// clang-format off
const std::vector<MenuRow> ROWS = {
    {"&File", ID_OPEN, "&Open...\tCtrl-O", N, ""},
    {"&File", ID_APPEND, "&Open and append...\tShift-Ctrl-O", N, ""},
    {"&File", ID_OPEN_RECENT, "Open &recent", MenuKind::Recent, "Open one of the last eight files opened or saved"},
    {"&File", ID_SAVE, "&Save...\tCtrl-S", N, ""},
    {"&File", ID_REVERT, "Re&vert", N, "Read the file again from disk, dropping the changes since"},
    {"&File", ID_SAVE_AS_HEADER, "Save &As Header", N, ""},
    {"&File", ID_EXPORT, "&Export...", N, "Write the surface for another program: a mesh, a solid to print or a picture"},
    {"&File", ID_EXPORT_PAPER_MODEL, "Export paper &model...", N, "Write sheets to print, cut, fold and glue into the surface"},
    {"&File", 0, "", MenuKind::Separator, ""},
    {"&File", ID_PRINT, "&Print...\tCtrl-P", N, ""},
    {"&File", ID_PRINT_SETUP, "PrintSet&Up", N, ""},
    {"&File", 0, "", MenuKind::Separator, ""},
    {"&File", ID_ABOUT, "&About...\tCtrl-A", N, "Show about dialog"},
    {"&File", 0, "", MenuKind::Separator, ""},
    {"&File", ID_QUIT, "E&xit\tAlt-X", N, "Quit this program"},

    {"&Edit", ID_UNDO, "&Undo\tCtrl-Z", N, ""},
    {"&Edit", ID_REDO, "&Redo\tCtrl-Shift-Z", N, ""},
    {"&Edit", ID_ZOOM_IN, "Zoom &In\t+", N, ""},
    {"&Edit", ID_ZOOM_OUT, "Zoom &Out\t-", N, ""},
    {"&Edit", ID_DEFAULT_SIZE, "&Default size\t=", N, ""},
    {"&Edit", ID_FIT_TO_WINDOW, "&Fit to window\tHome", N, "Scale and centre the surface to fill the window"},
    {"&Edit", 0, "", MenuKind::Separator, ""},
    {"&Edit", ID_MIRROR, "&Mirror image\tCtrl-M", N, ""},
    {"&Edit", ID_DETECT_CONN_COMP, "&Detect connected component\tCtrl-L", N, ""},
    {"&Edit", 0, "", MenuKind::Separator, ""},
    {"&Edit", ID_ADD_NEW_CELL, "&Add new cells\tCtrl-C", N, ""},
    {"&Edit", ID_ADD_SAME, "&Add copy image\tCtrl-V", N, ""},
    {"&Edit", ID_ADD_MIRROR, "&Add mirror image \tCtrl-B", N, ""},
    {"&Edit", ID_PULL_POINT, "&Pull one point \tCtrl-N", N, ""},
    {"&Edit", ID_REMOVE_CELL, "&Remove some cells \tCtrl-R", N, ""},
    {"&Edit", 0, "", MenuKind::Separator, ""},
    {"&Edit", ID_PASTE_ALL, "&Paste all possible edges \tCtrl-Y", N, ""},
    {"&Edit", ID_GROW_RING, "&Grow one ring\tCtrl-G", N, "Add a ring of cells along every boundary loop, glued, then open it out and relax precisely"},
    {"&Edit", ID_SUBDIVIDE, "&Subdivide", MenuKind::Submenu, ""},
    {"&Edit", ID_KAGO, "&Kago like\tCtrl-K", N, ""},
    {"&Edit", ID_FLIP, "&Flip face\tCtrl-F", N, ""},
    {"&Edit", ID_CURVATURE_RANGE, "&Curvature Range\tCtrl-Shift-C", N, ""},

    {"&Subdivide", ID_SUBDIV_2, "&2\tCtrl-Shift-2", N, ""},
    {"&Subdivide", ID_SUBDIV_3, "&3\tCtrl-Shift-3", N, ""},
    {"&Subdivide", ID_SUBDIV_4, "&4\tCtrl-Shift-4", N, ""},
    {"&Subdivide", ID_SUBDIV_5, "&5\tCtrl-Shift-5", N, ""},
    {"&Subdivide", ID_SUBDIV_6, "&6\tCtrl-Shift-6", N, ""},

    {"&Mode", ID_MODE_NORMAL, "&Normal", N, ""},
    {"&Mode", ID_MODE_CLASSIC, "&Classic", N, ""},
    {"&Mode", ID_MODE_TOUCH_PANEL, "&Touch panel", N, ""},
    {"&Mode", ID_MODE_ANIMAL, "C&reature", N, ""},
    {"&Mode", 0, "", MenuKind::Separator, ""},
    {"&Mode", ID_SHOW_HIDDEN, "Show &hidden vertices", C, "Ring every boundary vertex through the faces in front of it"},

    {"&Sway", ID_TOUCH_PURTURB, "Touch perturbation\t0", C, ""},
    {"&Sway", 0, "", MenuKind::Separator, ""},
    {"&Sway", ID_BURU, "Sway\tTAB", N, ""},
    {"&Sway", ID_BURU_LOOP, "Repeat sway\tShift-TAB", C, ""},
    {"&Sway", 0, "", MenuKind::Separator, ""},
    {"&Sway", ID_SMOOTH, "Smoothen\tRETURN", N, ""},
    {"&Sway", ID_REPEAT_SMOOTHING, "Repeat smoothing\tShift-RETURN", C, ""},
    {"&Sway", ID_MODIFY_UNTIL_VALID, "Modify until stable\tCtrl-Shift-M", C, ""},
    {"&Sway", ID_MODIFY_OFF, "Modify off\tCtrl-1", C, ""},
    {"&Sway", ID_RELAX_PRECISELY, "Relax precisely\tCtrl-Shift-R", C, ""},

    {"&Color", ID_COLOR_FACE, "Front face...", N, ""},
    {"&Color", ID_COLOR_BACK, "Back face...", N, ""},
    {"&Color", ID_COLOR_BACKGROUND, "Background...", N, ""},
    {"&Color", 0, "", MenuKind::Separator, ""},
    {"&Color", ID_SHOW_STRAIN, "Show edge &strain", C,
     "Colour each face by the largest relative error of its edges, with the scale in a corner"},

    {"&Sample", 12, "single", N, ""},
    {"&Sample", 13, "torio", N, ""},
    {"&Sample", 14, "autopaste demo", N, ""},
    {"&Sample", 0, "", MenuKind::Separator, ""},
    {"&Sample", 15, "curly pants", N, ""},
    {"&Sample", 16, "fat pants", N, ""},
    {"&Sample", 17, "slim pants", N, ""},
    {"&Sample", 18, "middle pants", N, ""},
    {"&Sample", 19, "newtral pants", N, ""},
    {"&Sample", 20, "chinese chimaki", N, ""},
    {"&Sample", 0, "", MenuKind::Separator, ""},
    {"&Sample", 21, "Diamond Lattice 1", N, ""},
    {"&Sample", 22, "Rhombic lattice", N, ""},
    {"&Sample", 23, "Cubic lattice", N, ""},
    {"&Sample", 24, "Punched Dodecahedron", N, ""},
    {"&Sample", 25, "Diamond Lattice 2", N, ""},
    {"&Sample", 0, "", MenuKind::Separator, ""},
    {"&Sample", ID_SAMPLE_DISC, "Hyperbolic disc (3 rings)", N, ""},
    {"&Sample", ID_SAMPLE_DISC4, "Hyperbolic disc (4 rings)", N, ""},
    {"&Sample", ID_SAMPLE_CLOSED, "Closed surface of genus 3", N, ""},

    {"&Help", ID_HELP_GETTING_STARTED, "&Getting started\tF1", N, "A short guide: growing, gluing, relaxing, exporting"},
    {"&Help", ID_HELP_KEYS, "&Keyboard and mouse", N, "Every key and mouse gesture of the window"},
};

// What the canvas does with the mouse, and the keys no menu item has.
const std::vector<Gesture> GESTURES = {
    {"Drag", "turn the surface"},
    {"Arrow keys", "turn the surface a fixed step"},
    {"Ctrl + wheel", "zoom about the pointer"},
    {"Point at a vertex", "pick it (a red disc)"},
    {"Double click", "add a cell at the picked boundary vertex"},
    {"Shift + double click", "add a cell there, glued to its neighbours"},
    {"Drag from a picked vertex", "glue it to the vertex it is dropped on"},
    {"Right drag", "move the part under the pointer"},
};
// clang-format on

// The row's label without its accelerator, its mnemonic marks and trailing blanks.
std::string plainLabel(const char* label)
{
    std::string text(label);
    text = text.substr(0, text.find('\t'));
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

const MenuRow* rowOf(int id)
{
    for (const MenuRow& row : ROWS)
        if (row.id == id && row.kind != MenuKind::Separator)
            return &row;
    return nullptr;
}

// A menu item that keeps its label exactly as written. The GTK toolkit drops the
// accelerator text of keys it cannot bind ("TAB", "Shift-TAB"); the label keeps
// it, and the frame's key hook delivers those keys instead.
class KeptLabelItem : public wxMenuItem {
public:
    using wxMenuItem::wxMenuItem;
    void keepLabel(const wxString& label) { m_text = label; }
};

void append(wxMenu* menu, const MenuRow& row)
{
    const wxString label = wxString::FromUTF8(row.label);
    KeptLabelItem* item = new KeptLabelItem(menu, row.id, label, wxString::FromUTF8(row.help),
                                            row.kind == MenuKind::Check ? wxITEM_CHECK : wxITEM_NORMAL);
    {
        // The toolkit says it cannot bind TAB; the key hook delivers it instead.
        wxLogNull quiet;
        menu->Append(item);
    }
    if (item->GetItemLabel() != label)
        item->keepLabel(label);
    showUnboundKey(item);
}

bool isSubmenuName(const std::string& menu)
{
    for (const MenuRow& row : ROWS)
        if ((row.kind == MenuKind::Submenu || row.kind == MenuKind::Recent) && menu == row.label)
            return true;
    return false;
}
}  // namespace

const std::vector<MenuRow>& menuTable()
{
    return ROWS;
}

const std::vector<Gesture>& gestureTable()
{
    return GESTURES;
}

wxMenuBar* buildMenuBar(BuiltMenus* menus)
{
    std::vector<std::string> order;  // the top menus as they first appear
    for (const MenuRow& row : ROWS) {
        if (!menus->count(row.menu)) {
            (*menus)[row.menu] = new wxMenu;
            if (!isSubmenuName(row.menu))
                order.push_back(row.menu);
        }
        if ((row.kind == MenuKind::Submenu || row.kind == MenuKind::Recent) && !menus->count(row.label))
            (*menus)[row.label] = new wxMenu;
    }
    // Submenus are filled before they are put in their menus.
    for (int pass = 0; pass < 2; ++pass) {
        for (const MenuRow& row : ROWS) {
            if (isSubmenuName(row.menu) != (pass == 0))
                continue;
            wxMenu* menu = (*menus)[row.menu];
            switch (row.kind) {
            case MenuKind::Separator:
                menu->AppendSeparator();
                break;
            case MenuKind::Submenu:
            case MenuKind::Recent:
                menu->Append(row.id, wxString::FromUTF8(row.label), (*menus)[row.label],
                             wxString::FromUTF8(row.help));
                break;
            default:
                append(menu, row);
                break;
            }
        }
    }
    wxMenuBar* bar = new wxMenuBar;
    for (const std::string& name : order)
        bar->Append((*menus)[name], wxString::FromUTF8(name.c_str()));
    return bar;
}

std::string acceleratorOf(int id)
{
    const MenuRow* row = rowOf(id);
    if (!row || !std::strchr(row->label, '\t'))
        return std::string();
    std::string key = std::strchr(row->label, '\t') + 1;
    for (const auto& [written, shown] : {std::pair<std::string, std::string>{"TAB", "Tab"}, {"RETURN", "Return"}}) {
        const std::size_t at = key.find(written);
        if (at != std::string::npos)
            key.replace(at, written.size(), shown);
    }
    return key;
}

std::string menuPathOf(int id)
{
    const MenuRow* row = rowOf(id);
    if (!row)
        return std::string();
    std::string path = plainLabel(row->label);
    std::string menu = row->menu;
    while (isSubmenuName(menu)) {
        path = plainLabel(menu.c_str()) + " > " + path;
        for (const MenuRow& holder : ROWS)
            if ((holder.kind == MenuKind::Submenu || holder.kind == MenuKind::Recent) && menu == holder.label) {
                menu = holder.menu;
                break;
            }
    }
    return plainLabel(menu.c_str()) + " > " + path;
}

std::vector<std::pair<std::string, std::string>> keyList()
{
    std::vector<std::pair<std::string, std::string>> list;
    for (const MenuRow& row : ROWS) {
        if (row.kind == MenuKind::Separator || row.id == 0)
            continue;
        const std::string key = acceleratorOf(row.id);
        if (!key.empty() && rowOf(row.id) == &row)
            list.emplace_back(key, menuPathOf(row.id));
    }
    for (const Gesture& gesture : GESTURES)
        list.emplace_back(gesture.what, gesture.does);
    return list;
}

std::string keyboardAndMouseText()
{
    const auto list = keyList();
    std::size_t width = 0;
    for (const auto& line : list)
        width = std::max(width, line.first.size());
    std::string text = "Keys of the menus, then the mouse on the picture:\n\n";
    bool gestures = false;
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (!gestures && k + GESTURES.size() == list.size()) {
            text += "\n";
            gestures = true;
        }
        text += list[k].first + std::string(width + 3 - list[k].first.size(), ' ') + list[k].second + "\n";
    }
    return text;
}

std::string gettingStartedText()
{
    auto key = [](int id) { return acceleratorOf(id); };
    auto path = [](int id) { return menuPathOf(id); };
    std::string text;
    text += "Getting started with Korvith\n\n";
    text += "A surface is built from cells: fans of seven triangles around a centre. Seven corners of 54 degrees "
            "meet at a centre and six of 63 degrees at a rim vertex, more than a full turn, so the surface "
            "saddles everywhere. The window starts with one cell.\n\n";
    text += "Looking around\n";
    text += "  Drag on the picture to turn the surface; the arrow keys turn it a step. Ctrl + wheel zooms about "
            "the pointer, " + key(ID_ZOOM_IN) + " and " + key(ID_ZOOM_OUT) + " zoom, " + key(ID_FIT_TO_WINDOW) +
            " (" + path(ID_FIT_TO_WINDOW) + ") brings the whole surface into view.\n\n";
    text += "Growing\n";
    text += "  " + path(ID_GROW_RING) + " (" + key(ID_GROW_RING) +
            ") adds a ring of cells along every boundary, glued together. To add one cell, point at a boundary "
            "vertex (it gets a red disc) and double click; Shift + double click adds a cell already glued to its "
            "neighbours.\n\n";
    text += "Gluing\n";
    text += "  Drag from a picked boundary vertex onto another one: the hand cursor shows a vertex it may be "
            "glued to, and releasing glues them. " + path(ID_PASTE_ALL) + " (" + key(ID_PASTE_ALL) +
            ") closes every seam that can be closed.\n\n";
    text += "Relaxing\n";
    text += "  The edges pull towards their lengths after every edit. " + path(ID_RELAX_PRECISELY) + " (" +
            key(ID_RELAX_PRECISELY) + ") relaxes until every edge is right; " + path(ID_MODIFY_UNTIL_VALID) + " (" +
            key(ID_MODIFY_UNTIL_VALID) + ") and " + path(ID_SMOOTH) + " (" + key(ID_SMOOTH) +
            ") are the quicker ways. " + path(ID_UNDO) + " (" + key(ID_UNDO) + ") takes back any edit.\n\n";
    text += "Saving and exporting\n";
    text += "  " + path(ID_SAVE) + " (" + key(ID_SAVE) + ") writes a .kor surface file, " + path(ID_OPEN) + " (" +
            key(ID_OPEN) + ") reads one, " + path(ID_EXPORT) +
            " writes a mesh (STL, 3MF, OBJ, PLY, OFF, glTF) or a picture (PNG, SVG, PDF), and " +
            path(ID_EXPORT_PAPER_MODEL) + " prints sheets to cut and glue. Unsaved work is kept every minute "
            "and offered back after a crash.\n\n";
    text += "Every key and gesture: " + path(ID_HELP_KEYS) + ".\n";
    return text;
}
