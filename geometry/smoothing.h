// Shape-improving passes: smoothing pulls interior vertices towards their
// neighbours; spreading opens sharp folds between neighbouring faces.
#pragma once

// One smoothing pass: every vertex with 6 or more edges moves 1/20 of the way
// towards the average of its edge neighbours (all computed from the positions
// at the start of the pass); others stay. Linear in the surface size: the
// neighbours are gathered once per pass, in edge order. Reads: NOV, NOE, edge.
// Writes: v.
void smoothen();

// One spreading pass: for every edge in order (skipping edges at the picked
// vertex and edges with fewer than two faces) whose two faces meet with unit
// normals' dot product below 0.85, the two corners opposite the edge are pushed
// apart along their faces' normals by 0.01 x the edge length x their heights
// over the other face; moves take effect at once. Then one relaxation burst.
// The faces of each edge are gathered once per pass. Reads: NOV, NOE, NOS,
// edge, face, g_purtj. Writes: v.
void spread();
