// Edge-length relaxation: gradient descent with a fixed step on
// 1/2 sum over edges of (L - phi)^2.
#pragma once

// Convergence tolerance of modify() on the largest displacement of a step.
constexpr double RELAX_TOLERANCE = 0.00002;

// One relaxation step: every edge pushes its two ends along itself by |L - phi|
// (apart when too short, together when too long), all lengths measured before
// anything moves; then every vertex moves by 0.1 of its summed displacement.
// An edge of length zero (coincident ends, or both ends the same vertex) has no
// direction and pushes nothing. Reads: NOV, NOE, edge, phi. Writes: v.
// Returns the largest displacement length before the factor 0.1.
double modifyonce();

// A burst of at most 20 steps (100 while touch_purturb is on), stopping early
// when a step's largest displacement falls below the tolerance. Does nothing
// while modify_off is on. Reads: modify_off, touch_purturb, and what modifyonce
// reads. Writes: v. Returns true when the surface settled, false when the burst
// ran out or relaxation is switched off.
bool modify();
