// The surface as a triangle mesh for other programs: OBJ, PLY, STL, OFF, glTF
// binary and 3MF, each written by this program byte for byte. Each triangle keeps the corner order, and so the orientation, of
// its face; no format carries normals but STL, whose facet normals follow the
// corner order.
#pragma once

#include <string>

#include "model/triangle_mesh.h"

// True when `extension` (".obj", ".ply", ".stl", ".off", ".glb", ".3mf") names a
// mesh format this program writes.
bool isMeshFormat(const std::string& extension);

// One line per vertex from the printf `format` (given x, y, z as doubles),
// in the "C" locale.
std::string vertexLines(const TriangleMesh& mesh, const char* format);

// One line per triangle from the printf `format` (given its three corners
// plus `firstIndex`, as ints).
std::string triangleLines(const TriangleMesh& mesh, const char* format, int firstIndex);

// The whole file of `mesh` in the format of `extension`. False with the reason
// in *error when the mesh has no triangles, a position that is not a finite
// number, or (for the formats that store floats: PLY, STL, glTF) one beyond
// the range of a float.
bool meshFileBytes(const TriangleMesh& mesh, const std::string& extension, std::string* bytes, std::string* error);

// Writes `mesh` to `path` in the format of `extension`, replacing the old file
// only after a complete, checked write (writeFileReplacing). Returns false with
// the reason in *error.
bool writeMeshFile(const std::string& path, const std::string& extension, const TriangleMesh& mesh,
                   std::string* error);
