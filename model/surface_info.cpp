#include "model/surface_info.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

#include "model/edge_error.h"
#include "model/derived_data.h"
#include "model/adjacency.h"
#include "model/topology.h"
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

// Whether the faces can be oriented alike, and the genus of an orientable
// surface: each part of faces joined across edges counts its own Euler
// characteristic (the vertices and edges of its faces) and boundary loops.
void orientationAndGenus(SurfaceInfo* info)
{
    std::unordered_map<unsigned long long, std::vector<std::pair<int, bool>>> sides;  // face, runs low to high
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            const int a = face[f][k], b = face[f][(k + 1) % 3];
            sides[vertexPairKey(a, b)].push_back({f, a < b});
        }
    // flip[f]: face f must be turned to agree with its part's first face.
    std::vector<int> flip(NOS, -1), part(NOS, -1), stack;
    bool manifold = true;
    int parts = 0;
    for (int start = 0; start < NOS; ++start) {
        if (flip[start] >= 0)
            continue;
        flip[start] = 0;
        part[start] = parts++;
        stack.push_back(start);
        while (!stack.empty()) {
            const int f = stack.back();
            stack.pop_back();
            for (int k = 0; k < 3; ++k) {
                const auto& list = sides[vertexPairKey(face[f][k], face[f][(k + 1) % 3])];
                if (list.size() > 2)
                    manifold = false;
                if (list.size() != 2)
                    continue;
                const auto& mine = list[0].first == f ? list[0] : list[1];
                const auto& other = list[0].first == f ? list[1] : list[0];
                // Neighbours agree when they run along the edge opposite ways.
                const int wanted = flip[f] ^ (mine.second == other.second);
                if (flip[other.first] < 0) {
                    flip[other.first] = wanted;
                    part[other.first] = part[f];
                    stack.push_back(other.first);
                } else if (flip[other.first] != wanted) {
                    info->orientable = false;
                }
            }
        }
    }
    // A vertex is pinched when its faces fall into more than one fan: the
    // corners of faces that share an edge at the vertex are joined.
    DisjointSets corners(3 * NOS);
    for (const auto& [key, list] : sides) {
        const int a = static_cast<int>(key >> 32), b = static_cast<int>(key & 0xffffffffu);
        for (std::size_t n = 1; n < list.size(); ++n)
            for (int end : {a, b}) {
                const int f = list[0].first, g = list[n].first;
                corners.join(3 * f + getPhaseOfFace(end, f), 3 * g + getPhaseOfFace(end, g));
            }
    }
    std::vector<int> fanOf(NOV, -1);
    std::vector<bool> pinched(NOV, false);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            const int x = face[f][k], root = corners.find(3 * f + k);
            if (fanOf[x] < 0)
                fanOf[x] = root;
            else if (fanOf[x] != root && !pinched[x]) {
                pinched[x] = true;
                ++info->pinchedVertices;
            }
        }
    info->manifold = manifold && info->pinchedVertices == 0;
    if (!info->orientable || !info->manifold)
        return;
    std::vector<long> chi(parts, 0), loops(parts, 0);
    std::vector<int> vertexPart(NOV, -1);
    for (int f = 0; f < NOS; ++f) {
        ++chi[part[f]];
        for (int k = 0; k < 3; ++k)
            if (vertexPart[face[f][k]] < 0) {
                vertexPart[face[f][k]] = part[f];
                ++chi[part[f]];
            }
    }
    DisjointSets boundary(NOV);
    std::vector<bool> onBoundary(NOV, false);
    for (const auto& [key, list] : sides) {
        const int a = static_cast<int>(key >> 32), b = static_cast<int>(key & 0xffffffffu);
        --chi[part[list[0].first]];
        if (list.size() == 1) {
            boundary.join(a, b);
            onBoundary[a] = onBoundary[b] = true;
        }
    }
    for (int i = 0; i < NOV; ++i)
        if (onBoundary[i] && boundary.find(i) == i)
            ++loops[vertexPart[i]];
    long twiceGenus = 0;
    for (int p = 0; p < parts; ++p) {
        const long g2 = 2 - chi[p] - loops[p];
        if (g2 < 0 || g2 % 2 != 0)
            return;  // not a surface where a vertex joins boundary runs
        twiceGenus += g2;
    }
    info->genus = static_cast<int>(twiceGenus / 2);
}
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

    info.maxEdgeError = maxRelativeEdgeError();

    orientationAndGenus(&info);
    info.theory = theoryCurvature();
    curvatureRange(&info.angleSumMin, &info.angleSumMax);
    return info;
}
