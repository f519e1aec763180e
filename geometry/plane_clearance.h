// Clearance between convex polygons laid flat in the plane, as a paper kit
// needs it: two triangles (or a triangle and a glue tab) may share corners and
// sides exactly, but anything else must stay at least a given gap apart, so
// that rounding the positions for a printed file can never make them overlap.
#pragma once

#include <vector>

struct Point2 {
    double x, y;
};

inline bool operator==(const Point2& a, const Point2& b) { return a.x == b.x && a.y == b.y; }

// True when some side of `a` or of `b` separates the two: every corner of the
// other polygon is either one of that side's two ends, bit for bit, or lies at
// least `gap` beyond the side's line, or lies on that line at least `gap` past
// the side's end where the other polygon touches the side, if it does. Both polygons are convex with their
// corners counter-clockwise (`na`, `nb` corners, 3 or 4). With gap > 0 this is
// stricter than "the interiors do not overlap": a corner lying on the other's
// side without being its end counts as too near. Reads nothing global.
bool polygonsClear(const Point2* a, int na, const Point2* b, int nb, double gap);

// The convex hull of `points`, counter-clockwise, without corners in a row.
std::vector<Point2> convexHull(std::vector<Point2> points);
