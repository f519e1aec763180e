#include "model/adjacency.h"

#include <unordered_map>

#include "model/store.h"

bool facesShareCorner(int f, int g)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (face[f][i] == face[g][j])
                return true;
    return false;
}

bool firstCornerOccurrence(int f, int k)
{
    for (int j = 0; j < k; ++j)
        if (face[f][j] == face[f][k])
            return false;
    return true;
}

void FacesOfVertex::build()
{
    start.assign(NOV + 1, 0);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (firstCornerOccurrence(f, k))
                ++start[face[f][k] + 1];
    for (int i = 0; i < NOV; ++i)
        start[i + 1] += start[i];
    faces.resize(start[NOV]);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (firstCornerOccurrence(f, k))
                faces[fill[face[f][k]]++] = f;
}

std::vector<BoundarySide> boundarySides()
{
    std::unordered_map<unsigned long long, int> sides;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            ++sides[vertexPairKey(face[f][k], face[f][(k + 1) % 3])];
    std::vector<BoundarySide> boundary;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            const int a = face[f][k], b = face[f][(k + 1) % 3];
            if (sides[vertexPairKey(a, b)] == 1)
                boundary.push_back(BoundarySide{a, b, f, face[f][(k + 2) % 3]});
        }
    return boundary;
}
