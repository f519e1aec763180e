// The straightforward forms of the painter's order and of the face-to-edge
// table, kept as references for the faster forms the program uses.
#pragma once

// Every face compared with every other face (O(NOS^2)). Reads: NOS, center.
// Writes: order (after computeDepthKeys has zeroed it).
void literalPaintingOrder();

// Every face compared with every edge (O(NOS x NOE)). Reads: subdiv_level,
// NOS, face, NOE, edge. Writes: face2edge, revised_face2edge.
void literalMakeFace2edge();

#include <string>
#include <vector>

// One call of the literal drawing pass on its device context.
struct LiteralCall {
    enum Kind { Polygon, Disc } kind;
    int x[3], y[3];           // polygon corners, or the disc's top-left in x[0], y[0]
    unsigned char brush[3];   // fill colour
    bool dashedPen;           // the pen is short-dashed
};

// The window's drawing pass step by step as first written: the derived data
// refreshed when flagged, depth keys, the all-pairs painter's order, the
// projection with floor, face counts and angle sums, then for every face its
// triangle with a dashed pen for a selected component (judged by corner 0) and
// its colour from getcolor, the angle-sum mark of each corner in turn (the
// colour worked out here from the curvature), then the red discs of the picked
// vertices among its corners. Records what it would draw instead of drawing.
// Reads and writes what the window's repaint does.
void literalDrawingPass(std::vector<LiteralCall>* calls);
