// The surface as a document: whether it has changed since it was last opened
// or saved, and a one-line account of it for the status bar.
#pragma once

#include <string>

// A 64-bit digest of the surface: the counts, the level, the positions, the
// edges with their target lengths and the faces (their bytes, word by word).
// Reads: NOV, NOE, NOS, subdiv_level, v, edge, phi, face.
unsigned long long surfaceFingerprint();

// Takes the surface as it now stands as the saved one: brings the derived data
// up to date first (the revision of target lengths and corner orders that the
// next repaint would make), then records its fingerprint. Writes: the derived
// data, g_savedFingerprint.
void markSurfaceSaved();

// Whether the surface differs from the one last marked saved. Reads what
// surfaceFingerprint reads, and g_savedFingerprint.
bool surfaceChanged();

// "name.kor* — 85 cells · 595 faces · level 1 · edge error 3.2e-4": the file
// name (g_Filename), a star while there are unsaved changes, the cells (their
// centres: vertices in 7 faces, as of the last refresh), the faces, the
// subdivision level and the largest relative edge error.
// Reads: g_Filename, NOV, NOS, NOfaceOfVertex, subdiv_level, edge, phi, v.
std::string documentSummary();
