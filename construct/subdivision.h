// Subdivision: every triangle cut into n x n smaller ones on a barycentric grid,
// with target lengths from a model of the subdivided cell.
#pragma once

#include <string>
#include <vector>

// Target lengths of a level-n subdivision: ring[d] for edges at depth d
// (d = 0 .. n-1, counted from the rim side of a cell face), step[d] for edges
// between depths d-1 and d (d = 1 .. n; step[0] is unused).
struct SubdivisionLengths {
    std::vector<double> ring;
    std::vector<double> step;
};

// The target-length tables for level n (2 .. 6).
SubdivisionLengths subdivisionLengths(int n);

// The subdivision rule, in words: why the surface cannot be subdivided at
// level n ("" when it can): n outside 2 .. 6, a result beyond the limits
// (30000 vertices, 30000 edges, 13333 faces), or a face side with no edge
// joining its corners. The level the surface has now is the caller's to test.
// Reads NOV, NOE, NOS, edge, face.
std::string subdivisionRefusal(int n);

// Subdivides the whole surface at level n (2 .. 6): old vertices keep their
// indices, then come the n-1 inner points of every edge, then the inner grid
// points of every face; the edge and face lists are replaced by the new ones
// (every small face keeps its old face's orientation), subdiv_level becomes n
// and the face counts are marked stale. Sub-edges of an edge on no face get the
// rim length of depth 0. Does nothing when subdivisionRefusal(n) says why. Reads and writes the model and
// NOfaceOfVertex_on. Returns true when the surface was subdivided.
bool subdiv(int n);
