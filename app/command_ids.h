// Command ids of the menus, and the id of the canvas timer.
#pragma once

enum CommandId {
    ID_QUIT = 1,
    ID_ABOUT = 2,
    ID_OPEN = 5,
    ID_SAVE = 7,
    ID_SAVE_AS_HEADER = 8,
    ID_APPEND = 9,
    ID_PRINT = 10,
    ID_PRINT_SETUP = 11,
    ID_SAMPLE_FIRST = 12,  // "single"
    ID_SAMPLE_LAST = 25,   // "Diamond Lattice 2"
    ID_UNDO = 26,
    ID_REDO = 27,
    ID_ZOOM_IN = 28,
    ID_ZOOM_OUT = 29,
    ID_DEFAULT_SIZE = 30,
    ID_ADD_NEW_CELL = 31,
    ID_MIRROR = 32,
    ID_ADD_SAME = 33,
    ID_ADD_MIRROR = 34,
    ID_PULL_POINT = 35,
    ID_DETECT_CONN_COMP = 36,
    ID_REMOVE_CELL = 37,
    ID_PASTE_ALL = 38,
    ID_SUBDIVIDE = 39,     // the submenu holder, no command of its own
    ID_SUBDIV_2 = 41,
    ID_SUBDIV_3 = 42,
    ID_SUBDIV_4 = 43,
    ID_SUBDIV_5 = 44,
    ID_SUBDIV_6 = 45,
    ID_KAGO = 46,
    ID_FLIP = 47,
    ID_CURVATURE_RANGE = 48,
    ID_MODE_NORMAL = 49,
    ID_MODE_CLASSIC = 50,
    ID_MODE_TOUCH_PANEL = 51,
    ID_MODE_ANIMAL = 52,
    ID_TOUCH_PURTURB = 53,
    ID_BURU = 54,
    ID_BURU_LOOP = 55,
    ID_SMOOTH = 57,
    ID_REPEAT_SMOOTHING = 58,
    ID_MODIFY_UNTIL_VALID = 59,
    ID_MODIFY_OFF = 60,
    ID_RELAX_PRECISELY = 61,
    ID_COLOR_FACE = 62,
    ID_COLOR_BACK = 63,
    ID_COLOR_BACKGROUND = 64,
    // 65 is the canvas timer's (view/canvas_host.h)
    ID_EXPORT = 66,  // File > Export...: meshes, printable solids, pictures
    ID_GROW_RING = 67,   // Edit > Grow one ring
    ID_SAMPLE_DISC = 69, // Sample > Hyperbolic disc (3 rings)
    ID_SAMPLE_CLOSED = 73, // Sample > Closed surface of genus 3
    ID_SAMPLE_DISC4 = 77,  // Sample > Hyperbolic disc (4 rings)
    ID_SHOW_HIDDEN = 74, // Mode > Show hidden vertices (a toggle)
    ID_FIT_TO_WINDOW = 70, // Edit > Fit to window
    ID_SHOW_STRAIN = 71,   // Color > Show edge strain (a toggle)
    ID_EXPORT_PAPER_MODEL = 68,  // File > Export paper model...: printable sheets to cut, fold and glue
    ID_REVERT = 72,               // File > Revert: reads the surface file again from disk
    ID_HELP_GETTING_STARTED = 75, // Help > Getting started: a short guide in a window of its own
    ID_HELP_KEYS = 76,            // Help > Keyboard and mouse: every key and gesture
    ID_OPEN_RECENT = 79,          // File > Open recent: the submenu holder, no command of its own
    ID_RECENT_FIRST = 80,         // File > Open recent: the newest file ...
    ID_RECENT_LAST = 87,          // ... to the eighth
};
