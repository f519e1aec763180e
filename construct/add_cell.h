// Growing the surface one cell at a time at a boundary vertex: where a cell
// fits (the one rule, and its refusal in words) and the cell itself.
#pragma once

#include <string>

// Whether addnewpolygon adds a cell at vertex p: p is live and lies in 2 or 4
// faces that form one fan running one way round it, the fan's span is not
// vanishingly short, and the counts stay at least one below every capacity.
// Reads NOV, NOE, NOS, v, face.
bool cellFitsAt(int p);

// Why no cell can be added at vertex p, one line ("" when cellFitsAt(p); the
// level of subdivision is the caller's to test). Reads NOV, NOE, NOS, face, v.
std::string addCellRefusal(int p);

// The refusal of the cell-adding commands on a subdivided surface.
extern const char* const CELLS_NEED_LEVEL_ONE;

// Adds a cell at the picked vertex P = g_purtj when cellFitsAt(P): seven new
// vertices (six rim vertices on an ellipse in the gap beside P, then the
// centre), seven rim edges and seven spokes, seven faces, P becoming the new
// cell's seventh rim vertex. Records no undo snapshot (addCellCommand does).
// Always marks the derived face data stale; does nothing else when no cell
// fits at P. New vertices get component label 0 until the next labelling.
// Reads: g_purtj, NOV, NOE, NOS, v, face. Writes: v, edge, phi, face, NOV,
// NOE, NOS, conn_comp, the staleness flags.
void addnewpolygon();
