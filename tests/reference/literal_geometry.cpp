#include "tests/reference/literal_geometry.h"

#include <cmath>
#include <vector>

#include "model/store.h"
#include "model/topology.h"

void literalSmoothen()
{
    std::vector<Point3> s(NOV);
    for (int i = 0; i < NOV; ++i) {
        s[i] = Point3{0, 0, 0};
        const int deg = numberOfEdgesIncludeVertex(i);
        if (deg <= 5)
            continue;
        for (int e = 0; e < NOE; ++e) {
            if (edge[e][0] == i) {
                s[i].x += v[edge[e][1]].x;
                s[i].y += v[edge[e][1]].y;
                s[i].z += v[edge[e][1]].z;
            }
            if (edge[e][1] == i) {
                s[i].x += v[edge[e][0]].x;
                s[i].y += v[edge[e][0]].y;
                s[i].z += v[edge[e][0]].z;
            }
        }
        s[i].x = 0.05 * (s[i].x / deg - v[i].x);
        s[i].y = 0.05 * (s[i].y / deg - v[i].y);
        s[i].z = 0.05 * (s[i].z / deg - v[i].z);
    }
    for (int i = 0; i < NOV; ++i) {
        v[i].x += s[i].x;
        v[i].y += s[i].y;
        v[i].z += s[i].z;
    }
}

void literalSpreadPass()
{
    int P = 0, Q = 1;
    for (int e = 0; e < NOE; ++e) {
        if (isEdgeIncludeVertex(e, g_purtj))
            continue;
        int f1, f2;
        getsurface(e, &f1, &f2);
        if (f2 == -1)
            continue;
        const Point3& a = v[edge[e][0]];
        const Point3& b = v[edge[e][1]];
        const double s = 0.01 * std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                                          (a.z - b.z) * (a.z - b.z));
        double n[2][3];
        const int fs[2] = {f1, f2};
        for (int k = 0; k < 2; ++k) {
            const Point3& p0 = v[face[fs[k]][0]];
            const Point3& p1 = v[face[fs[k]][1]];
            const Point3& p2 = v[face[fs[k]][2]];
            const double e1x = p1.x - p0.x, e1y = p1.y - p0.y, e1z = p1.z - p0.z;
            const double e2x = p2.x - p0.x, e2y = p2.y - p0.y, e2z = p2.z - p0.z;
            const double nx = e1y * e2z - e1z * e2y;
            const double ny = e1z * e2x - e1x * e2z;
            const double nz = e1x * e2y - e1y * e2x;
            const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
            n[k][0] = nx / len;
            n[k][1] = ny / len;
            n[k][2] = nz / len;
        }
        if (n[0][0] * n[1][0] + n[0][1] * n[1][1] + n[0][2] * n[1][2] < 0.85) {
            for (int k = 0; k < 3; ++k)
                if (!isEdgeIncludeVertex(e, face[f1][k]))
                    P = face[f1][k];
            for (int k = 0; k < 3; ++k)
                if (!isEdgeIncludeVertex(e, face[f2][k]))
                    Q = face[f2][k];
            const double t1 = (v[P].x - v[Q].x) * n[0][0] + (v[P].y - v[Q].y) * n[0][1] + (v[P].z - v[Q].z) * n[0][2];
            const double t2 = (v[Q].x - v[P].x) * n[1][0] + (v[Q].y - v[P].y) * n[1][1] + (v[Q].z - v[P].z) * n[1][2];
            v[P].x += s * t1 * n[0][0];
            v[P].y += s * t1 * n[0][1];
            v[P].z += s * t1 * n[0][2];
            v[Q].x += s * t2 * n[1][0];
            v[Q].y += s * t2 * n[1][1];
            v[Q].z += s * t2 * n[1][2];
        }
    }
}
