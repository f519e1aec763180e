// Undo and redo on whole-surface snapshots (`State`, `undoList`, `currentState`
// are declared with the other globals in model/store.h).
#pragma once

#include "model/store.h"

// Records a snapshot of the model at the end of the history, first discarding
// every snapshot after the current position; the new one becomes current.
// When the snapshots then hold more than g_history_limit bytes, the oldest
// are dropped (never the current one) until they fit; the first time this
// happens messagetxt says so. Reads: NOV, NOE, NOS, v, phi, edge, face,
// subdiv_level, g_history_limit. Writes: undoList, currentState,
// g_history_bytes, g_history_trimmed, messagetxt.
void saveState();

// Restores the snapshot at the current position and steps back one position;
// does nothing at the oldest snapshot or with an empty history. At the newest
// position it first stores the present surface as the newest entry, marked
// `undone` (replacing such an entry stored before), so that redo can bring
// back the surface exactly as it was undone, geometry included.
// Writes: NOV, NOE, NOS, v, edge, phi, face, subdiv_level, currentState,
// undoList, and marks the face counts stale (NOfaceOfVertex_on = false).
void undo();

// Steps forward one position and restores the surface the matching undo
// replaced: the entry after the new position. Does nothing when nothing was
// undone. Writes the same as undo().
void redo();

// Number of snapshots held. Reads: undoList.
int historyLength();

// Zero-based index of the current position, or -1 when the history is empty.
// Reads: undoList, currentState.
int historyPosition();

// Frees every snapshot and empties the history. Writes: undoList, currentState.
void clearHistory();
