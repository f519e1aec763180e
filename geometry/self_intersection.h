// Whether a surface passes through itself: two faces that meet other than
// along the corners and sides they share.
#pragma once

#include <utility>
#include <vector>

#include "model/triangle_mesh.h"

// True when the closed segment from a to b passes through the triangle p, q, r
// (an exact touch at an edge counts). Coordinates as arrays of three.
bool segmentMeetsTriangle(const double* a, const double* b, const double* p, const double* q, const double* r);

// True when the triangles a and b lie in one plane and their insides overlap;
// triangles that only touch along a side or at a corner, or that have no area,
// do not. Distances up to 1e-11 of the longest side count as zero.
bool trianglesOverlapInPlane(const double* a0, const double* a1, const double* a2, const double* b0,
                             const double* b1, const double* b2);

// True when faces f and g pass through each other: with no corner in common,
// a side of one meets the other; with one corner in common, the side of one
// opposite that corner meets the other; in any case, both lie in one plane and
// overlap (a face folded flat onto its neighbour, two faces laid on each
// other). Faces whose bounding boxes are apart never cross, nor does a face
// with itself. Reads: face, v.
bool facesCross(int f, int g);

// Every pair of faces (f, g), f < g, for which facesCross holds, in increasing
// order of f, then g. A uniform grid of cells about as large as a face brings
// together the faces whose bounding boxes meet, so only those pairs are tested.
// Reads: NOS, face, v.
std::vector<std::pair<int, int>> selfIntersections();

// The same for a mesh detached from the store: every pair of its triangles
// (f, g), f < g, that pass through each other.
std::vector<std::pair<int, int>> meshSelfIntersections(const TriangleMesh& mesh);
