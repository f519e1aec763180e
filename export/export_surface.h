// The window's "Export..." and korvith-tool's mesh and picture outputs: the
// current surface written for another program, optionally thickened into a
// solid and scaled to a printed size first.
#pragma once

#include <string>
#include <vector>

#include "geometry/thicken.h"

// A printed size: the solid's wall thickness and the length of a cell's rim
// edge, both in millimetres (the unit STL and 3MF are read in).
struct PrintSize {
    double thicknessMm = 1.2;
    double rimEdgeMm = 10;
    bool allowCrossing = false;  // write a solid whose faces pass through each other
};

// What an export found out besides the file: the warnings a slicer's user
// should read (printWarnings), and for a thickened solid its wall, or why it
// was refused (in model units; `scale`, set whenever a print size is given,
// turns them into millimetres).
struct ExportNotes {
    std::vector<std::string> warnings;
    bool thickened = false;
    ThickenReport wall;
    double scale = 1;
};

// True for the mesh and picture formats (".obj" ... ".3mf", ".png", ".svg", ".pdf").
bool isExportFormat(const std::string& extension);

// True for the formats made for printing (".stl", ".3mf"), which the window
// writes as a solid of a printed size.
bool isPrintFormat(const std::string& extension);

// Writes the current surface to `path` in the format of `extension`. A mesh is
// written as it stands when `print` is null; otherwise the surface is thickened
// to print->thicknessMm (thickenChecked: a solid passing through itself is
// refused, naming the largest clean thickness in mm, unless
// print->allowCrossing) and scaled so that a rim edge is print->rimEdgeMm long,
// leaving the store untouched. A glTF file holds metres: every position is
// divided by 1000, the model's units being taken for millimetres. A picture is drawn by renderPicture (the derived
// data must be up to date). Every output is refused when a position is not a
// finite number, and replaces the old file only after a complete write.
// Reads the model (and, for pictures, what renderPicture reads and writes).
// Returns false with the reason in *error.
// *notes (may be null) gets the warnings and the wall of a written solid.
bool exportSurface(const std::string& path, const std::string& extension, const PrintSize* print,
                   std::string* error, ExportNotes* notes = nullptr);
