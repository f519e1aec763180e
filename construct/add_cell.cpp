#include "construct/add_cell.h"

#include <cmath>

#include "geometry/rigid_motion.h"
#include "model/history.h"
#include "model/store.h"
#include "model/topology.h"
#include "model/vec3.h"

namespace {
struct Pair {
    int s;  // the corner that follows P in its face
    int p;  // the corner that precedes P
};

void exchange(Pair& a, Pair& b)
{
    swap(&a.s, &b.s);
    swap(&a.p, &b.p);
}

// The vectors A (from P to the middle neighbour of the fan) and B (from the
// neighbour before the middle one to the one after it); false when the faces
// at P do not form one fan.
bool fanVectors(int P, Pair* pairs, int n, Point3* A, Point3* B)
{
    if (n == 2) {
        int first, middle, last;
        if (pairs[0].p == pairs[1].s) {
            first = pairs[0].s;
            middle = pairs[0].p;
            last = pairs[1].p;
        } else if (pairs[0].s == pairs[1].p) {
            first = pairs[1].s;
            middle = pairs[0].s;
            last = pairs[0].p;
        } else {
            return false;
        }
        *A = v[middle] - v[P];
        *B = v[last] - v[first];
        return true;
    }
    // Four faces: bring the start of the fan to pair 0 and its successor to pair 1.
    for (int i = 1; i < 4; ++i) {
        bool followsSomething = false;
        for (int q = 0; q < 4; ++q)
            followsSomething = followsSomething || pairs[i].s == pairs[q].p;
        if (!followsSomething) {
            exchange(pairs[0], pairs[i]);
            break;
        }
    }
    for (int j = 2; j < 4; ++j) {
        if (pairs[j].s == pairs[0].p) {
            exchange(pairs[1], pairs[j]);
            break;
        }
    }
    int k;
    if (pairs[1].p == pairs[2].s)
        k = 2;
    else if (pairs[1].p == pairs[3].s)
        k = 3;
    else
        return false;
    *A = v[pairs[1].p] - v[P];
    *B = v[pairs[k].p] - v[pairs[1].s];
    return true;
}
}  // namespace

void addnewpolygon()
{
    const int P = pickedVertex();
    const int n = P >= 0 ? numberOfFacesIncludeVertex(P) : 0;
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    if (n != 2 && n != 4)
        return;

    Pair pairs[4];
    int found = 0;
    for (int f = 0; f < NOS && found < n; ++f) {
        if (!isFaceIncludeVertex(f, P))
            continue;
        const int k = getPhaseOfFace(P, f);
        pairs[found++] = Pair{face[f][(k + 1) % 3], face[f][(k + 2) % 3]};
    }
    Point3 A, B;
    if (!fanVectors(P, pairs, n, &A, &B))
        return;
    // The ellipse's second axis is B scaled to the spoke length; an axis too
    // short for its squared length to be a normal number (zero, or a surface
    // scaled down to about 1e-160 and below) cannot be scaled without
    // writing infinite or meaningless positions.
    const double axisSquared = dot(B, B);
    if (!std::isnormal(axisSquared))
        return;
    if (NOV + 7 > MAX_VERTICES - 1 || NOE + 14 > MAX_EDGES - 1 || NOS + 7 > MAX_FACES - 1)
        return;

    saveState();
    const double scale = std::sin(1.09955742855) / std::sqrt(axisSquared);
    const Point3 Bs = scale * B;
    const Point3 C = v[P] - A;
    const int N = NOV;
    for (int k = 1; k <= 6; ++k) {
        const double t = k * 6.283185306 / 7.0;
        v[N + k - 1] = C + std::cos(t) * A + std::sin(t) * Bs;
    }
    v[N + 6] = C;
    for (int k = 0; k < 7; ++k)
        conn_comp[N + k] = 0;

    const int E = NOE;
    auto setEdge = [](int e, int a, int b, double length) {
        edge[e][0] = a;
        edge[e][1] = b;
        phi[e] = length;
    };
    setEdge(E + 0, P, N, RIM_LENGTH);
    for (int k = 1; k <= 5; ++k)
        setEdge(E + k, N + k - 1, N + k, RIM_LENGTH);
    setEdge(E + 6, P, N + 5, RIM_LENGTH);
    setEdge(E + 7, P, N + 6, SPOKE_LENGTH);
    for (int k = 0; k <= 5; ++k)
        setEdge(E + 8 + k, N + k, N + 6, SPOKE_LENGTH);

    const int F = NOS;
    auto setFace = [](int f, int a, int b, int c) {
        face[f][0] = a;
        face[f][1] = b;
        face[f][2] = c;
    };
    setFace(F, P, N, N + 6);
    for (int k = 1; k <= 5; ++k)
        setFace(F + k, N + k - 1, N + k, N + 6);
    setFace(F + 6, N + 5, P, N + 6);

    NOV += 7;
    NOE += 14;
    NOS += 7;
}
