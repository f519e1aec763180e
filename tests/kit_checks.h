// Checks of a paper kit that do not trust the kit's own geometry code: the
// sign of an orientation computed exactly (floating-point expansions), and
// from it an exact test of whether two convex polygons' insides overlap.
#pragma once

#include <utility>
#include <vector>

#include "geometry/plane_clearance.h"

// The exact sign (-1, 0, 1) of the orientation of a, b, c: 1 when c lies left
// of a -> b in a frame whose y axis points up.
int exactOrientation(const Point2& a, const Point2& b, const Point2& c);

// True when the insides of two convex polygons (corners in either turning
// sense, no three in a row) have a point in common; touching sides or corners
// do not count. Exact.
bool insidesOverlap(const std::vector<Point2>& a, const std::vector<Point2>& b);

// Every pair (i < j) of `polygons` whose insides overlap, exactly; a sweep
// over the boxes finds the candidates.
std::vector<std::pair<int, int>> overlappingPairs(const std::vector<std::vector<Point2>>& polygons);
