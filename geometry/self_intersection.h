// Whether a surface passes through itself: two faces that share no vertex and
// still meet.
#pragma once

#include <utility>
#include <vector>

// True when the closed segment from a to b passes through the triangle p, q, r
// (an exact touch at an edge counts). Coordinates as arrays of three.
bool segmentMeetsTriangle(const double* a, const double* b, const double* p, const double* q, const double* r);

// The pairs of faces (f, g), f < g, that share no vertex and meet: an edge of
// one passes through the other. Reads: NOS, face, v.
std::vector<std::pair<int, int>> selfIntersections();
