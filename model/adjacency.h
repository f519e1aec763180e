// Incidence indexes built once for a pass over the whole surface, where a scan
// of the face or edge list per vertex or per edge would be quadratic.
#pragma once

#include <vector>

// One key for the unordered pair of vertices a and b (the same for (b, a)).
inline unsigned long long vertexPairKey(int a, int b)
{
    const unsigned int lo = static_cast<unsigned int>(a < b ? a : b);
    const unsigned int hi = static_cast<unsigned int>(a < b ? b : a);
    return (static_cast<unsigned long long>(lo) << 32) | hi;
}

// True when faces f and g have a corner in common. Reads: face.
bool facesShareCorner(int f, int g);

// True when corner k of face f names a vertex that no earlier corner of f names.
// Reads: face.
bool firstCornerOccurrence(int f, int k);

// The faces of every vertex, each listed once, in increasing index, as they
// stand when build() runs. Reads: NOV, NOS, face.
struct FacesOfVertex {
    void build();
    int count(int i) const { return start[i + 1] - start[i]; }
    const int* of(int i) const { return faces.data() + start[i]; }

    std::vector<int> start;  // NOV + 1 offsets into faces
    std::vector<int> faces;
};

// A face side that no other face has: a piece of the surface's boundary,
// running from `from` to `to` in its face's corner order.
struct BoundarySide {
    int from, to;
    int face;
    int opposite;  // the face's third corner (on a cell's rim side: the cell's centre)
};

// Every boundary side, in face order (a side is on the boundary when no other
// face has both of its corners next to each other). Reads: NOS, face.
std::vector<BoundarySide> boundarySides();
