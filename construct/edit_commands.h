// The Edit menu's commands that change the surface, as one model sequence
// each, shared by the window's handlers and korvith-tool's operations. The
// window handler calls the function and then does only window things; the
// tool calls the same function and refreshes the derived data afterwards, as
// the window's next repaint does. Commands that are a single core call (Mirror
// image: mirrorpoly, Flip face: flipFace, Pull one point: pullpoint, Undo and
// Redo: undo, redo, Default size: defaultSize) call it directly.
#pragma once

#include <string>

#include "construct/glue.h"  // pasteRefusal, the gluing rule in words

// "Add new cells": on a surface that is not subdivided, adds a cell at the
// picked vertex g_purtj (addnewpolygon, which records its own snapshot).
// Returns true when a cell was added. Writes what addnewpolygon writes.
bool addCellCommand();

// A paste by the mouse (or the tool's paste=A,B): the gluing test, then an undo
// snapshot, pasteVertices(a, b) and one relaxation burst. Returns false, with
// nothing changed but the labels, when the test refuses. Writes what
// isPasteVertices, saveState, pasteVertices and modify write.
bool pasteCommand(int a, int b);

// "Paste all possible edges": an undo snapshot, every seam zipped, one
// relaxation burst. Returns the number of pastes made. Writes the model, the
// history, the staleness flags.
int pasteAllCommand();

// The status lines of refused commands: a Paste all that glued nothing, a
// command at the picked vertex with none picked, Kago like on a surface that
// is not subdivided, Subdivide on one that is.
extern const char* const NOTHING_TO_PASTE;
extern const char* const NO_VERTEX_PICKED;
extern const char* const KAGO_NEEDS_SUBDIVISION;
extern const char* const ALREADY_SUBDIVIDED;

// "Add copy image" (mirror false) and "Add mirror image" (mirror true): the
// copy (addcopy, which records its own snapshot), then the whole surface
// recentred on the origin, also when the copy was refused for room. Returns
// true when the copy was made. Writes the model, the labels, the history.
bool addCopyCommand(bool mirror);

// "Remove some cells": with a vertex picked, an undo snapshot, the vertex with
// its edges and faces removed, the components and their centres relabelled,
// the face counts marked stale and the pick cleared. Returns true when a
// vertex was picked. Writes the model, the labels, g_purtj, the history.
bool removeCommand();

// "Subdivide" at level n (2 .. 6): an undo snapshot (always), then on a surface
// that is not subdivided the subdivision and the components relabelled.
// Returns true when the surface was subdivided. Writes the model, the labels,
// subdiv_level, the history.
bool subdivideCommand(int n);

// "Kago like": an undo snapshot (always), then on a subdivided surface every
// cell centre removed and one relaxation burst. Returns true when the surface
// was subdivided. Writes the model, the face-count flag, the history.
bool kagoCommand();
