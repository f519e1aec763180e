// The surface as a triangle mesh for other programs: OBJ, PLY, STL, OFF, glTF
// binary and 3MF. Each triangle keeps the corner order, and so the orientation,
// of its face.
#pragma once

#include <string>

// True when `extension` (".obj", ".ply", ".stl", ".off", ".glb", ".3mf") names a
// mesh format this program writes.
bool isMeshFormat(const std::string& extension);

// Writes the current surface's vertices and faces to `path` in the format of
// `extension`; the old file is replaced only after a complete write. Reads:
// NOV, NOS, v, face. Returns false with the reason in *error.
bool exportMesh(const std::string& path, const std::string& extension, std::string* error);
