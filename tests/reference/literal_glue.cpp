#include "tests/reference/literal_glue.h"

#include <vector>

#include "construct/glue.h"
#include "model/store.h"
#include "model/topology.h"

namespace {
void removeEdge(int e)
{
    for (int k = e + 1; k < NOE; ++k) {
        edge[k - 1][0] = edge[k][0];
        edge[k - 1][1] = edge[k][1];
        phi[k - 1] = phi[k];
    }
    --NOE;
}

int literalNbdFace(int i, int f, const int* list, int n, bool before)
{
    const int k = getPhaseOfFace(i, f);
    const int corner = face[f][before ? (k + 2) % 3 : (k + 1) % 3];
    for (int m = 0; m < n; ++m)
        if (list[m] != f && isFaceIncludeEdge(list[m], i, corner))
            return list[m];
    return -1;
}
}  // namespace

void literalPasteVertices(int a, int b)
{
    const int lo = a < b ? a : b;
    const int hi = a < b ? b : a;
    for (int k = hi + 1; k < NOV; ++k)
        v[k - 1] = v[k];
    --NOV;
    int* ends = &edge[0][0];
    for (int k = 0; k < 2 * NOE; ++k) {
        if (ends[k] == hi)
            ends[k] = lo;
        if (ends[k] > hi)
            --ends[k];
    }
    int* corners = &face[0][0];
    for (int k = 0; k < 3 * NOS; ++k) {
        if (corners[k] == hi)
            corners[k] = lo;
        if (corners[k] > hi)
            --corners[k];
    }
    bool removed = true;
    while (removed) {
        removed = false;
        for (int e = 0; e < NOE && !removed; ++e)
            for (int g = e + 1; g < NOE && !removed; ++g)
                if ((edge[e][0] == edge[g][0] && edge[e][1] == edge[g][1]) ||
                    (edge[e][0] == edge[g][1] && edge[e][1] == edge[g][0])) {
                    removeEdge(g);
                    removed = true;
                }
    }
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
}

void literalPasteAllpastableEdges()
{
    for (int i = 0; i < NOV; ++i) {
        if (numberOfFacesIncludeVertex(i) != 6)
            continue;
        int list[6], n = 0;
        for (int f = 0; f < NOS; ++f)
            if (isFaceIncludeVertex(f, i))
                list[n++] = f;
        int counter = 1;
        int A = -1, B = -1;
        int current = list[0];
        for (;;) {
            const int k = getPhaseOfFace(i, current);
            A = face[current][(k + 2) % 3];
            if (counter > 6)
                break;
            const int next = literalNbdFace(i, current, list, 6, true);
            if (next == -1)
                break;
            current = next;
            ++counter;
        }
        current = list[0];
        for (;;) {
            const int k = getPhaseOfFace(i, current);
            B = face[current][(k + 1) % 3];
            if (counter > 6)
                break;
            const int next = literalNbdFace(i, current, list, 6, false);
            if (next == -1)
                break;
            current = next;
            ++counter;
        }
        if (counter == 6 && A != B) {
            // A paste that would fold the surface onto itself is passed over.
            std::vector<int> facesOfA, facesOfB;
            for (int f = 0; f < NOS; ++f) {
                if (isFaceIncludeVertex(f, A))
                    facesOfA.push_back(f);
                if (isFaceIncludeVertex(f, B))
                    facesOfB.push_back(f);
            }
            if (!foldingRefusal(A, B, facesOfA, facesOfB).empty())
                continue;
            literalPasteVertices(A, B);
            i = -1;
        }
    }
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
}
