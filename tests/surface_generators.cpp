#include "tests/surface_generators.h"

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
            if (d < best && isPasteVertices(fresh, other)) {
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
