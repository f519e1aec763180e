#include "model/vertex_fans.h"

#include <numeric>
#include <vector>

#include "model/store.h"

namespace {
int root(std::vector<int>& parent, int x)
{
    while (parent[x] != x)
        x = parent[x] = parent[parent[x]];
    return x;
}
}  // namespace

VertexFans vertexFans(int vtx)
{
    VertexFans out;
    std::vector<int> after, before;  // per face: the corner after and before vtx
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] == vtx) {
                after.push_back(face[f][(k + 1) % 3]);
                before.push_back(face[f][(k + 2) % 3]);
                break;
            }
    const int n = static_cast<int>(after.size());
    out.faces = n;
    if (n == 0)
        return out;
    // Two faces at vtx are one fan's neighbours when they share a second
    // corner, whichever way they run.
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    int joins = 0;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (after[a] == after[b] || after[a] == before[b] || before[a] == after[b] || before[a] == before[b]) {
                const int ra = root(parent, a), rb = root(parent, b);
                if (ra != rb)
                    parent[ra] = rb;
                ++joins;
            }
    for (int a = 0; a < n; ++a)
        out.fans += root(parent, a) == a;
    int starts = 0, ends = 0;
    for (int a = 0; a < n; ++a) {
        bool isBefore = false, isAfter = false;
        for (int b = 0; b < n; ++b) {
            isBefore = isBefore || before[b] == after[a];
            isAfter = isAfter || after[b] == before[a];
        }
        if (!isBefore) {
            ++starts;
            out.start = after[a];
        }
        if (!isAfter) {
            ++ends;
            out.end = before[a];
        }
    }
    if (starts != 1)
        out.start = -1;
    if (ends != 1)
        out.end = -1;
    out.closed = out.fans == 1 && starts == 0 && ends == 0 && joins >= n;
    return out;
}

bool isPinched(int vtx)
{
    return vertexFans(vtx).fans > 1;
}

std::string pinchWarning(int vtx)
{
    if (!isPinched(vtx))
        return std::string();
    return "Vertex " + std::to_string(vtx) +
           " is pinched: its faces meet only at a point (Edit > Undo, Ctrl-Z, takes the glue back)";
}
