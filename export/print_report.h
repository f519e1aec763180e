// What a slicer will find in a mesh written for printing: its size, volume,
// shells, whether it is closed and faces outwards, and (for a thickened
// solid) its thinnest wall; and the one-line warnings written beside an STL
// or 3MF file.
#pragma once

#include <string>
#include <vector>

#include "model/triangle_mesh.h"

struct PrintReport {
    double volume = 0;              // enclosed volume, in the mesh's units cubed (mm3 for STL and 3MF)
    Point3 low{0, 0, 0}, high{0, 0, 0};  // the bounding box
    int shells = 0;                 // pieces joined by shared corners
    bool closed = false;            // every side matched by one running the other way
    bool outward = false;           // closed, and every shell encloses a positive volume
    double smallestWall = -1;       // see smallestWall; -1 when not a thickened solid
};

// The report on `mesh`; `solid` says it is laid out as thickenMesh lays out
// a solid, so that its wall can be measured (searching up to twice the least
// distance between a vertex's two copies).
PrintReport printReport(const TriangleMesh& mesh, bool solid);

// The report as lines of text, lengths in mm.
std::string printReportText(const PrintReport& report);

// The warnings, one line each, for `mesh` written as a print format (".stl",
// ".3mf"; none for the others): an open surface, which a slicer cannot fill,
// and a largest side under 5 mm or over 500 mm, with the scale that makes it
// 100 mm (as "use scale=S").
std::vector<std::string> printWarnings(const TriangleMesh& mesh, const std::string& extension);

// Whether multiplying every position of `mesh` by `factor` keeps it a shape:
// false, with the reason in *why, when a coordinate would become subnormal
// (too near 0 to keep its digits) or when positions that differ would all
// become equal.
bool scaleKeepsShape(const TriangleMesh& mesh, double factor, std::string* why);
