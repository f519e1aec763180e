#include "construct/glue.h"

#include <unordered_set>
#include <vector>

#include "model/components.h"
#include "model/adjacency.h"
#include "model/store.h"
#include "model/topology.h"

namespace {
void markFaceDataStale()
{
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
}



// The corner before (or after) vertex i in face f.
int cornerBeside(int i, int f, bool before)
{
    const int k = getPhaseOfFace(i, f);
    return face[f][before ? (k + 2) % 3 : (k + 1) % 3];
}
}  // namespace

bool isPasteVertices(int i, int j)
{
    if (i == j || i < 0 || j < 0 || i >= NOV || j >= NOV)
        return false;
    if (subdiv_level > 1)
        return false;
    if (conn_comp[i] != conn_comp[j])
        fill_conn_comp();
    for (int f = 0; f < NOS; ++f)
        if (isFaceIncludeVertex(f, i) && isFaceIncludeVertex(f, j))
            return false;
    if (numberOfFacesIncludeVertex(i) > 5 || numberOfFacesIncludeVertex(j) > 5)
        return false;
    return NOE + 1 < MAX_EDGES;
}

void pasteVertices(int a, int b)
{
    if (a == b || a < 0 || b < 0 || a >= NOV || b >= NOV)
        return;
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    for (int k = hi + 1; k < NOV; ++k)
        v[k - 1] = v[k];
    --NOV;
    auto renumber = [lo, hi](int& x) {
        if (x == hi)
            x = lo;
        if (x > hi)
            --x;
    };
    for (int e = 0; e < NOE; ++e) {
        renumber(edge[e][0]);
        renumber(edge[e][1]);
    }
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            renumber(face[f][k]);

    std::unordered_set<unsigned long long> seen;
    seen.reserve(static_cast<size_t>(NOE) * 2);
    int kept = 0;
    for (int e = 0; e < NOE; ++e) {
        if (!seen.insert(vertexPairKey(edge[e][0], edge[e][1])).second)
            continue;
        edge[kept][0] = edge[e][0];
        edge[kept][1] = edge[e][1];
        phi[kept] = phi[e];
        ++kept;
    }
    NOE = kept;
    markFaceDataStale();
}

int getNbdFace(int i, int f, const int* list, int n, bool before)
{
    const int corner = cornerBeside(i, f, before);
    for (int k = 0; k < n; ++k)
        if (list[k] != f && isFaceIncludeVertex(list[k], i) && isFaceIncludeVertex(list[k], corner))
            return list[k];
    return -1;
}

void pasteAllpastableEdges()
{
    FacesOfVertex index;
    index.build();
    for (int i = 0; i < NOV; ++i) {
        if (index.count(i) != 6)
            continue;
        int list[6];
        std::copy(index.of(i), index.of(i) + 6, list);
        // Walk the fan from its first face to each side; the counter counts
        // the faces met, so an open fan of six ends at exactly 6.
        int counter = 1;
        int A = -1, B = -1;
        for (int side = 0; side < 2; ++side) {
            const bool before = side == 0;
            int current = list[0];
            for (;;) {
                (before ? A : B) = cornerBeside(i, current, before);
                if (counter > 6)
                    break;
                const int next = getNbdFace(i, current, list, 6, before);
                if (next == -1)
                    break;
                current = next;
                ++counter;
            }
        }
        // A fan whose two ends meet at one vertex has nothing to zip.
        if (counter == 6 && A != B) {
            pasteVertices(A, B);
            index.build();
            i = -1;  // restart the scan at vertex 0
        }
    }
    markFaceDataStale();
}
