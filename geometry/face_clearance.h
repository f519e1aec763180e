// How near a surface comes to itself: the smallest distance between two faces
// that share no corner. Faces that share a corner touch there by design; any
// other two faces that come close are a fold or a pinch about to pass through
// each other.
#pragma once

// The point of the triangle (a, b, c) nearest p, in *closest, by the region
// of the triangle's plane that p falls in (corner, side or inside).
void closestPointOnTriangle(const double* p, const double* a, const double* b, const double* c, double* closest);

// The same, with the closest point's weights on a, b and c (summing to 1).
void closestPointAndWeightsOnTriangle(const double* p, const double* a, const double* b, const double* c,
                                      double* closest, double* weights);

// The parameters s and t in [0, 1] of the points p0 + s (p1 - p0) and
// q0 + t (q1 - q0) where the segments p0 p1 and q0 q1 come nearest.
void closestPointsOfSegments(const double* p0, const double* p1, const double* q0, const double* q1, double* s,
                             double* t);

// The distance between the segments p0 p1 and q0 q1 (closestPointsOfSegments).
double segmentDistance(const double* p0, const double* p1, const double* q0, const double* q1);

// The distance from point p to the triangle (a, b, c) (closestPointOnTriangle).
double pointTriangleDistance(const double* p, const double* a, const double* b, const double* c);

// The distance between the triangles (a0, a1, a2) and (b0, b1, b2): 0 when
// they meet, else the least of the distances from a corner of one to the
// other and between a side of one and a side of the other. Coordinates as
// arrays of three.
double triangleDistance(const double* a0, const double* a1, const double* a2, const double* b0, const double* b1,
                        const double* b2);

// The smallest triangleDistance between two faces that have no corner in
// common; +infinity when no two faces are such (one cell, say). A uniform grid
// of cells about as large as a face brings together the faces whose bounding
// boxes come within a cell of each other; when none is that near, the search
// widens until it has looked at every pair. Faces with a coordinate that is
// not a number count as meeting everything (distance 0). Reads: NOS, face, v.
double smallestFaceClearance();
