// Reading an STL file back as a triangle mesh, for `korvith-tool info` on a
// mesh written for printing.
#pragma once

#include <string>

#include "model/triangle_mesh.h"

// The triangles of the binary or text STL `bytes`, corners with equal
// positions joined into one vertex (in the order they first appear). False,
// with the reason in *why, when the bytes are no STL: a binary file whose
// length does not match its triangle count, a text file whose facets do not
// have three vertices each, or a position that is not a finite number.
bool readStl(const std::string& bytes, TriangleMesh* mesh, std::string* why);
