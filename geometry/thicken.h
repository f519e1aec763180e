// A printable solid from a surface: the sheet offset to both sides along its
// vertex normals and closed by walls along every boundary loop.
#pragma once

#include <string>

#include "model/triangle_mesh.h"

// The closed shell of thickness `thickness` (model units, > 0) around `sheet`:
// every vertex used by a triangle is moved by thickness / 2 along its normal
// (the angle-weighted mean of its faces' unit normals, which point to the side
// from which the corners run anticlockwise; at a sharply folded vertex, where
// that mean lies nearly in or behind one of its faces, turned to lie as far in
// front of every face there as it can) to the front layer, which keeps
// the triangles' orientation, and against it to the back layer, which reverses
// it; each boundary side gets a wall of two triangles joining the layers. Every
// edge of the result lies in exactly two triangles run along it in opposite
// directions, and the triangles face outwards. Vertices that no triangle uses
// are left out. The front copy of used vertex i (in increasing order) is
// vertex k, its back copy vertex k + n, where n is the number of used vertices.
// Fails, with the reason in *why, on a sheet with no triangles, a triangle
// naming a vertex twice, an edge in more than two triangles or in two that run
// along it the same way (the sheet is not consistently oriented), or a vertex
// whose faces' normals cancel.
bool thickenMesh(const TriangleMesh& sheet, double thickness, TriangleMesh* solid, std::string* why);

// Thickens the current surface in the store (see thickenMesh and
// loadMeshIntoStore) and marks it as a solid (g_solid), which is written only
// as a mesh or picture. Not recorded for undo. False, with nothing changed,
// when thickening fails or the solid does not fit.
bool thicken(double thickness, std::string* why);

// Multiplies every vertex position of the surface by `factor` (the target
// lengths stay). Reads: NOV. Writes: v.
void scalepoly(double factor);
