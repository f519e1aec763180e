// A printable solid from a surface: the sheet offset to both sides far enough
// that every face moves by half the thickness, closed by walls along every
// boundary loop; the wall it keeps, and the largest thickness that does not
// pass through itself.
#pragma once

#include <string>
#include <vector>

#include "model/triangle_mesh.h"

// How far a vertex's offset may stretch beyond thickness / 2 to keep every
// face there thickness / 2 off the sheet.
constexpr double MAX_OFFSET_STRETCH = 10;

// How many times a stretched offset that makes the solid cross itself is
// drawn back (its excess over thickness / 2 multiplied by HOLD_BACK_FACTOR,
// the last time all the way).
constexpr int MAX_HOLD_BACK_ROUNDS = 10;
constexpr double HOLD_BACK_FACTOR = 0.7;

// What thickening found out about the solid.
struct ThickenReport {
    double smallestWall = 0;   // the least distance from a point of one layer to the other (see smallestWall)
    int thinVertex = -1;       // the sheet vertex at or nearest that point
    int clampedVertices = 0;   // vertices whose faces turn too sharply for a full wall there
    int clampedVertex = -1;    // the first of them (sheet index)
    int heldBackVertices = 0;  // vertices whose full offset would run the solid through itself
    std::vector<int> shortVertices; // the sheet vertices of both kinds, whose wall may be thinner
    bool thinAtSharpFold = false; // the thinnest wall lies in a face at one of them
    int crossingPairs = 0;     // pairs of the solid's faces passing through each other (when checked)
    double cleanThickness = 0; // the largest thickness found free of crossings (when it crossed)
};

// The closed shell of thickness `thickness` (model units, > 0) around `sheet`.
// Every vertex used by a triangle moves to the front layer along the unit
// direction that lies furthest in front of all its faces (whose least cosine
// with the faces' unit normals, which point to the side from which the
// corners run anticlockwise, is largest), by thickness / 2 divided by that
// least cosine, so that every face plane there moves by at least
// thickness / 2; but by no more than MAX_OFFSET_STRETCH times thickness / 2 (a
// fold too sharp for that is counted in the report). Where that direction
// would fold the fan over itself seen along it, the vertex moves along the
// angle-weighted mean of its faces' normals, turned to lie as far in front
// of every face as it can. A stretched offset that makes the solid pass
// through itself is drawn back towards thickness / 2, the most stretched
// corner of each crossing pair of faces first (at most MAX_HOLD_BACK_ROUNDS
// crossing tests; counted in the report). The back layer takes the opposite
// offsets. The front layer keeps the triangles' orientation, the back layer
// reverses it; each boundary side gets a wall of two triangles joining the
// layers. Every edge of the result lies in exactly two triangles run along it
// in opposite directions, and the triangles face outwards. Vertices that no
// triangle uses are left out. The front copy of used vertex i (in increasing
// order) is vertex k, its back copy vertex k + n, where n is the number of
// used vertices. Fails, with the reason in *why, on a sheet with no
// triangles, a triangle naming a vertex twice, an edge in more than two
// triangles or in two that run along it the same way (the sheet is not
// consistently oriented), or a vertex whose faces' normals cancel. With
// `report`, measures the solid's smallest wall (smallestWall, searching up to
// twice the thickness) and counts the vertices with less than their full
// offset; the crossing fields stay 0. With `rule` HalfThicknessAlongMean
// every vertex moves by exactly thickness / 2 along the turned mean of its
// faces' normals instead, and nothing is drawn back (the rule the sample
// recipes were laid out with, whose walls thin out at sharp folds).
enum class OffsetRule { FullWall, HalfThicknessAlongMean };
bool thickenMesh(const TriangleMesh& sheet, double thickness, TriangleMesh* solid, std::string* why,
                 ThickenReport* report = nullptr, OffsetRule rule = OffsetRule::FullWall);

// The largest thickness up to `upper` (which crosses) at which the solid
// around `sheet` has no two faces passing through each other, by bisection to
// within 1 %; 0 when even upper / 1000 crosses (or does not thicken).
double largestCleanThickness(const TriangleMesh& sheet, double upper);

// Thickens `sheet` (thickenMesh, with the report) and checks the solid for
// faces passing through each other. When some do and `allowCrossing` is
// false, fails with the number of crossing pairs and the largest clean
// thickness (largestCleanThickness, also in the report) in *why. *report may
// be null.
bool thickenChecked(const TriangleMesh& sheet, double thickness, bool allowCrossing, TriangleMesh* solid,
                    ThickenReport* report, std::string* why);

// One line on the wall of a thickened solid: the smallest wall in `unit` after
// multiplying model lengths by `scale` and as a fraction of the thickness,
// the vertex nearest it and, under 0.9 of the thickness, why; the vertices
// whose faces turn too sharply for a full wall or that were held back, and
// the crossing pairs of an allowed crossing solid.
std::string wallSummary(const ThickenReport& report, double thickness, double scale, const std::string& unit);

// Thickens the current surface in the store (thickenChecked) and marks it as
// a solid (g_solid), which is written only as a mesh or picture. Not recorded
// for undo. False, with nothing changed, when thickening fails, the solid
// crosses itself (unless `allowCrossing`) or does not fit. Reads and writes
// the model; writes g_solid.
bool thicken(double thickness, bool allowCrossing, ThickenReport* report, std::string* why);

// Multiplies every vertex position of the surface by `factor` (the target
// lengths stay). Reads: NOV. Writes: v.
void scalepoly(double factor);
