// Growing the surface one cell at a time at a boundary vertex.
#pragma once

// Adds a cell at the picked vertex P = g_purtj when P lies in 2 or 4 faces that
// form one fan: seven new vertices (six rim vertices on an ellipse in the gap
// beside P, then the centre), seven rim edges and seven spokes, seven faces, P
// becoming the new cell's seventh rim vertex; an undo snapshot is recorded
// first. Always marks the derived face data stale. Does nothing else when no
// live vertex is picked, the fan does not join up, the fan's span is zero or so short that its
// squared length underflows (a degenerate axis), or
// the counts would come within one of a capacity. New vertices get component
// label 0 until the next labelling.
// Reads: g_purtj, NOV, NOE, NOS, v, face. Writes: v, edge, phi, face, NOV,
// NOE, NOS, conn_comp, the staleness flags, the undo history.
void addnewpolygon();
