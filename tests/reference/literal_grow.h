// The straightforward way to build a ring that growRing() has built: every new
// cell added on its own (seven rim vertices, a centre, fourteen edges, seven
// faces appended as a free cell) and then glued, vertex by vertex with
// pasteVertices, onto the surface and the cells before it. Each paste scans
// and renumbers the whole store, so a ring costs O(cells x store).
#pragma once

#include "model/store.h"

#include <vector>

// A new cell: its rim in its own order and its centre, as vertex indices of
// the grown surface, with the positions of the grown surface.
struct LiteralCell {
    int rim[7];
    int centre;
};

// The cells a ring added: the faces from `firstFace` on, seven to a cell.
// Reads: NOS, face.
std::vector<LiteralCell> cellsAddedSince(int firstFace);

// Builds those cells onto the current store (the surface before the ring),
// taking each new vertex's position from `positions` (the grown surface's).
void literalGrowRing(const std::vector<LiteralCell>& cells, const std::vector<Point3>& positions);
