// Growing a surface of cells by one ring along its whole boundary, as the
// {7,3} tiling continues: every boundary side gets a new cell across it, the
// new cells are glued to each other, and every former boundary vertex ends in
// exactly three cells.
#pragma once

#include <string>

// What a ring did.
struct GrowReport {
    int cellsAdded = 0;
    int skipped = 0;        // former boundary vertices left as they were (not closed to three cells)
    std::string refusal;    // why nothing was added ("" when cells were added)
};

// The ring itself, without an undo snapshot or relaxation. Walks every
// boundary loop and sorts its vertices: a vertex in one cell (2 faces) gets
// new cells on both of its sides, glued along a new rim edge leaving it; a
// vertex in two cells (4 faces) lies inside the one new cell that takes both
// of its sides; any other boundary vertex (three cells on an open seam, a
// pinched vertex, a corner that is not a cell's rim) is left alone, and so are
// the sides next to it. A new cell takes the boundary sides between two
// one-cell vertices (one to four sides), and its other rim vertices and centre
// are placed as a cell would continue the surface there, the cells leaning
// alternately to the one and the other side of it so that the ring can ruffle
// instead of crowding; a placement that keeps a margin from the surface wins
// over one that only comes near it, that over one where two of the cell's own
// faces nearly fold onto each other, and that over one that crosses. New rim edges get the rim length, spokes the spoke
// length. Refuses (changing nothing) on a subdivided surface, on a surface
// with no boundary vertex the rule applies to, and when the new ring would not
// fit in the store. Marks the derived face data stale.
// Reads: NOV, NOE, NOS, v, edge, phi, face, subdiv_level. Writes: v, edge, phi,
// face, NOV, NOE, NOS, conn_comp (0 for the new vertices), the staleness flags.
GrowReport growRing();

// "Grow one ring": on a surface that is not subdivided, an undo snapshot and
// the ring (growRing); nothing, and no snapshot, when the ring is refused. The
// ring's opening (openRing) and precise relaxation follow, on the window's
// timer or in the tool. Writes what saveState and growRing write.
GrowReport growRingCommand();

// The status line of a ring: "Grew one ring: 21 cells; largest edge error
// 3.2e-2", with the vertices skipped when there are any, or the refusal.
// Reads NOE, edge, phi, v (for the edge error).
std::string growRingMessage(const GrowReport& report);
