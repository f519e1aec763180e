// Shaping a relaxed surface for a recipe: pulls along any direction, holes
// evened out by the pulls that help most, and vertices moved to a shape worked
// out beforehand (holes propped open), all written as the tool's operations.
#pragma once

#include <vector>

#include "tools/recipes/recipe.h"
#include "tools/recipes/recipe_placing.h"

namespace recipes {
// Pulls vertex `vertex` 0.3 along the unit vector `direction`: turns the
// surface so that it points down, pulls (which relaxes one burst unless
// relaxation is off) and turns the surface back.
void pullAlong(Recipe& r, int vertex, Vec direction);

// How evenly the holes are open: the smallest hole area over the largest; 1
// when the surface has no more than one hole, and below 0 when two faces that
// share no corner are nearer than `clearance` (the nearer, the lower) or pass
// through each other. Reads the faces and v.
double holeBalance(double clearance);

// Evens out the holes by spreading: rounds of `passes` spreading passes, each
// followed by relaxing until stable, while a round raises
// holeBalance(clearance) by 0.002 and it is below `enough`. Relaxes until
// stable first.
void spreadEvenly(Recipe& r, double clearance, double enough, int passes);

// Evens out the holes with pulls: again and again, of the pulls of one vertex
// along one of the six axis directions (each followed by relaxing until
// stable), the one that raises holeBalance(clearance) most, while any raises
// it by 0.002 and it is below `enough`. Relaxes until stable first.
void evenHoles(Recipe& r, double clearance, double enough);

// The relaxed shape with the holes propped open: a bar of length `length`
// joins the two vertices of each hole where its boundary passes from one cell
// to the next, when the hole has two such vertices, and precise relaxation
// brings the surface to the lengths with the bars in place and then, from
// there, without them. The store is left as it was; returns the positions.
std::vector<Vec> proppedOpen(double length);

// Moves every vertex to its position in `target` (one per vertex) with
// relaxation off, by pulls of 0.3 (along the way, then two at an angle for the
// rest), and then, when `relax`, relaxes until stable (relaxation stays off
// otherwise). Vertices within 1e-6 of their place stay.
void moveTo(Recipe& r, const std::vector<Vec>& target, bool relax = true);
}  // namespace recipes
