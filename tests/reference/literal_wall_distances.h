// The straightforward form of the wall measure: every point against every
// triangle of the other layer (O(points x triangles)), kept as the reference
// for the grid the program uses.
#pragma once

#include <vector>

#include "model/triangle_mesh.h"

// What wallDistances returns, found by looking at every triangle.
std::vector<double> literalWallDistances(const TriangleMesh& solid, double reach);
