// A surface as a plain list of positions and triangles, detached from the
// store: what the mesh writers write and what thickening and scaling work on
// without touching the surface on screen.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "model/store.h"

struct TriangleMesh {
    std::vector<Point3> vertices;
    std::vector<std::array<int, 3>> triangles;  // corner indices in orientation order
};

// The current surface's vertices (all NOV, used or not) and faces, in store
// order. Reads: NOV, NOS, v, face.
TriangleMesh currentMesh();

// True when every position of `mesh` is a finite number.
bool meshIsFinite(const TriangleMesh& mesh);

// Multiplies `count` positions from `points` on by `factor`.
void scalePoints(Point3* points, size_t count, double factor);

// Multiplies every position of `mesh` by `factor`.
void scaleMesh(TriangleMesh& mesh, double factor);

// Replaces the store's surface by `mesh`: its vertices and faces, one edge per
// pair of corners next to each other in a triangle with its present length as
// target length, level 1, the components relabelled. Not recorded for undo.
// False, with nothing changed and the reason in *why, when the mesh does not
// fit the store's capacities. Writes the model, the component labels and the
// derived-data flags.
bool loadMeshIntoStore(const TriangleMesh& mesh, std::string* why);
