#include "tests/surface_generators.h"

#include <algorithm>
#include <cmath>

#include "construct/add_cell.h"
#include "construct/glue.h"
#include "model/store.h"

namespace {
double dist(const Point3& a, const Point3& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

}  // namespace

bool glueNewCell(int P, int firstNew)
{
    int bestA = -1, bestB = -1;
    double best = 1e9;
    for (int e = 0; e < NOE; ++e) {
        const int other = edge[e][0] == P ? edge[e][1] : edge[e][1] == P ? edge[e][0] : -1;
        if (other < 0 || other >= firstNew)
            continue;
        for (int fresh : {firstNew, firstNew + 5}) {
            const double d = dist(v[fresh], v[other]);
            if (d < best && pasteRefusal(fresh, other).empty()) {
                best = d;
                bestA = fresh;
                bestB = other;
            }
        }
    }
    if (bestA < 0)
        return false;
    pasteVertices(bestA, bestB);
    return true;
}

void grow(std::mt19937& rng, int cells, bool zipInBetween)
{
    for (int added = 0, tries = 0; added < cells && tries < 50 * cells; ++tries) {
        const int P = static_cast<int>(rng() % NOV);
        g_purtj = P;
        const int n = NOV;
        addnewpolygon();
        if (NOV == n)
            continue;
        ++added;
        if (rng() % 4 != 0)
            glueNewCell(P, n);
        if (zipInBetween && rng() % 3 == 0)
            pasteAllpastableEdges();
    }
    g_purtj = -1;
}

bool replicate(int copies, bool alongViewingAxis)
{
    if (copies < 1 || static_cast<long>(NOV) * copies > MAX_VERTICES || static_cast<long>(NOE) * copies > MAX_EDGES ||
        static_cast<long>(NOS) * copies > MAX_FACES)
        return false;
    double lo = 0, hi = 0;
    for (int i = 0; i < NOV; ++i) {
        const double x = alongViewingAxis ? v[i].z : v[i].x;
        lo = i == 0 ? x : std::min(lo, x);
        hi = i == 0 ? x : std::max(hi, x);
    }
    const double step = hi - lo + 1.0;
    const double dx = alongViewingAxis ? 0.0 : step, dz = alongViewingAxis ? step : 0.0;
    const int n = NOV, m = NOE, s = NOS;
    for (int c = 1; c < copies; ++c) {
        for (int i = 0; i < n; ++i)
            v[c * n + i] = Point3{v[i].x + c * dx, v[i].y, v[i].z + c * dz};
        for (int e = 0; e < m; ++e) {
            edge[c * m + e][0] = edge[e][0] + c * n;
            edge[c * m + e][1] = edge[e][1] + c * n;
            phi[c * m + e] = phi[e];
        }
        for (int f = 0; f < s; ++f)
            for (int k = 0; k < 3; ++k)
                face[c * s + f][k] = face[f][k] + c * n;
    }
    NOV = n * copies;
    NOE = m * copies;
    NOS = s * copies;
    NOfaceOfVertex_on = false;
    revised_face2edge = true;
    revised_facedata = true;
    return true;
}
