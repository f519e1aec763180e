// The surface as a document: whether it has changed since it was last opened
// or saved, and a one-line account of it for the status bar.
#pragma once

#include <string>

// A 64-bit digest of the surface: the counts, the level, every edge's length
// (to 1e-8, so that turning or moving the whole surface changes nothing), the
// edges with their target lengths and the faces.
// Reads: NOV, NOE, NOS, subdiv_level, v, edge, phi, face.
unsigned long long surfaceFingerprint();

// Takes the surface as it now stands as the saved one: records the
// fingerprint it will have once its derived data are refreshed (the refresh
// after a file is read revises target lengths and corner orders), leaving the
// model and its staleness flags as they are. Writes: g_savedFingerprint.
void markSurfaceSaved();

// Whether the surface differs from the one last marked saved, both as the
// refresh of derived data leaves them. Reads what surfaceFingerprint reads,
// the staleness flags, and g_savedFingerprint.
bool surfaceChanged();

// "name.kor* — 85 cells · 595 faces · level 1 · edge error 3.2e-4": the file
// name (g_Filename), a star while there are unsaved changes, the cells (their
// centres: vertices in 7 faces, as of the last refresh), the faces, the
// subdivision level and the largest relative edge error.
// Reads: g_Filename, NOV, NOS, NOfaceOfVertex, subdiv_level, edge, phi, v.
std::string documentSummary();
