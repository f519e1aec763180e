#include "construct/subdivision.h"

#include <cmath>
#include <string>
#include <unordered_map>

#include "model/adjacency.h"
#include "model/store.h"
#include "model/topology.h"

SubdivisionLengths subdivisionLengths(int n)
{
    const double T = n * n * 21.99113 / (21.0 * n * n - 1);
    std::vector<double> ang(n + 1);
    for (int k = 0; k <= n; ++k)
        ang[k] = k * k * 3.1415926535 - (3.0 * k * k - 1) * T;
    const double c = std::sin(0.9424777959) / n;
    SubdivisionLengths lengths;
    lengths.ring.resize(n);
    lengths.step.resize(n + 1, 0.0);
    for (int d = 0; d < n; ++d)
        lengths.ring[d] = c * std::sin(ang[0] / 2) / std::sin(ang[d] / 2);
    for (int d = 1; d <= n; ++d)
        lengths.step[d] = 0.5 * c * std::sin(ang[0] / 2) / (std::sin(ang[d] / 2) * std::sin(ang[d - 1] / 2));
    return lengths;
}

namespace {
}  // namespace

namespace {
// The subdivision rule: why level n cannot be made of the surface ("" when it
// can), and the edge on each face side (the lowest-indexed one joining its
// corners; a side without an edge would leave the grid without its points).
std::string subdivisionPlan(int n, std::vector<int>* sideEdge)
{
    if (n < 2 || n > 6)
        return "Subdivision levels run from 2 to 6";
    const int E = NOE, F = NOS;
    const long long newV = NOV + static_cast<long long>(n - 1) * E + static_cast<long long>(n - 1) * (n - 2) * F / 2;
    const long long newE = static_cast<long long>(n) * E + 3LL * n * (n - 1) * F / 2;
    const long long newF = static_cast<long long>(n) * n * F;
    if (newV > MAX_VERTICES || 2 * newE > MAX_EDGES || 3 * newF > MAX_FACES)
        return "The surface subdivided at level " + std::to_string(n) + " would not fit: it would have " +
               std::to_string(newV) + " vertices, " + std::to_string(newE) + " edges and " + std::to_string(newF) +
               " faces, and at most " + std::to_string(MAX_VERTICES) + ", " + std::to_string(MAX_EDGES / 2) +
               " and " + std::to_string(MAX_FACES / 3) + " may be";
    std::unordered_map<unsigned long long, int> edgeOfPair;
    for (int e = E - 1; e >= 0; --e)
        edgeOfPair[vertexPairKey(edge[e][0], edge[e][1])] = e;
    sideEdge->assign(3 * static_cast<size_t>(F), -1);
    for (int f = 0; f < F; ++f) {
        const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
        const int pairs[3][2] = {{c0, c2}, {c1, c2}, {c0, c1}};
        for (int k = 0; k < 3; ++k) {
            const auto found = edgeOfPair.find(vertexPairKey(pairs[k][0], pairs[k][1]));
            if (found == edgeOfPair.end())
                return "Face " + std::to_string(f) + " has no edge along its side from vertex " +
                       std::to_string(pairs[k][0]) + " to vertex " + std::to_string(pairs[k][1]) +
                       ": the subdivision would have no points there";
            (*sideEdge)[3 * f + k] = found->second;
        }
    }
    return std::string();
}
}  // namespace

std::string subdivisionRefusal(int n)
{
    std::vector<int> sideEdge;
    return subdivisionPlan(n, &sideEdge);
}

bool subdiv(int n)
{
    std::vector<int> sideEdge;
    if (!subdivisionPlan(n, &sideEdge).empty())
        return false;
    const int V = NOV, E = NOE, F = NOS;
    const long long newV = V + static_cast<long long>(n - 1) * E + static_cast<long long>(n - 1) * (n - 2) * F / 2;
    const long long newE = static_cast<long long>(n) * E + 3LL * n * (n - 1) * F / 2;
    const long long newF = static_cast<long long>(n) * n * F;
    NOfaceOfVertex_on = false;
    const SubdivisionLengths L = subdivisionLengths(n);

    // Points of old edges: p0 = a, p1 .. p(n-1) new, pn = b.
    auto edgePoint = [&](int e, int j) {
        if (j == 0)
            return edge[e][0];
        if (j == n)
            return edge[e][1];
        return V + (n - 1) * e + (j - 1);
    };
    for (int e = 0; e < E; ++e) {
        const Point3& a = v[edge[e][0]];
        const Point3& b = v[edge[e][1]];
        for (int j = 1; j < n; ++j) {
            const double t = static_cast<double>(j) / n;
            v[V + (n - 1) * e + (j - 1)] =
                Point3{(1 - t) * a.x + t * b.x, (1 - t) * a.y + t * b.y, (1 - t) * a.z + t * b.z};
        }
    }

    // Grid of every old face: g[R][S], R + S <= n.
    std::vector<int> grid(static_cast<size_t>(F) * (n + 1) * (n + 1));
    auto g = [&](int f, int R, int S) -> int& { return grid[(static_cast<size_t>(f) * (n + 1) + R) * (n + 1) + S]; };
    int interior = V + (n - 1) * E;
    for (int f = 0; f < F; ++f) {
        const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
        const int e02 = sideEdge[3 * f], e12 = sideEdge[3 * f + 1], e01 = sideEdge[3 * f + 2];
        for (int R = 0; R <= n; ++R) {
            for (int S = 0; S <= n - R; ++S) {
                if (S == 0) {
                    g(f, R, S) = edgePoint(e02, edge[e02][0] == c2 && edge[e02][1] == c0 ? R : n - R);
                } else if (R == 0) {
                    g(f, R, S) = edgePoint(e12, edge[e12][0] == c2 && edge[e12][1] == c1 ? S : n - S);
                } else if (R + S == n) {
                    g(f, R, S) = edgePoint(e01, edge[e01][0] == c0 && edge[e01][1] == c1 ? S : R);
                } else {
                    const int idx = interior++;
                    const int d = n - R - S;
                    v[idx] = Point3{(R * v[c0].x + S * v[c1].x + d * v[c2].x) / n,
                                    (R * v[c0].y + S * v[c1].y + d * v[c2].y) / n,
                                    (R * v[c0].z + S * v[c1].z + d * v[c2].z) / n};
                    g(f, R, S) = idx;
                }
            }
        }
    }

    std::vector<int> newEdges;
    std::vector<double> newPhi;
    newEdges.reserve(2 * newE);
    newPhi.reserve(newE);
    auto addEdge = [&](int a, int b, double length) {
        newEdges.push_back(a);
        newEdges.push_back(b);
        newPhi.push_back(length);
    };

    // Sub-edges of old edges; their lengths follow the first face with the edge as a side.
    std::unordered_map<unsigned long long, std::vector<int>> edgesOfPair;
    for (int e = 0; e < E; ++e)
        edgesOfPair[vertexPairKey(edge[e][0], edge[e][1])].push_back(e);
    std::vector<int> firstFace(E, -1);
    for (int f = 0; f < F; ++f) {
        const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
        for (const auto& side : {std::make_pair(c0, c1), std::make_pair(c1, c2), std::make_pair(c2, c0)}) {
            const auto found = edgesOfPair.find(vertexPairKey(side.first, side.second));
            if (found == edgesOfPair.end())
                continue;
            for (int e : found->second)
                if (firstFace[e] == -1)
                    firstFace[e] = f;
        }
    }
    for (int e = 0; e < E; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        const int f = firstFace[e];
        for (int j = 0; j < n; ++j) {
            double length = L.ring[0];  // an edge on no face
            if (f >= 0) {
                const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
                if ((a == c0 && b == c1) || (a == c1 && b == c0))
                    length = L.ring[0];
                else if ((a == c1 && b == c2) || (a == c0 && b == c2))
                    length = L.step[j + 1];
                else
                    length = L.step[n - j];
            }
            addEdge(edgePoint(e, j), edgePoint(e, j + 1), length);
        }
    }
    // Inner edges of every face, three per inner grid point.
    for (int f = 0; f < F; ++f) {
        for (int R = 0; R <= n - 2; ++R) {
            for (int S = 1; S <= n - R - 1; ++S) {
                const int d = n - R - S;
                addEdge(g(f, R, S), g(f, R + 1, S - 1), L.ring[d]);
                addEdge(g(f, R, S), g(f, R + 1, S), L.step[d]);
                addEdge(g(f, R + 1, S - 1), g(f, R + 1, S), L.step[d]);
            }
        }
    }
    std::vector<int> newFaces;
    newFaces.reserve(3 * newF);
    for (int f = 0; f < F; ++f) {
        for (int R = 0; R <= n - 1; ++R) {
            for (int S = 0; S <= n - R - 1; ++S) {
                newFaces.insert(newFaces.end(), {g(f, R + 1, S), g(f, R, S + 1), g(f, R, S)});
                if (R + S < n - 1)
                    newFaces.insert(newFaces.end(), {g(f, R, S + 1), g(f, R + 1, S), g(f, R + 1, S + 1)});
            }
        }
    }

    NOV = static_cast<int>(newV);
    NOE = static_cast<int>(newE);
    NOS = static_cast<int>(newF);
    std::copy(newEdges.begin(), newEdges.end(), &edge[0][0]);
    std::copy(newPhi.begin(), newPhi.end(), phi);
    std::copy(newFaces.begin(), newFaces.end(), &face[0][0]);
    subdiv_level = n;
    return true;
}
