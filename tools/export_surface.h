// The window's "Export..." and korvith-tool's mesh and picture outputs: the
// current surface written for another program, optionally thickened into a
// solid and scaled to a printed size first.
#pragma once

#include <string>

// A printed size: the solid's wall thickness and the length of a cell's rim
// edge, both in millimetres (the unit STL and 3MF are read in).
struct PrintSize {
    double thicknessMm = 1.2;
    double rimEdgeMm = 10;
};

// True for the mesh and picture formats (".obj" ... ".3mf", ".png", ".svg", ".pdf").
bool isExportFormat(const std::string& extension);

// True for the formats made for printing (".stl", ".3mf"), which the window
// writes as a solid of a printed size.
bool isPrintFormat(const std::string& extension);

// Writes the current surface to `path` in the format of `extension`. A mesh is
// written as it stands when `print` is null; otherwise the surface is thickened
// to print->thicknessMm and scaled so that a rim edge is print->rimEdgeMm long,
// leaving the store untouched. A picture is drawn by renderPicture (the derived
// data must be up to date). Every output is refused when a position is not a
// finite number, and replaces the old file only after a complete write.
// Reads the model (and, for pictures, what renderPicture reads and writes).
// Returns false with the reason in *error.
bool exportSurface(const std::string& path, const std::string& extension, const PrintSize* print,
                   std::string* error);
