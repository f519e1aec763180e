#include "construct/copy_remove.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/adjacency.h"
#include "model/components.h"
#include "model/store.h"
#include "model/topology.h"

std::string copyRefusal()
{
    if (2 * NOV <= MAX_VERTICES && 4 * NOE <= MAX_EDGES && 6 * NOS <= MAX_FACES)
        return std::string();
    return "The copy would not fit: a surface of at most " + std::to_string(MAX_VERTICES / 2) + " vertices, " +
           std::to_string(MAX_EDGES / 4) + " edges and " + std::to_string(MAX_FACES / 6) +
           " faces can be copied (this one has " + std::to_string(NOV) + ", " + std::to_string(NOE) + " and " +
           std::to_string(NOS) + ")";
}

bool addcopy(bool mirror)
{
    if (!copyRefusal().empty())
        return false;
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

void removeVertices(const std::vector<bool>& gone)
{
    // New index of every vertex: its old index less the removed ones before it.
    std::vector<int> renumbered(NOV);
    int kept = 0;
    for (int i = 0; i < NOV; ++i) {
        renumbered[i] = kept;
        if (!gone[i])
            v[kept++] = v[i];
    }
    const int oldNOV = NOV;
    NOV = kept;
    auto isGone = [&](int x) { return x >= 0 && x < oldNOV && gone[x]; };
    auto renumber = [&](int x) { return x < 0 ? x : x < oldNOV ? renumbered[x] : x - (oldNOV - NOV); };
    kept = 0;
    for (int e = 0; e < NOE; ++e) {
        if (isGone(edge[e][0]) || isGone(edge[e][1]))
            continue;
        edge[kept][0] = renumber(edge[e][0]);
        edge[kept][1] = renumber(edge[e][1]);
        phi[kept] = phi[e];
        ++kept;
    }
    NOE = kept;
    kept = 0;
    for (int f = 0; f < NOS; ++f) {
        if (isGone(face[f][0]) || isGone(face[f][1]) || isGone(face[f][2]))
            continue;
        for (int k = 0; k < 3; ++k)
            face[kept][k] = renumber(face[f][k]);
        ++kept;
    }
    NOS = kept;
}

void remove(int p)
{
    if (p < 0 || p >= NOV)
        return;
    std::vector<bool> gone(NOV, false);
    gone[p] = true;
    removeVertices(gone);
}

void kago()
{
    // Removing a vertex takes its faces away from their other corners, so a
    // later vertex is judged by the faces that are left when the scan reaches it.
    FacesOfVertex index;
    index.build();
    std::vector<int> faces(NOV);
    for (int i = 0; i < NOV; ++i)
        faces[i] = index.count(i);
    std::vector<bool> gone(NOV, false), faceGone(NOS, false);
    for (int i = 0; i < NOV; ++i) {
        if (faces[i] != 7)
            continue;
        gone[i] = true;
        for (const int* f = index.of(i); f != index.of(i) + index.count(i); ++f) {
            if (faceGone[*f])
                continue;
            faceGone[*f] = true;
            for (int k = 0; k < 3; ++k)
                if (firstCornerOccurrence(*f, k))
                    --faces[face[*f][k]];
        }
    }
    removeVertices(gone);
    NOfaceOfVertex_on = false;
}

void flipFace()
{
    for (int f = 0; f < NOS; ++f)
        swap(&face[f][1], &face[f][2]);
}
