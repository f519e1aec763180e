// The seventeen sample surfaces: found in "sample/" under the working directory,
// else in the installed data folder, else beside the executable.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

constexpr int FIRST_SAMPLE = 128;  // "single"
constexpr int LAST_SAMPLE = 141;   // "Diamond Lattice 2"
constexpr int DISC_SAMPLE = 142;   // "Hyperbolic disc (3 rings)", grown ring by ring from "single"
constexpr int CLOSED_SAMPLE = 143; // "Closed surface of genus 3", two chimakis glued hole to hole
constexpr int DISC4_SAMPLE = 144;  // "Hyperbolic disc (4 rings)", grown one ring further

// File name of sample number n (128 .. 141, DISC_SAMPLE, CLOSED_SAMPLE, DISC4_SAMPLE), or an empty string for any other
// number.
wxString sampleFileName(int n);

// The folders searched for sample files, in order: g_sampleFolders when it is
// not empty; otherwise "sample" (relative, under the working directory), the
// installed data folder, then "sample" beside the executable and the data
// folder of an installed tree that was moved ("../share/korvith/sample" from the
// executable). Folders named twice are searched once.
wxArrayString sampleFolders();

// The path of `fileName` in the first of `folders` that holds it, or an empty
// string when none does.
wxString findSampleFile(const wxString& fileName, const wxArrayString& folders);

// Loads sample n in place of the current surface: its file as found by
// findSampleFile in sampleFolders() goes through the same accept step as
// Open (acceptSurface: one undo snapshot, the derived data marked stale, the
// components relabelled); then the sample's own differences: NOcomp is set to
// 1 and subdiv_level to 1 (a level stored in a sample file never survives).
// When no folder holds the file, logs one error naming the file and every
// folder searched; a file the reader refuses is logged by the reader; either
// way the surface stays as it was, and the relabelling, the staleness flags,
// NOcomp and the level are set all the same. Reads g_sampleFolders. Writes:
// the model, undo history, conn_comp, hilighted, NOcomp, filledconn_comp,
// subdiv_level, revised_facedata, revised_face2edge, NOfaceOfVertex_on.
// Returns true.
bool ReadSampleData(int n);

// Start-up of the store: allocates the arrays, sets the projection centre to
// (320, 220), reads sample 128, sets NOcomp = 1, messagetxt = " ", clears
// every selection flag and takes the cell as the saved document
// (markSurfaceSaved). Returns true.
bool initializeSurfaceStore();
