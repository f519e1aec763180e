#include "tests/reference/literal_copy_remove.h"

#include "model/store.h"
#include "model/topology.h"

void literalRemove(int p)
{
    for (int e = 0; e < NOE;) {
        if (!isEdgeIncludeVertex(e, p)) {
            ++e;
            continue;
        }
        for (int k = e + 1; k < NOE; ++k) {
            edge[k - 1][0] = edge[k][0];
            edge[k - 1][1] = edge[k][1];
            phi[k - 1] = phi[k];
        }
        --NOE;
    }
    for (int e = 0; e < NOE; ++e)
        for (int k = 0; k < 2; ++k)
            if (edge[e][k] > p)
                --edge[e][k];
    for (int f = 0; f < NOS;) {
        if (!isFaceIncludeVertex(f, p)) {
            ++f;
            continue;
        }
        for (int g = f + 1; g < NOS; ++g)
            for (int k = 0; k < 3; ++k)
                face[g - 1][k] = face[g][k];
        --NOS;
    }
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] > p)
                --face[f][k];
    for (int k = p + 1; k < NOV; ++k)
        v[k - 1] = v[k];
    --NOV;
}

void literalKago()
{
    for (int i = 0; i < NOV;) {
        if (numberOfFacesIncludeVertex(i) == 7)
            literalRemove(i);
        else
            ++i;
    }
    NOfaceOfVertex_on = false;
}
