// The straightforward form of the crossing-faces test: every pair of faces
// compared (O(NOS^2)), kept as the reference for the grid the program uses.
#pragma once

#include <utility>
#include <vector>

// Every pair (f, g), f < g, for which facesCross holds, by testing all pairs.
// Reads: NOS, face, v.
std::vector<std::pair<int, int>> literalSelfIntersections();
