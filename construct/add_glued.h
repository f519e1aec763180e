// One gesture per cell: a new cell at a boundary vertex with the sides glued
// that the {7,3} tiling glues there.
#pragma once

#include <string>

#include "construct/add_cell.h"  // cellFitsAt, addCellRefusal

// What adding a glued cell did.
struct AddGluedReport {
    bool added = false;
    int glued = 0;          // rim vertices of the new cell glued to the old boundary
    int zipped = 0;         // seams closed after that (a vertex whose six faces formed an open fan)
    std::string refusal;    // why nothing was added, one line ("" when a cell was added)
};

// Adds a cell at the picked vertex P = g_purtj (one undo snapshot, then
// addnewpolygon: the whole command is one undo step) and glues it as the
// heptagonal tiling continues: a P in one cell (2 faces) gets the new cell's
// rim vertex beside the boundary side leaving P glued to the far end of that
// side, so that P ends in two cells; a P in two cells (4 faces) gets both rim
// vertices beside it glued to its two boundary neighbours, so that it ends in
// three. Each glue is made only where the gluing rule (pasteRefusal) allows.
// Then every vertex those glues touched whose six faces now form one open fan
// has its two boundary neighbours glued too, as Paste all would there (this
// closes a ring at its last cell). Ends with one relaxation burst, and maps
// g_purtj through the renumbering. Nothing but the refusal (addCellRefusal, or
// CELLS_NEED_LEVEL_ONE on a subdivided surface) when no cell can be added. Writes the model, the history, g_purtj, the staleness flags.
AddGluedReport addGluedCommand();
