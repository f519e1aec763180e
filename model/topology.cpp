#include "model/topology.h"

#include "model/store.h"

bool isFaceIncludeVertex(int f, int vtx)
{
    return face[f][0] == vtx || face[f][1] == vtx || face[f][2] == vtx;
}

bool isFaceIncludeEdge(int f, int a, int b)
{
    const bool hasA = isFaceIncludeVertex(f, a);
    const bool hasB = isFaceIncludeVertex(f, b);
    return hasA && hasB;
}

bool isEdgeIncludeVertex(int e, int vtx)
{
    return edge[e][0] == vtx || edge[e][1] == vtx;
}

int numberOfEdgesIncludeVertex(int vtx)
{
    int n = 0;
    for (int e = 0; e < NOE; ++e)
        if (edge[e][0] == vtx || edge[e][1] == vtx)
            ++n;
    return n;
}

int numberOfFacesIncludeVertex(int vtx)
{
    int n = 0;
    for (int f = 0; f < NOS; ++f)
        if (isFaceIncludeVertex(f, vtx))
            ++n;
    return n;
}

int getEdgeIncludeVertices(int a, int b)
{
    for (int e = 0; e < NOE; ++e)
        if ((edge[e][0] == a && edge[e][1] == b) || (edge[e][0] == b && edge[e][1] == a))
            return e;
    return -1;
}

int getPhaseOfFace(int vtx, int f)
{
    int phase = 0;
    for (int k = 0; k < 3; ++k)
        if (face[f][k] == vtx)
            phase = k;
    return phase;
}

void getsurface(int e, int* first, int* second)
{
    *second = -1;
    *first = -1;
    for (int s = 0; s < NOS; ++s) {
        if (isFaceIncludeEdge(s, edge[e][0], edge[e][1])) {
            if (*first == -1)
                *first = s;
            else
                *second = s;
        }
    }
}

void swap(int* a, int* b)
{
    const int t = *a;
    *a = *b;
    *b = t;
}
