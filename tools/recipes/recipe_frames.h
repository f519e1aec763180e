// Surfaces from torios placed at the nodes of a frame: punched polyhedra (a
// torio at each corner, glued to its neighbours along the edges, a hole at
// each face) and lattices of them glued hole to hole.
#pragma once

#include <utility>
#include <vector>

#include "tools/recipes/recipe.h"
#include "tools/recipes/recipe_placing.h"

namespace recipes {
// A frame of torios: node k gets a torio whose surface faces `normal[k]`,
// and each edge (a, b) glues the torios of a and b along an arc of three
// edges across the cell joints that point at each other.
struct Frame {
    std::vector<Vec> position, normal;
    std::vector<std::pair<int, int>> edges;
    // Holes to glue to each other, each pair given by the points the two
    // holes lie at: the boundary loops nearest to them are glued.
    std::vector<std::pair<Vec, Vec>> joins;
};

// Places one torio per node (the first built from the cell, the others read
// from sample/torio.kor), each turned so that its normal is the node's and its
// joints point as nearly as they can at the node's neighbours, then glues the
// arcs of every edge. Returns the node each vertex came from.
std::vector<int> placeTorios(Recipe& r, const Frame& frame);

// Glues the holes of every join to each other, vertex by vertex: the two
// loops run opposite ways where they meet, and of the ways to lay one on the
// other, the nearest one in which every glued vertex ends up in 6 or 7 faces.
// `nodeOf` gives the node each vertex came from.
void joinHoles(Recipe& r, const Frame& frame, const std::vector<int>& nodeOf);

// Relaxes a frame of torios into its surface: places and glues the torios,
// lets each piece settle, glues the holes of every join, then relaxes and
// opens it (`rounds` spreading rounds) and lets it creep on for `steps`
// single steps, which a large surface needs to bring every edge within 1e-3
// of its length; with `solve`, then smooths it a little and brings every
// edge to its length (where creeping stalls on a strained shape); ends
// centred.
void buildFrame(Recipe& r, const Frame& frame, int rounds, int steps, bool solve = false);

// The corners of a regular dodecahedron with edges of length `edge`, its edges
// joining corners at that distance; every corner faces the centre.
Frame dodecahedron(double edge);

// The corners of a regular tetrahedron with edges of length `edge`; every
// corner faces the centre.
Frame tetrahedron(double edge);

// A 2 x 2 x 2 block of the lattice spanned by three unit axes at `angle` to
// each other: a punched parallelepiped at each node, its edges `edge` long,
// the nodes `edge + gap` apart, and every two neighbours glued hole to hole.
Frame parallelepipedLattice(double angle, double edge, double gap);

// A 2 x 2 x 2 block of the lattice of rhombic prisms whose two axes across
// meet at 60 degrees, the third along z: a punched hexagonal prism at each
// node, its edges `edge` long. Neighbours across (along the two axes and the
// short diagonal of the rhombus between them) face each other with square
// sides `gap` apart, the two layers with hexagons `rise` apart, and every two
// neighbours are glued hole to hole.
Frame rhombicPrismLattice(double edge, double gap, double rise);

// A patch of the diamond lattice: a punched truncated tetrahedron at each of
// `nodes` (in lattice units: nodes of the first kind have even coordinates,
// those of the second kind odd ones), `bond` apart along a bond, and every
// two bonded nodes glued by their hexagonal holes, whose four triangular
// holes stay open.
Frame diamondPatch(const std::vector<Vec>& nodes, double edge, double bond);
}  // namespace recipes
