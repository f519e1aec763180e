// The unfolding behind the paper kit: the surface cut along some of its edges
// into pieces that lie flat, every triangle congruent to its face in space,
// each cut edge numbered on both sides and given one glue tab, nothing of the
// kit overlapping anything else. Pieces are grown across fold edges from a
// seed face while the new face stays clear of the piece (a grid keeps the test
// local) and the piece still fits the page, then whole pieces are joined where
// they fit; a cut edge whose tab fits on neither side, even shrunk, gets its
// face cut loose. This is done four ways (nearest or breadth first, seeds from
// the first face or the last) and the cut with the fewest pieces is kept.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "geometry/plane_clearance.h"

// What a piece must keep to, in model units.
struct UnfoldLimits {
    double width = 0, height = 0;  // a piece, glue tabs included, must fit width x height or height x width
    double tabHeight = 0;          // the height of a full glue tab (at most 0.35 of its side is used)
    double gap = 0;                // least distance between parts of a piece that share no corner or side
    bool everyShape = false;       // test a new face or tab against every part of its piece instead of
                                   // those the grid finds near it (the literal form, for tests)
};

enum class SideKind : signed char {
    Boundary,  // no other face has this side
    Fold,      // the face across lies beside it in the same piece
    Cut,       // the face across lies elsewhere: the side is numbered, one of its sides has a tab
};

// A glue tab: a trapezoid on a face side, outside the face.
struct KitTab {
    int face = -1, side = -1;         // the side it is glued on
    std::array<Point2, 4> corners{};  // counter-clockwise, starting with the side's ends (second corner first)
};

struct Unfolding {
    // Per face, in face order. Side k of face f runs from corner k to corner
    // k + 1 (mod 3) of face[f].
    std::vector<int> piece;                             // its piece; -1 when left out (a face of no area)
    std::vector<std::array<Point2, 3>> corners;         // the face laid flat in its piece's frame, model units,
                                                        // counter-clockwise when its front (printed side) is up
    std::vector<std::array<SideKind, 3>> kind;          // what each side is in the kit
    std::vector<std::array<int, 3>> across;             // the face across a fold, else -1
    std::vector<std::array<signed char, 3>> mountain;   // a fold seen from the printed side: 1 mountain,
                                                        // -1 valley, 0 flat or no fold
    std::vector<std::array<int, 3>> edgeIndex;          // the side's edge in the edge table, -1 when none
    std::vector<std::array<int, 3>> number;             // the kit's number of a cut side (1, 2, ...), else 0
    std::vector<KitTab> tabs;                           // every glue tab
    std::vector<std::vector<int>> pieces;               // the faces of each piece, seed first
    int cutEdges = 0;                                   // numbers used
    int leftOut = 0;                                    // faces of no area, not in the kit
};

// Unfolds the current surface within `limits`. Fails, with the reason in
// *why, when a single face with its tabs does not fit the limits or the limits
// are not positive. Reads NOS, face, v, NOE, edge. Writes *out.
bool unfoldSurface(const UnfoldLimits& limits, Unfolding* out, std::string* why);
