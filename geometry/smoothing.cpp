#include "geometry/smoothing.h"

#include <cmath>
#include <vector>

#include "geometry/face_normal.h"
#include "geometry/relaxation.h"
#include "model/adjacency.h"
#include "model/store.h"

void smoothen()
{
    // Neighbours of every vertex in the order a scan of the edges finds them:
    // for each edge, end 1 when the vertex is end 0, then end 0 when it is end 1.
    std::vector<int> start(NOV + 1, 0), degree(NOV, 0);
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        ++start[a + 1];
        ++start[b + 1];
        ++degree[a];
        if (b != a)
            ++degree[b];
    }
    for (int i = 0; i < NOV; ++i)
        start[i + 1] += start[i];
    std::vector<int> neighbour(start[NOV]);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        neighbour[fill[a]++] = b;
        neighbour[fill[b]++] = a;
    }

    std::vector<Point3> s(NOV, Point3{0, 0, 0});
    for (int i = 0; i < NOV; ++i) {
        const int deg = degree[i];
        if (deg <= 5)
            continue;
        Point3 sum{0, 0, 0};
        for (int k = start[i]; k < start[i + 1]; ++k) {
            const Point3& p = v[neighbour[k]];
            sum.x += p.x;
            sum.y += p.y;
            sum.z += p.z;
        }
        s[i] = Point3{0.05 * (sum.x / deg - v[i].x), 0.05 * (sum.y / deg - v[i].y), 0.05 * (sum.z / deg - v[i].z)};
    }
    for (int i = 0; i < NOV; ++i) {
        v[i].x += s[i].x;
        v[i].y += s[i].y;
        v[i].z += s[i].z;
    }
}

namespace {
// Unit normal of face f from its corner order; not a number for a face of zero area.
Point3 unitNormal(int f)
{
    const Point3 n = faceNormal(f);
    const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return Point3{n.x / len, n.y / len, n.z / len};
}

// The last corner of face f that is neither a nor b, or `previous` when there is none.
int oppositeCorner(int f, int a, int b, int previous)
{
    int corner = previous;
    for (int k = 0; k < 3; ++k)
        if (face[f][k] != a && face[f][k] != b)
            corner = face[f][k];
    return corner;
}
}  // namespace

void spread()
{
    FacesOfVertex index;
    index.build();
    int P = 0, Q = 1;
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        if (a == g_purtj || b == g_purtj)
            continue;
        // The lowest and the highest face holding both ends: the two sorted
        // face lists of the ends, merged.
        int f1 = -1, f2 = -1;
        const int *i = index.of(a), *iEnd = i + index.count(a);
        const int *j = index.of(b), *jEnd = j + index.count(b);
        while (i < iEnd && j < jEnd) {
            if (*i < *j) {
                ++i;
            } else if (*i > *j) {
                ++j;
            } else {
                if (f1 == -1)
                    f1 = *i;
                else
                    f2 = *i;
                ++i;
                ++j;
            }
        }
        if (f2 == -1)
            continue;
        const double dx = v[a].x - v[b].x, dy = v[a].y - v[b].y, dz = v[a].z - v[b].z;
        const double s = 0.01 * std::sqrt(dx * dx + dy * dy + dz * dz);
        const Point3 n1 = unitNormal(f1);
        const Point3 n2 = unitNormal(f2);
        if (!(n1.x * n2.x + n1.y * n2.y + n1.z * n2.z < 0.85))
            continue;
        P = oppositeCorner(f1, a, b, P);
        Q = oppositeCorner(f2, a, b, Q);
        const double t1 = (v[P].x - v[Q].x) * n1.x + (v[P].y - v[Q].y) * n1.y + (v[P].z - v[Q].z) * n1.z;
        const double t2 = (v[Q].x - v[P].x) * n2.x + (v[Q].y - v[P].y) * n2.y + (v[Q].z - v[P].z) * n2.z;
        v[P].x += s * t1 * n1.x;
        v[P].y += s * t1 * n1.y;
        v[P].z += s * t1 * n1.z;
        v[Q].x += s * t2 * n2.x;
        v[Q].y += s * t2 * n2.y;
        v[Q].z += s * t2 * n2.z;
    }
    modify();
}
