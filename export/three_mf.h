// The 3MF file of a mesh: a ZIP package (deflated entries, no ZIP64 records,
// which some readers cannot take) holding the content types, the package
// relationship and the model part 3D/3dmodel.model with one mesh object in
// millimetres. The same mesh always gives the same bytes.
#pragma once

#include <string>

#include "model/triangle_mesh.h"

// The whole package. Positions as "%.9g" in the "C" locale.
std::string threeMfBytes(const TriangleMesh& mesh);
