#include "model/surface_info.h"

#include <numeric>
#include <unordered_map>
#include <vector>

#include "geometry/precise_relaxation.h"
#include "model/derived_data.h"
#include "model/adjacency.h"
#include "model/store.h"

namespace {
struct DisjointSets {
    explicit DisjointSets(int n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
    int find(int x)
    {
        while (parent[x] != x)
            x = parent[x] = parent[parent[x]];
        return x;
    }
    void join(int a, int b) { parent[find(a)] = find(b); }
    std::vector<int> parent;
};

}  // namespace

SurfaceInfo surfaceInfo()
{
    SurfaceInfo info;
    info.vertices = NOV;
    info.edges = NOE;
    info.faces = NOS;
    info.level = subdiv_level;
    info.euler = NOV - NOE + NOS;

    DisjointSets parts(NOV);
    for (int e = 0; e < NOE; ++e)
        parts.join(edge[e][0], edge[e][1]);
    for (int i = 0; i < NOV; ++i)
        info.components += parts.find(i) == i;

    // Each face side, counted per direction, to find boundary and badly oriented edges.
    std::unordered_map<unsigned long long, int> sides, forward;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            const int a = face[f][k], b = face[f][(k + 1) % 3];
            ++sides[vertexPairKey(a, b)];
            if (a < b)
                ++forward[vertexPairKey(a, b)];
        }
    DisjointSets loops(NOV);
    std::vector<bool> onBoundary(NOV, false);
    for (int e = 0; e < NOE; ++e) {
        const unsigned long long key = vertexPairKey(edge[e][0], edge[e][1]);
        const auto found = sides.find(key);
        const int n = found == sides.end() ? 0 : found->second;
        if (n == 1) {
            ++info.boundaryEdges;
            loops.join(edge[e][0], edge[e][1]);
            onBoundary[edge[e][0]] = onBoundary[edge[e][1]] = true;
        } else if (n == 2) {
            const int f = forward.count(key) ? forward[key] : 0;
            info.inconsistentEdges += f != 1;
        }
    }
    for (int i = 0; i < NOV; ++i)
        info.boundaryLoops += onBoundary[i] && loops.find(i) == i;

    for (int i = 0; i < NOV; ++i)
        ++info.faceCounts[NOfaceOfVertex[i]];

    info.maxEdgeError = maxRelativeEdgeError();

    info.theory = theoryCurvature();
    curvatureRange(&info.angleSumMin, &info.angleSumMax);
    return info;
}
