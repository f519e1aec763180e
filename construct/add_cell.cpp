#include "construct/add_cell.h"

#include <cmath>
#include <string>

#include "geometry/rigid_motion.h"
#include "model/store.h"
#include "model/topology.h"
#include "model/vertex_fans.h"
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

namespace {
// Where a cell at P goes: the vectors A and B of its ellipse, when P lies in 2
// or 4 faces that form one fan, the fan's span is long enough to scale and the
// store has room; false otherwise.
bool cellPlacement(int P, Point3* A, Point3* B)
{
    const int n = P >= 0 && P < NOV ? numberOfFacesIncludeVertex(P) : 0;
    if (n != 2 && n != 4)
        return false;
    Pair pairs[4];
    int found = 0;
    for (int f = 0; f < NOS && found < n; ++f) {
        if (!isFaceIncludeVertex(f, P))
            continue;
        const int k = getPhaseOfFace(P, f);
        pairs[found++] = Pair{face[f][(k + 1) % 3], face[f][(k + 2) % 3]};
    }
    if (!fanVectors(P, pairs, n, A, B))
        return false;
    // The ellipse's second axis is B scaled to the spoke length; an axis too
    // short for its squared length to be a normal number (zero, or a surface
    // scaled down to about 1e-160 and below) cannot be scaled without
    // writing infinite or meaningless positions.
    if (!std::isnormal(dot(*B, *B)))
        return false;
    return NOV + 7 <= MAX_VERTICES - 1 && NOE + 14 <= MAX_EDGES - 1 && NOS + 7 <= MAX_FACES - 1;
}
}  // namespace

const char* const CELLS_NEED_LEVEL_ONE = "Cells are added only to a surface that is not subdivided";

bool cellFitsAt(int p)
{
    Point3 A, B;
    return cellPlacement(p, &A, &B);
}

std::string addCellRefusal(int p)
{
    if (p < 0 || p >= NOV)
        return "No vertex is picked: point at a boundary vertex, then double click";
    if (cellFitsAt(p))
        return std::string();
    // The words for what cellPlacement found.
    const std::string name = "Vertex " + std::to_string(p);
    const VertexFans fans = vertexFans(p);
    if (fans.closed)
        return name + " is inside the surface: cells grow at boundary vertices in 2 or 4 faces";
    if (fans.faces != 2 && fans.faces != 4)
        return name + " lies in " + std::to_string(fans.faces) +
               " faces: cells grow at boundary vertices in 2 or 4 faces";
    if (fans.fans != 1 || fans.start < 0 || fans.end < 0)
        return name + " is pinched: its faces do not form one fan";
    if (NOV + 7 > MAX_VERTICES - 1 || NOE + 14 > MAX_EDGES - 1 || NOS + 7 > MAX_FACES - 1)
        return "No room for another cell: the store is full";
    const Point3 a = v[fans.start], b = v[fans.end];
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    if (!std::isnormal(dx * dx + dy * dy + dz * dz))
        return name + "'s open sides end in one point: no cell fits there";
    return name + "'s faces do not run one way round it: no cell fits there (Flip face or Undo first)";
}

void addnewpolygon()
{
    const int P = pickedVertex();
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    Point3 A, B;
    if (!cellPlacement(P, &A, &B))
        return;

    const double scale = std::sin(1.09955742855) / std::sqrt(dot(B, B));
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
