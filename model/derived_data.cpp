#include "model/derived_data.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "model/adjacency.h"
#include "model/store.h"

const double REVISED_RIM_LENGTH = std::sin(0.94247779605);
const double REVISED_SPOKE_LENGTH = std::sin(1.099557428725);

namespace {
// An unordered vertex pair as one key.

inline bool samePair(int a, int b, int c, int d)
{
    return (a == c && b == d) || (a == d && b == c);
}
}  // namespace

void make_face2edge()
{
    revised_face2edge = false;
    if (subdiv_level > 1)
        return;
    // Each vertex pair maps to the highest-indexed edge joining it, which is
    // what the last match of a scan over all edges leaves in a slot.
    std::unordered_map<unsigned long long, int> edgeOfPair;
    edgeOfPair.reserve(static_cast<size_t>(NOE) * 2);
    for (int e = 0; e < NOE; ++e)
        edgeOfPair[vertexPairKey(edge[e][0], edge[e][1])] = e;
    for (int f = 0; f < NOS && f < MAX_FACES; ++f) {
        const int c[3] = {face[f][0], face[f][1], face[f][2]};
        for (int s = 0; s < 3; ++s) {
            const int a = c[s], b = c[(s + 1) % 3];
            // An edge is stored in the first slot it matches only: a slot that
            // repeats the pair of an earlier slot never receives an edge.
            bool repeated = false;
            for (int r = 0; r < s; ++r)
                repeated = repeated || samePair(a, b, c[r], c[(r + 1) % 3]);
            if (repeated)
                continue;
            const auto found = edgeOfPair.find(vertexPairKey(a, b));
            if (found != edgeOfPair.end())
                face2edge[3 * f + s] = found->second;
        }
    }
}

void make_NOfaceOfVertex()
{
    if (NOfaceOfVertex_on)
        return;
    for (int i = 0; i < NOV; ++i)
        NOfaceOfVertex[i] = 0;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            ++NOfaceOfVertex[face[f][k]];
    NOfaceOfVertex_on = true;
}

void revise_facedata()
{
    revised_facedata = false;
    if (subdiv_level > 1)
        return;
    if (revised_face2edge)
        make_face2edge();
    make_NOfaceOfVertex();

    for (int e = 0; e < NOE; ++e) {
        const int na = NOfaceOfVertex[edge[e][0]];
        const int nb = NOfaceOfVertex[edge[e][1]];
        if ((na == 7 && nb <= 6) || (na <= 6 && nb == 7))
            phi[e] = REVISED_SPOKE_LENGTH;
        else if (na <= 6 && nb <= 6)
            phi[e] = REVISED_RIM_LENGTH;
    }

    const double shortSide = std::sqrt(3.0) * 0.5;
    for (int f = 0; f < NOS && f < MAX_FACES; ++f) {
        const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
        if (shortSide > phi[face2edge[3 * f + 1]]) {
            face[f][0] = c1;
            face[f][1] = c2;
            face[f][2] = c0;
        } else if (shortSide > phi[face2edge[3 * f + 2]]) {
            face[f][0] = c2;
            face[f][1] = c0;
            face[f][2] = c1;
        }
    }
    make_face2edge();
}

void make_curvature()
{
    for (int i = 0; i < NOV; ++i)
        curvature[i] = 0.0;
    for (int f = 0; f < NOS; ++f) {
        const Point3& p0 = v[face[f][0]];
        const Point3& p1 = v[face[f][1]];
        const Point3& p2 = v[face[f][2]];
        const double l01 = std::sqrt((p0.x - p1.x) * (p0.x - p1.x) + (p0.y - p1.y) * (p0.y - p1.y) +
                                     (p0.z - p1.z) * (p0.z - p1.z));
        const double l12 = std::sqrt((p1.x - p2.x) * (p1.x - p2.x) + (p1.y - p2.y) * (p1.y - p2.y) +
                                     (p1.z - p2.z) * (p1.z - p2.z));
        const double l20 = std::sqrt((p2.x - p0.x) * (p2.x - p0.x) + (p2.y - p0.y) * (p2.y - p0.y) +
                                     (p2.z - p0.z) * (p2.z - p0.z));
        curvature[face[f][0]] += std::acos((l01 * l01 + l20 * l20 - l12 * l12) / (2 * l01 * l20));
        curvature[face[f][1]] += std::acos((l01 * l01 + l12 * l12 - l20 * l20) / (2 * l01 * l12));
        curvature[face[f][2]] += std::acos((l12 * l12 + l20 * l20 - l01 * l01) / (2 * l12 * l20));
    }
}

double theoryCurvature()
{
    const double s = subdiv_level;
    return 42.0 * s * s * 3.1415926535 / (21.0 * s * s - 1.0);
}

void curvatureRange(double* min, double* max)
{
    double lo = 999.9, hi = -999.9;
    for (int i = 0; i < NOV; ++i) {
        if (NOfaceOfVertex[i] != 6 && NOfaceOfVertex[i] != 7)
            continue;
        if (curvature[i] > hi)
            hi = curvature[i];
        if (curvature[i] < lo)
            lo = curvature[i];
    }
    *min = lo;
    *max = hi;
}

std::string curvatureRangeText()
{
    const double t = theoryCurvature();
    double lo, hi;
    curvatureRange(&lo, &hi);
    char text[160];
    std::snprintf(text, sizeof text, "Curvature : min=%f, max=%f, theory=%f", lo, hi, t);
    return text;
}

void refreshDerivedData()
{
    if (revised_face2edge)
        make_face2edge();
    if (revised_facedata)
        revise_facedata();
    make_NOfaceOfVertex();
    make_curvature();
}
