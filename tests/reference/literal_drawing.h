// The straightforward forms of the painter's order and of the face-to-edge
// table, kept as references for the faster forms the program uses.
#pragma once

// Every face compared with every other face (O(NOS^2)). Reads: NOS, center.
// Writes: order (after computeDepthKeys has zeroed it).
void literalPaintingOrder();

// Every face compared with every edge (O(NOS x NOE)). Reads: subdiv_level,
// NOS, face, NOE, edge. Writes: face2edge, revised_face2edge.
void literalMakeFace2edge();
