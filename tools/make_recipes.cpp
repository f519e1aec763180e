// Writes the recipes of the sample surfaces (sample/recipes/<name>.ops): each
// surface is built here from the one cell with korvith-tool's own operations,
// run as the tool runs them, and every operation is written down, so that
// `korvith-tool apply sample/single.kor sample/<file> @sample/recipes/<name>.ops`
// builds the same surface. Choices that depend on the surface (which new rim
// vertex to glue, which boundary vertices to paste) are made on the state the
// tool will have at that point.
//
//     make-recipes SINGLE_CELL_FILE RECIPE_DIR
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <wx/init.h>

#include "io/open_commands.h"
#include "model/adjacency.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "tools/tool_ops.h"

namespace {
struct Recipe {
    std::string name;
    std::vector<std::string> lines;
    bool failed = false;

    // Runs one operation as the tool does and writes it down.
    void op(const std::string& text, const std::string& comment = std::string())
    {
        ToolOp parsed;
        std::string error;
        if (failed || !parseToolOp(text, &parsed, &error) || !runToolOp(parsed, false, &error)) {
            if (!failed)
                std::fprintf(stderr, "make-recipes: %s: %s: %s\n", name.c_str(), text.c_str(), error.c_str());
            failed = true;
            return;
        }
        refreshDerivedData();  // what a repaint does first
        lines.push_back(comment.empty() ? text : text + "   # " + comment);
    }
    void note(const std::string& text) { lines.push_back("# " + text); }
};

// Adds a cell at vertex p and glues it along the boundary edge from p to
// `target`: of the two new rim vertices beside p, the one whose new face runs
// along that edge the other way from the face already there is pasted onto
// `target`, so that the faces stay consistently oriented.
void attach(Recipe& r, int p, int target)
{
    const int first = NOV;
    const int oldFaces = NOS;
    r.op("add-cell=" + std::to_string(p));
    if (r.failed)
        return;
    // The new face (p, first, centre) runs p -> first; (first + 5, p, centre) runs first + 5 -> p.
    bool forward = false;  // an old face runs p -> target
    for (int f = 0; f < oldFaces; ++f)
        for (int k = 0; k < 3; ++k)
            forward = forward || (face[f][k] == p && face[f][(k + 1) % 3] == target);
    const int pasted = forward ? first + 5 : first;
    r.op("paste=" + std::to_string(target) + "," + std::to_string(pasted));
}

// The boundary of the surface as one loop of vertices in order, each with the
// centre of the cell whose face holds the boundary edge that leaves it.
struct BoundaryStep {
    int vertex;
    int cell;  // centre vertex of the cell the edge to the next vertex belongs to
};

// Every boundary loop, each from its first side in face order; the loops in
// the order of their first sides.
std::vector<std::vector<BoundaryStep>> boundaryLoops()
{
    const std::vector<BoundarySide> sides = boundarySides();
    std::vector<bool> used(sides.size(), false);
    std::vector<std::vector<BoundaryStep>> loops;
    for (size_t s0 = 0; s0 < sides.size(); ++s0) {
        if (used[s0])
            continue;
        std::vector<BoundaryStep> loop;
        size_t k = s0;
        for (;;) {
            used[k] = true;
            loop.push_back(BoundaryStep{sides[k].from, sides[k].opposite});
            const int at = sides[k].to;
            if (at == loop[0].vertex)
                break;
            size_t next = 0;
            while (next < sides.size() && (used[next] || sides[next].from != at))
                ++next;
            if (next == sides.size())
                break;
            k = next;
        }
        loops.push_back(loop);
    }
    return loops;
}

// The boundary loop through the first boundary side.
std::vector<BoundaryStep> boundaryLoop()
{
    const std::vector<std::vector<BoundaryStep>> loops = boundaryLoops();
    return loops.empty() ? std::vector<BoundaryStep>() : loops[0];
}

// Where the loop starts a cell's run of boundary edges: the first of the
// shortest runs, should the runs differ; -1 when the loop is one cell's.
int firstRunStart(const std::vector<BoundaryStep>& loop)
{
    const int n = static_cast<int>(loop.size());
    int first = -1, shortest = n + 1;
    for (int k = 0; k < n; ++k) {
        if (loop[(k + n - 1) % n].cell == loop[k].cell)
            continue;
        int run = 1;
        while (run < n && loop[(k + run) % n].cell == loop[k].cell)
            ++run;
        if (run < shortest) {
            shortest = run;
            first = k;
        }
    }
    return first;
}

// Pastes every pair (a, b): the lower index stays; later pairs follow the renumbering.
void pasteAll(Recipe& r, std::vector<std::pair<int, int>> pairs)
{
    for (size_t k = 0; k < pairs.size(); ++k) {
        const int keep = std::min(pairs[k].first, pairs[k].second);
        const int gone = std::max(pairs[k].first, pairs[k].second);
        r.op("paste=" + std::to_string(keep) + "," + std::to_string(gone));
        for (size_t j = k + 1; j < pairs.size(); ++j)
            for (int* x : {&pairs[j].first, &pairs[j].second}) {
                if (*x == gone)
                    *x = keep;
                else if (*x > gone)
                    --*x;
            }
    }
}

// Three cells around vertex 0, glued pairwise.
void buildTorio(Recipe& r)
{
    attach(r, 0, 6);
    attach(r, 0, 1);
    r.op("paste-all", "the last seam");
    r.op("relax=stable");
}

// Six cells: a torio with one more cell in the gap at each of its three
// boundary vertices where two cells meet, glued to both.
void buildSixCells(Recipe& r)
{
    buildTorio(r);
    // The torio's three boundary vertices between two cells, each with the next
    // boundary vertex; pastes keep the lower index, so these numbers stay.
    std::vector<std::pair<int, int>> joints;
    const std::vector<BoundaryStep> loop = boundaryLoop();
    const int n = static_cast<int>(loop.size());
    for (int i = 0; i < n; ++i)
        if (loop[(i + n - 1) % n].cell != loop[i].cell)
            joints.emplace_back(loop[i].vertex, loop[(i + 1) % n].vertex);
    for (const auto& joint : joints) {
        attach(r, joint.first, joint.second);
        r.op("paste-all", "the other side of the new cell");
        r.op("relax=stable");
    }
}

// Relaxes, opening folds between the relaxations.
void settle(Recipe& r, int rounds)
{
    r.op("relax=stable");
    for (int k = 0; k < rounds; ++k) {
        r.op("spread=10");
        r.op("relax=stable");
    }
}

Recipe torio()
{
    Recipe r;
    r.name = "torio";
    r.note("three cells around vertex 0, glued pairwise");
    buildTorio(r);
    r.op("center", "shown in the middle of the window");
    return r;
}

// A pair of pants from two torios face to face: the torio stands across the x
// axis, its mirror image faces it 2.0 further along x, and the two boundary
// loops are glued along three arcs, one in each cell's run of five boundary
// edges: the arc of `length` edges starting `start` edges into the run, on the
// torio, is glued to the mirror image of the arc `shift` edges further along
// the loop (vertex k to the mirror of vertex k + shift, which keeps the faces
// consistently oriented). The rest of the two loops bounds three holes.
Recipe torioPants(const std::string& name, const std::string& what, int start, int length, int shift,
                  void (*buildHalf)(Recipe&) = buildTorio, const char* turn = "rotate=1.5707963267948966,0")
{
    Recipe r;
    r.name = name;
    r.note(what);
    buildHalf(r);
    r.op(turn, "the half stands across the x axis");
    r.op("center");
    const int half = NOV;
    r.op("mirror-copy", "its mirror image 2.0 further along x, facing it");
    // The first half's loop (its faces come first) repeats itself three times.
    const std::vector<BoundaryStep> loop = boundaryLoop();
    const int n = static_cast<int>(loop.size());
    const int first = firstRunStart(loop);
    if (n % 3 != 0 || first < 0) {
        r.failed = true;
        std::fprintf(stderr, "make-recipes: %s: the boundary does not repeat itself three times\n", name.c_str());
        return r;
    }
    std::vector<std::pair<int, int>> pairs;
    for (int run = 0; run < 3; ++run)
        for (int i = 0; i <= length; ++i) {
            const int k = first + n / 3 * run + start + i;
            pairs.emplace_back(loop[((k % n) + n) % n].vertex, loop[(((k + shift) % n) + n) % n].vertex + half);
        }
    pasteAll(r, pairs);
    settle(r, 3);
    r.op("center");
    return r;
}

Recipe fatPants()
{
    return torioPants("2222-2222-2222", "fat pants: two torios glued at the middle edge of each cell's boundary run",
                      2, 1, 0);
}

Recipe newtralPants()
{
    return torioPants("1313-1313-1313",
                      "newtral pants: two torios glued at the second edge of each cell's boundary run, shifted by two",
                      1, 1, 2);
}

Recipe slimPants()
{
    return torioPants("22-22-22", "slim pants: two torios glued along three arcs of three edges across the cell joints",
                      4, 3, -1);
}

Recipe curlyPants()
{
    return torioPants("123-123-123", "curly pants: two torios glued along three arcs of two edges, shifted by two",
                      4, 2, -2);
}

// Four torios on the corners of a tetrahedron, each glued to each of the
// others along an arc of three edges across a cell joint (as in the slim
// pants): a sphere with four holes, one at each face of the tetrahedron, each
// bounded by runs of two edges of three cells. The torio is turned and
// mirrored twice so that the four copies start as a ridge over a valley, and
// each torio's arcs go to its neighbours in the order that relaxes without
// the surface passing through itself.
Recipe middlePants()
{
    return torioPants("2323-2323-2323",
                      "middle pants: two halves of six cells (a torio with a cell in each of its three outer gaps)\n"
                      "# face to face, glued along three arcs of three edges, shifted by four",
                      2, 3, 4, buildSixCells, "rotate=1.9,0");
}

Recipe chimaki()
{
    Recipe r;
    r.name = "222-222-222-222";
    r.note("chinese chimaki: four torios on the corners of a tetrahedron, each pair glued along an arc of");
    r.note("three edges; four holes, each bounded by three runs of two edges");
    buildTorio(r);
    for (const char* turn : {"rotate=0,1.5707963267948966", "rotate=1.4,0", "rotate=0,-1.5707963267948966", "rotate=0.8,0"})
        r.op(turn, "the torio tilted");
    r.op("center");
    r.op("mirror-copy", "a ridge of two torios");
    r.op("center");
    r.op("rotate=1.5707963267948966,0");
    r.op("mirror-copy", "and the valley under it");
    r.op("center");
    r.op("rotate=-1.5707963267948966,0");
    r.op("center");
    const int torioVertices = 19;
    const int neighbours[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};
    const int arcTo[4][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}};  // arc of the torio for each neighbour
    std::vector<std::vector<int>> arcs(4 * 3);                               // torio * 3 + arc -> its 4 vertices
    for (const std::vector<BoundaryStep>& loop : boundaryLoops()) {
        const int t = loop[0].vertex / torioVertices;
        const int first = firstRunStart(loop);
        const int n = static_cast<int>(loop.size());
        if (t > 3 || first < 0 || n != 15) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: a torio's boundary is not three runs of five edges\n", r.name.c_str());
            return r;
        }
        for (int a = 0; a < 3; ++a)
            for (int i = 0; i < 4; ++i)
                arcs[3 * t + a].push_back(loop[(first + 5 * a + 4 + i) % n].vertex);
    }
    std::vector<std::pair<int, int>> pairs;
    for (int t = 0; t < 4; ++t)
        for (int k = 0; k < 3; ++k) {
            const int u = neighbours[t][k];
            if (u < t)
                continue;
            int m = 0;
            while (neighbours[u][m] != t)
                ++m;
            const std::vector<int>& mine = arcs[3 * t + arcTo[t][k]];
            const std::vector<int>& theirs = arcs[3 * u + arcTo[u][m]];
            // Both loops run along their faces, so the arcs meet running opposite ways.
            for (int i = 0; i < 4; ++i)
                pairs.emplace_back(mine[i], theirs[3 - i]);
        }
    pasteAll(r, pairs);
    settle(r, 6);
    r.op("center");
    return r;
}

bool writeRecipe(const std::string& dir, const Recipe& r)
{
    if (r.failed)
        return false;
    const std::string path = dir + "/" + r.name + ".ops";
    std::ofstream out(path);
    if (!out) {
        std::fprintf(stderr, "make-recipes: cannot write %s\n", path.c_str());
        return false;
    }
    out << "# " << r.name << ": built from sample/single.kor by korvith-tool; written by make-recipes\n";
    for (const std::string& line : r.lines)
        out << line << "\n";
    return bool(out);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-recipes SINGLE_CELL_FILE RECIPE_DIR\n");
        return 2;
    }
    wxInitializer initializer;
    const std::string single = argv[1];
    const std::string dir = argv[2];
    mkdir(dir.c_str(), 0777);
    using Builder = Recipe (*)();
    const Builder builders[] = {torio, curlyPants, fatPants, slimPants, middlePants, newtralPants, chimaki};
    bool ok = true;
    for (Builder build : builders) {
        resetStore();
        if (!openSurfaceFile(single, false)) {
            std::fprintf(stderr, "make-recipes: cannot read %s\n", single.c_str());
            return 1;
        }
        refreshDerivedData();  // what a repaint does first
        const Recipe recipe = build();
        ok = writeRecipe(dir, recipe) && ok;
    }
    clearHistory();
    return ok ? 0 : 1;
}
