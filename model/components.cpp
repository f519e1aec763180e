#include "model/components.h"

#include <vector>

#include "model/store.h"

// Vertex -> incident edges in index order, as compressed rows.
namespace {
struct Adjacency {
    std::vector<int> start;  // NOV + 1 offsets
    std::vector<int> other;  // the other end of each incident edge
};

Adjacency buildAdjacency()
{
    Adjacency a;
    a.start.assign(NOV + 1, 0);
    for (int e = 0; e < NOE; ++e) {
        ++a.start[edge[e][0] + 1];
        if (edge[e][1] != edge[e][0])
            ++a.start[edge[e][1] + 1];
    }
    for (int i = 0; i < NOV; ++i)
        a.start[i + 1] += a.start[i];
    a.other.resize(a.start[NOV]);
    std::vector<int> fill(a.start.begin(), a.start.end() - 1);
    for (int e = 0; e < NOE; ++e) {
        const int p = edge[e][0], q = edge[e][1];
        a.other[fill[p]++] = q;
        if (q != p)
            a.other[fill[q]++] = p;
    }
    return a;
}

void flood(const Adjacency& a, int seed, int label)
{
    std::vector<int> stack{seed};
    conn_comp[seed] = label;
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        for (int k = a.start[i]; k < a.start[i + 1]; ++k) {
            const int j = a.other[k];
            if (conn_comp[j] == 0) {
                conn_comp[j] = label;
                stack.push_back(j);
            }
        }
    }
}
}  // namespace

void fill_conn_comp1(int i)
{
    flood(buildAdjacency(), i, NOcomp);
}

void fill_conn_comp()
{
    if (NOV <= 0 || NOE <= 0)
        return;
    NOcomp = 1;
    filledconn_comp = true;
    for (int i = 0; i < NOV; ++i)
        conn_comp[i] = 0;
    const Adjacency adjacency = buildAdjacency();
    for (int i = 0; i < NOV && NOcomp <= MAX_COMPONENT_LABEL; ++i) {
        if (conn_comp[i] == 0) {
            flood(adjacency, i, NOcomp);
            ++NOcomp;
        }
    }
    for (int c = 0; c <= NOcomp && c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
}

void fill_center_conn_comp()
{
    if (!filledconn_comp)
        fill_conn_comp();
    int count[MAX_COMPONENTS] = {};
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        compCenter[c] = Point3{0, 0, 0};
    for (int i = 0; i < NOV; ++i) {
        const int c = conn_comp[i];
        if (c < 0 || c >= MAX_COMPONENTS)
            continue;
        ++count[c];
        compCenter[c].x += v[i].x;
        compCenter[c].y += v[i].y;
        compCenter[c].z += v[i].z;
    }
    for (int c = 0; c < MAX_COMPONENTS; ++c) {
        if (count[c] != 0) {
            const double r = 1.0 / count[c];
            compCenter[c].x *= r;
            compCenter[c].y *= r;
            compCenter[c].z *= r;
        }
    }
}
