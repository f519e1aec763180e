// The fourteen sample surfaces in the directory "sample/" under the working directory.
#pragma once

#include <wx/string.h>

constexpr int FIRST_SAMPLE = 128;  // "single"
constexpr int LAST_SAMPLE = 141;   // "Diamond Lattice 2"

// File name of sample number n (128 .. 141), or an empty string for any other number.
wxString sampleFileName(int n);

// Loads sample n in place of the current surface ("sample/" + its file name,
// through wxTranslateData), relabels the components, marks the derived data
// stale and sets NOcomp to 1. Runs all of this also when the file cannot be
// read. Writes: the model, undo history, conn_comp, hilighted, NOcomp,
// filledconn_comp, revised_facedata, revised_face2edge, NOfaceOfVertex_on.
// Returns true.
bool ReadSampleData(int n);

// Start-up of the store: allocates the arrays, sets the projection centre to
// (320, 220), reads sample 128, sets NOcomp = 1, messagetxt = " " and clears
// every selection flag. Returns true.
bool initializeSurfaceStore();
