// How far the edges are from their target lengths: the measure the precise
// relaxation drives down and the document summary and grown rings report.
#pragma once

#include "model/store.h"
#include "model/vec3.h"

// The length of edge e as the positions stand. Reads: edge, v.
inline double edgeLength(int e) { return length(v[edge[e][1]] - v[edge[e][0]]); }

// The largest |L - phi| / phi over the live edges; 0 without edges, not a
// number when any edge's error is not a number. Reads: NOE, edge, phi, v.
double maxRelativeEdgeError();
