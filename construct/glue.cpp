#include "construct/glue.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <numeric>
#include <queue>
#include <unordered_set>
#include <utility>
#include <vector>

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

// Removes, keeping the first of each group and the order, the edges that join
// the same two vertices. Writes: edge, phi, NOE.
void removeDuplicateEdges()
{
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
}

// Whether the six faces of vertex i (`list`, in increasing index) form one open
// fan whose two boundary neighbours differ; they go to *A and *B. Walks the fan
// from its first face to each side; the counter counts the faces met, so an
// open fan of six ends at exactly 6.
bool openFanEnds(int i, const int* list, int* A, int* B)
{
    int counter = 1;
    *A = *B = -1;
    for (int side = 0; side < 2; ++side) {
        const bool before = side == 0;
        int current = list[0];
        for (;;) {
            *(before ? A : B) = cornerBeside(i, current, before);
            if (counter > 6)
                break;
            const int next = getNbdFace(i, current, list, 6, before);
            if (next == -1)
                break;
            current = next;
            ++counter;
        }
    }
    return counter == 6 && *A != *B;
}

// Ends a run of pastes made in the old numbering: survivor[x] is the vertex x
// was pasted onto (x itself when it stays). Drops the pasted vertices' positions,
// renumbers every edge end and face corner and removes duplicate edges, as
// pasting one pair at a time would have left them. Writes: v, edge, phi, face,
// NOV, NOE.
void closeUpAfterPastes(std::vector<int>& survivor, int pastes)
{
    const int n = NOV;
    std::vector<int> renumbered(n);
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        int s = survivor[i];
        while (survivor[s] != s)
            s = survivor[s];
        survivor[i] = s;  // lower vertices are settled first, so this shortens every later chain
        renumbered[i] = s == i ? kept : renumbered[s];
        if (s == i)
            v[kept++] = v[i];
    }
    NOV = kept;
    auto renumber = [&](int x) { return x < 0 ? x : x < n ? renumbered[x] : x - pastes; };
    for (int e = 0; e < NOE; ++e)
        for (int k = 0; k < 2; ++k)
            edge[e][k] = renumber(edge[e][k]);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            face[f][k] = renumber(face[f][k]);
    removeDuplicateEdges();
}
}  // namespace

std::string foldingRefusal(int a, int b, const std::vector<int>& facesOfA, const std::vector<int>& facesOfB)
{
    for (int f : facesOfA)
        if (std::find(facesOfB.begin(), facesOfB.end(), f) != facesOfB.end())
            return "they share face " + std::to_string(f);
    // A side from a (or b) to a neighbour c lies in as many of its faces as
    // hold c; merging a and b adds up the two counts. No allocation: this runs
    // at every paste the zip tries.
    auto facesWith = [](int c, const std::vector<int>& faces) {
        int n = 0;
        for (int f : faces)
            n += (face[f][0] == c) + (face[f][1] == c) + (face[f][2] == c);
        return n;
    };
    for (int f : facesOfA)
        for (int k = 0; k < 3; ++k) {
            const int c = face[f][k];
            if (c == a || c == b)  // b's own faces do not count b as a neighbour
                continue;
            const int inB = facesWith(c, facesOfB);
            if (inB == 0)
                continue;
            const int inA = facesWith(c, facesOfA);
            if (inA + inB > 2)
                return "the side to vertex " + std::to_string(c) + " would be a side of " + std::to_string(inA + inB) +
                       " faces (a surface has at most 2 at a side)";
        }
    return std::string();
}

std::string pasteRefusal(int a, int b)
{
    if (a < 0 || b < 0 || a >= NOV || b >= NOV)
        return "a vertex that does not exist";
    if (a == b)
        return "the same vertex twice";
    if (subdiv_level > 1)
        return "the surface is subdivided";
    // One pass over the faces: a face holding both refuses at once.
    std::vector<int> facesOf[2];
    for (int f = 0; f < NOS; ++f) {
        const bool holdsA = isFaceIncludeVertex(f, a), holdsB = isFaceIncludeVertex(f, b);
        if (holdsA && holdsB)
            return "they share face " + std::to_string(f);
        if (holdsA)
            facesOf[0].push_back(f);
        if (holdsB)
            facesOf[1].push_back(f);
    }
    for (int s = 0; s < 2; ++s)
        if (facesOf[s].size() > 5)
            return "vertex " + std::to_string(s == 0 ? a : b) + " already lies in " +
                   std::to_string(facesOf[s].size()) + " faces (at most 5 may)";
    if (NOE + 1 >= MAX_EDGES)
        return "the edge table is full (" + std::to_string(NOE) + " of " + std::to_string(MAX_EDGES) + " edges)";
    return foldingRefusal(a, b, facesOf[0], facesOf[1]);
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

    removeDuplicateEdges();
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
    // The scan runs in the numbering the surface has now: a paste only turns
    // the higher vertex's corners into the lower one and marks it gone, and the
    // tables close up once at the end. Vertices keep their order under the
    // renumbering, so the lowest pastable vertex is the same in both numberings.
    // A paste changes the fans of the corners of the survivor's faces only; of
    // the vertices already passed only those are looked at again, lowest first,
    // which is where a restart from vertex 0 would find its next paste.
    const int n = NOV;
    std::vector<std::vector<int>> facesOf(n);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (firstCornerOccurrence(f, k))
                facesOf[face[f][k]].push_back(f);
    std::vector<int> survivor(n);
    std::iota(survivor.begin(), survivor.end(), 0);
    std::vector<bool> again(n, false);
    std::priority_queue<int, std::vector<int>, std::greater<int>> recheck;
    int next = 0;
    int pastes = 0;
    std::vector<int> merged;
    for (;;) {
        int i;
        if (!recheck.empty() && recheck.top() < next) {
            i = recheck.top();
            recheck.pop();
            again[i] = false;
        } else if (next < n) {
            i = next++;
        } else {
            break;
        }
        int A, B;
        if (survivor[i] != i || facesOf[i].size() != 6 || !openFanEnds(i, facesOf[i].data(), &A, &B))
            continue;
        const int lo = std::min(A, B), hi = std::max(A, B);
        if (!foldingRefusal(lo, hi, facesOf[lo], facesOf[hi]).empty())
            continue;  // the paste would fold the surface onto itself
        for (int f : facesOf[hi])
            for (int k = 0; k < 3; ++k)
                if (face[f][k] == hi)
                    face[f][k] = lo;
        merged.clear();
        std::set_union(facesOf[lo].begin(), facesOf[lo].end(), facesOf[hi].begin(), facesOf[hi].end(),
                       std::back_inserter(merged));
        facesOf[lo].swap(merged);
        facesOf[hi].clear();
        survivor[hi] = lo;
        ++pastes;
        for (int f : facesOf[lo])
            for (int k = 0; k < 3; ++k) {
                const int c = face[f][k];
                if (c < next && !again[c]) {
                    again[c] = true;
                    recheck.push(c);
                }
            }
    }
    if (pastes > 0)
        closeUpAfterPastes(survivor, pastes);
    markFaceDataStale();
}
