// What the drawing pass computes before it paints: depth keys, the painter's
// order, the projected vertex positions, and the colours of the vertex marks.
#pragma once

#include <wx/string.h>

#include "model/store.h"

// center[f] = mean z of face f's corners (summed z1 + z0 + z2) and order[f] = 0,
// for every face. Reads: NOS, face, v. Writes: center, order.
void computeDepthKeys();

// The painter's order: order[p] is the face painted at position p, deepest
// (largest key) first, equal keys higher index first. A face whose key is not
// a number takes position 0 like the deepest face (of all faces at position 0
// the highest index keeps the slot) and pushes no other face back; positions
// that no face takes keep face 0. Sorting, so O(NOS log NOS). Reads: NOS,
// center. Writes: order.
void computePaintingOrder();

// gv[i] = (g_centerx + floor(g_rate x), g_centery - floor(g_rate y)) for every
// vertex; a coordinate beyond the device range is held at +-1000000 and one that
// is not a number goes to -1000000 (off the picture). Reads: NOV, v, g_rate,
// g_centerx, g_centery. Writes: gv.
void projectVertices();

// The pick distance: the larger of the horizontal and vertical differences.
int distance(wxPoint p, wxPoint q);

// The angle-sum mark of vertex c, if it has one: a vertex in 6 or more faces
// whose angle sum lies more than 0.01 above the theory value `theory` gets a red
// mark (m, 0, 0), more than 0.01 below a green one (0, m, 0), m = floor(250 x
// the excess beyond 0.01), at most 255. Returns false when there is no mark.
// Reads: NOfaceOfVertex, curvature.
bool angleSumMark(int c, double theory, RGBColour* colour);

// True when face f belongs to a selected component, judged by its corner 0.
// Reads: face, conn_comp, hilighted.
bool isFaceSelected(int f);

// The window title for a status message: "Korvith" for " ", else the message.
wxString windowTitleFor(const wxString& message);
