#include "model/surface_info.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

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

    // Each face side, sorted by its pair of vertices with the sides running from
    // the lower vertex to the higher first, to find boundary and badly oriented edges.
    std::vector<std::pair<unsigned long long, bool>> sides;  // the pair's key; true when running downwards
    sides.reserve(3 * static_cast<size_t>(NOS));
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            const int a = face[f][k], b = face[f][(k + 1) % 3];
            sides.emplace_back(vertexPairKey(a, b), !(a < b));
        }
    std::sort(sides.begin(), sides.end());
    DisjointSets loops(NOV);
    std::vector<bool> onBoundary(NOV, false);
    for (int e = 0; e < NOE; ++e) {
        const unsigned long long key = vertexPairKey(edge[e][0], edge[e][1]);
        const auto first = std::lower_bound(sides.begin(), sides.end(), std::make_pair(key, false));
        const auto downwards = std::lower_bound(first, sides.end(), std::make_pair(key, true));
        const auto end = std::upper_bound(downwards, sides.end(), std::make_pair(key, true));
        const long n = end - first;
        if (n == 1) {
            ++info.boundaryEdges;
            loops.join(edge[e][0], edge[e][1]);
            onBoundary[edge[e][0]] = onBoundary[edge[e][1]] = true;
        } else if (n == 2) {
            info.inconsistentEdges += downwards - first != 1;
        }
    }
    for (int i = 0; i < NOV; ++i)
        info.boundaryLoops += onBoundary[i] && loops.find(i) == i;

    for (int i = 0; i < NOV; ++i)
        ++info.faceCounts[NOfaceOfVertex[i]];

    for (int e = 0; e < NOE; ++e) {
        const Point3& a = v[edge[e][0]];
        const Point3& b = v[edge[e][1]];
        const double len = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
        const double error = std::fabs(len - phi[e]) / phi[e];
        if (std::isnan(info.maxEdgeError))
            break;  // one error that is no number makes the whole figure none
        if (std::isnan(error) || error > info.maxEdgeError)
            info.maxEdgeError = error;
    }

    info.theory = theoryCurvature();
    curvatureRange(&info.angleSumMin, &info.angleSumMax);
    return info;
}
