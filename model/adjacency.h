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
