// Moves of the whole surface or of the selected components that keep edge
// lengths (turning, recentring, mirroring), and the disturbances of one vertex
// (pulling, the touch perturbation).
#pragma once

// The picked vertex g_purtj when it names a live vertex, otherwise -1 (a pick
// left beyond the surface by an edit that shrank it counts as none).
// Reads: g_purtj, NOV.
int pickedVertex();

// True when any component among labels 1 .. 99 is selected. Reads: hilighted.
bool anyComponentSelected();

// Turns by `a` about the vertical (y) axis, then by `b` about the horizontal (x)
// axis: the whole surface about the origin, or, when components are selected,
// only their vertices, each about its own component's centroid (recomputed
// first). Reads: hilighted, conn_comp, NOV. Writes: v, compCenter (and the
// labels on a first-ever centroid computation).
void rotatepoly(double a, double b);

// Moves the surface so that the mean of its vertex positions is the origin;
// nothing with no vertices. Reads: NOV. Writes: v.
void offsetpolygon();

// Moves the whole surface by (dx, dy, dz). Reads: NOV. Writes: v.
void movepoly(double dx, double dy, double dz);

// Mirror image: with nothing selected, negates every x and swaps corners 1 and
// 2 of every face; otherwise reflects the selected components' vertices in the
// plane x = their centroid's x and swaps corners 1 and 2 of every face whose
// corner 0 is selected. Reads: hilighted, conn_comp, NOV, NOS. Writes: v, face,
// compCenter.
void mirrorpoly();

// Pull one point: lowers the picked vertex by 0.3 along z, then relaxes one
// burst; does nothing when no live vertex is picked. A pull that would run
// away (geometry/runaway_guard.h) is put back and messagetxt says why ("Not
// pulled: ..."). Returns true when it pulled. Reads: g_purtj, NOV. Writes: v,
// messagetxt.
bool pullpoint();

// One step of the touch perturbation at step p = g_purturb on the picked vertex:
// adds 0.16 sin(0.4 p) (1 - 0.02 p)^2 to its z, then relaxes one burst. Does
// nothing when no live vertex is picked. Reads: g_purturb, g_purtj, NOV.
// Writes: v.
void purturbStep();

// The z offset of perturbation step p (before relaxation).
double purturbOffset(int p);
