// Placing pieces for a recipe: turns and moves written as the tool's
// operations, pieces read from a file and laid where they belong, and the
// torio opened out evenly.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/vec3.h"
#include "model/store.h"
#include "tools/recipes/recipe.h"

namespace recipes {
// The store's point; its arithmetic comes from the core.
using Vec = Point3;
// The position of vertex i. Reads v.
inline Vec at(int i) { return v[i]; }

// A rotation as its three columns: the images of the x, y and z axes.
struct Turn {
    Vec c[3];
    Vec apply(Vec a) const { return a.x * c[0] + a.y * c[1] + a.z * c[2]; }
};

// The turn that takes the orthonormal frame (a0, a1, a2) onto (b0, b1, b2).
Turn frameTurn(const Vec a[3], const Vec b[3]);

// The right-handed orthonormal frame of a normal and a direction across it.
void frameOf(Vec normal, Vec across, Vec out[3]);

// Writes the turn as the tool's turns: rotate=A,B turns about y by A, then
// about x by B, so a turn is y, then x, then y again (`inverse` writes the
// turn back).
void turnOps(Recipe& r, const Turn& t, bool inverse);

// Writes move=X,Y,Z for the shift d.
void moveOp(Recipe& r, Vec d);

// Reads `file` beside the surface, turned by `turn` and then moved by `shift`
// from where the file has it: the surface is moved and turned the other way
// (and 2.0 along x, where Open and append puts the file's piece), the file
// read, and everything moved and turned back.
void appendPlaced(Recipe& r, const std::string& file, const Turn& turn, Vec shift);

// The one cell as sample/single.kor holds it, kept by make-recipes before
// each recipe starts.
extern std::vector<Vec> singleCell;

// The frame of a face side p -> q: origin at its middle, first axis along it,
// second axis across it towards (`towards` true) or away from the centre of
// its cell, third axis the face's normal side.
void sideFrame(Vec p, Vec q, Vec centre, bool towards, Vec* origin, Vec axes[3]);

// Reads a new cell from sample/single.kor and glues it along the face side
// p -> q of the surface (its side 0 -> 1 laid on q -> p, so the faces stay
// consistently oriented), its body beyond the side, turned by `fold` radians
// about the side out of the surface. Reads singleCell and the store.
void addCellAgainst(Recipe& r, int p, int q, double fold);

constexpr int TORIO_VERTICES = 19;

// A torio's right-handed frame (normal at the vertex where its three cells
// meet, first joint across it) and the directions of its three cell joints
// from that vertex, in the order of its boundary loop.
struct TorioShape {
    Vec frame[3];
    Vec joint[3];
};

// The shape of the torio whose three cells meet at vertex `base` (its
// vertices base .. base + 18, its boundary a loop of its own).
TorioShape torioShape(int base);

// The arcs of the torios of vertices 19 t .. 19 t + 18 (t < torios), each
// bounded by a loop of its own: (*arcs)[t][j] is the four boundary vertices
// from one edge before joint j to two edges after it. False, with a message,
// when a loop is not three runs of five edges or belongs to no such torio.
bool torioArcs(Recipe& r, int torios, std::vector<std::vector<std::vector<int>>>* arcs);

// Adds to `pairs` the vertex pairs that glue arc `mine` to arc `theirs`: both
// loops run along their faces, so the arcs meet running opposite ways.
void glueArcs(const std::vector<int>& mine, const std::vector<int>& theirs, std::vector<std::pair<int, int>>* pairs);

// The smallest angle between two joints of the torio of vertices 0 .. 18.
double smallestJointAngle();

// Pulls (down, or up with the surface turned over) a vertex and relaxes the
// surface until stable.
void pullVertex(Recipe& r, int vertex, bool up);

// The zipped torio comes out with one cell folded shut. Opens it out until
// its three joints stand about 120 degrees apart: again and again, of all the
// pulls up or down of one vertex, the one that widens the narrowest angle
// between joints most, while any widens it by half a degree.
void shapeTorio(Recipe& r);
}  // namespace recipes
