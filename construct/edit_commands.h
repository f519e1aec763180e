// The Edit menu's commands that change the surface, as one model sequence
// each, shared by the window's handlers and korvith-tool's operations. Each
// returns its refusal: one line saying why it did nothing (or, for Add copy,
// nothing but the recentring), "" when it was done; the window shows that
// line in the status bar and the tool reports it as the operation's error.
// The commands, and only they, record the undo snapshot of their edit: the
// building blocks they call (addnewpolygon, addcopy, pasteVertices, subdiv,
// kago, remove) record none. The window handler calls the function and then
// does only window things; the tool calls the same function and refreshes the
// derived data afterwards, as the window's next repaint does. Commands that
// are a single core call (Mirror image: mirrorpoly, Flip face: flipFace, Pull
// one point: pullpoint, Undo and Redo: undo, redo, Default size: defaultSize)
// call it directly.
#pragma once

#include <string>

#include "construct/glue.h"  // pasteRefusal, the gluing rule in words

// "Add new cells" and the plain double click: on a surface that is not
// subdivided, an undo snapshot and a cell at the picked vertex g_purtj
// (addnewpolygon). Refused, with nothing changed, on a subdivided surface
// (CELLS_NEED_LEVEL_ONE) and where no cell fits (addCellRefusal). Writes what
// saveState and addnewpolygon write.
std::string addCellCommand();

// A paste by the mouse (or the tool's paste=A,B): the components relabelled
// when a and b are live, different and carry different labels on a surface
// that is not subdivided (the labels do not change the answer); then, unless
// pasteRefusal(a, b) refuses, an undo snapshot, pasteVertices(a, b) and one
// relaxation burst. Returns pasteRefusal's line. Writes what fill_conn_comp,
// saveState, pasteVertices and modify write.
std::string pasteCommand(int a, int b);

// "Paste all possible edges": an undo snapshot, every seam zipped, one
// relaxation burst, also when there is nothing to zip (never refused).
// Returns the number of pastes made; the window says NOTHING_TO_PASTE when it
// is 0. Writes the model, the history, the staleness flags.
int pasteAllCommand();

// The status lines of commands that did nothing: a Paste all that glued
// nothing, a command at the picked vertex with none picked, Kago like on a
// surface that is not subdivided, Subdivide on one that is.
extern const char* const NOTHING_TO_PASTE;
extern const char* const NO_VERTEX_PICKED;
extern const char* const KAGO_NEEDS_SUBDIVISION;
extern const char* const ALREADY_SUBDIVIDED;

// "Add copy image" (mirror false) and "Add mirror image" (mirror true): unless
// copyRefusal() refuses, an undo snapshot and the copy (addcopy); then the
// whole surface recentred on the origin, also when the copy was refused.
// Returns copyRefusal's line. Writes the model, the labels, the history.
std::string addCopyCommand(bool mirror);

// "Remove some cells": with a vertex picked, an undo snapshot, the vertex with
// its edges and faces removed, the components and their centres relabelled,
// the face counts marked stale and the pick cleared. Refused (NO_VERTEX_PICKED)
// with no vertex picked. Writes the model, the labels, g_purtj, the history.
std::string removeCommand();

// "Subdivide" at level n (2 .. 6): an undo snapshot (always), then on a surface
// that is not subdivided the subdivision and the components relabelled.
// Refused with ALREADY_SUBDIVIDED on a subdivided surface, and with
// subdivisionRefusal's line when the subdivision cannot be made (the
// components are relabelled all the same). Writes the model, the labels,
// subdiv_level, the history.
std::string subdivideCommand(int n);

// "Kago like": an undo snapshot (always), then on a subdivided surface every
// cell centre removed and one relaxation burst. Refused with
// KAGO_NEEDS_SUBDIVISION on a surface that is not subdivided. Writes the
// model, the face-count flag, the history.
std::string kagoCommand();
