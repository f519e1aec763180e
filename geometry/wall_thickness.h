// How thick the wall of a thickened solid is: the distance from each point of
// one layer to the other layer.
#pragma once

#include <vector>

#include "model/triangle_mesh.h"

// Where the thinnest wall was found: the distance, and the vertex of the
// front layer at it (a vertex of the back layer stands for its front copy; a
// face centre for its first corner's).
struct WallSpot {
    double distance = 0;
    int vertex = -1;
    bool faceCentre = false;
};

// The wall measured at every vertex and at the centre of every layer triangle
// of `solid`, laid out as thickenMesh lays it out: the first half of the
// vertices is the front layer, the second half their back copies; a triangle
// whose corners all lie in one half belongs to that layer, the others are the
// walls along the boundary. Each point's value is its distance to the nearest
// triangle of the other layer behind it (whose nearest point lies not in
// front of the plane through the point across its outward normal: a triangle
// in front lies across a gap, on another part of the solid), or `reach` when
// none comes nearer (a search
// radius, > 0). The vertices' values come first (in vertex order), then the
// layer triangles' (in triangle order). A uniform grid of cells at least
// `reach` wide limits each search to the triangles nearby.
std::vector<double> wallDistances(const TriangleMesh& solid, double reach);

// The least of wallDistances (reach when the solid has no layer points), and
// where it lies in *where (may be null).
double smallestWall(const TriangleMesh& solid, double reach, WallSpot* where);
