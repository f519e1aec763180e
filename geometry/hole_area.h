// How wide the holes of a surface are open.
#pragma once

#include <vector>

// The area of each boundary loop, in the order of boundaryLoops(): the length
// of half the sum of p x q over the loop's sides p -> q, which is the area the
// loop encloses when it lies in a plane, and for a loop that does not, the
// area of its shadow on the plane it faces most. A hole folded shut (its loop
// running out and back along itself) has area 0. Reads: NOS, face, v.
std::vector<double> holeAreas();
