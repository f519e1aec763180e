#include "construct/copy_remove.h"

#include <algorithm>

#include "model/components.h"
#include "model/history.h"
#include "model/store.h"
#include "model/topology.h"

bool addcopy(bool mirror)
{
    if (2 * NOV > MAX_VERTICES || 4 * NOE > MAX_EDGES || 6 * NOS > MAX_FACES)
        return false;
    saveState();
    const double s = mirror ? -1.0 : 1.0;
    for (int i = 0; i < NOV; ++i) {
        v[NOV + i] = Point3{s * v[i].x + 2.0, v[i].y, v[i].z};
        const int label = conn_comp[i] + NOcomp;
        conn_comp[NOV + i] = label >= 0 && label <= MAX_COMPONENT_LABEL ? label : 0;
    }
    for (int e = 0; e < NOE; ++e) {
        edge[NOE + e][0] = edge[e][0] + NOV;
        edge[NOE + e][1] = edge[e][1] + NOV;
        phi[NOE + e] = phi[e];
    }
    for (int f = 0; f < NOS; ++f) {
        face[NOS + f][0] = face[f][0] + NOV;
        face[NOS + f][1] = (mirror ? face[f][2] : face[f][1]) + NOV;
        face[NOS + f][2] = (mirror ? face[f][1] : face[f][2]) + NOV;
    }
    NOV *= 2;
    NOE *= 2;
    NOS *= 2;
    NOcomp = std::min(2 * NOcomp, MAX_COMPONENT_LABEL + 1);
    NOfaceOfVertex_on = false;
    return true;
}

void remove(int p)
{
    if (p < 0 || p >= NOV)
        return;
    int kept = 0;
    for (int e = 0; e < NOE; ++e) {
        if (edge[e][0] == p || edge[e][1] == p)
            continue;
        edge[kept][0] = edge[e][0] > p ? edge[e][0] - 1 : edge[e][0];
        edge[kept][1] = edge[e][1] > p ? edge[e][1] - 1 : edge[e][1];
        phi[kept] = phi[e];
        ++kept;
    }
    NOE = kept;
    kept = 0;
    for (int f = 0; f < NOS; ++f) {
        if (isFaceIncludeVertex(f, p))
            continue;
        for (int k = 0; k < 3; ++k)
            face[kept][k] = face[f][k] > p ? face[f][k] - 1 : face[f][k];
        ++kept;
    }
    NOS = kept;
    for (int k = p + 1; k < NOV; ++k)
        v[k - 1] = v[k];
    --NOV;
}

void kago()
{
    for (int i = 0; i < NOV;) {
        if (numberOfFacesIncludeVertex(i) == 7)
            remove(i);
        else
            ++i;
    }
    NOfaceOfVertex_on = false;
}

void flipFace()
{
    for (int f = 0; f < NOS; ++f)
        swap(&face[f][1], &face[f][2]);
}
