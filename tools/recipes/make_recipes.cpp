// Writes the recipes of the sample surfaces (sample/recipes/<name>.ops): each
// surface is built here from the one cell with korvith-tool's own operations,
// run as the tool runs them, and every operation is written down, so that
// `korvith-tool apply sample/single.kor sample/<file> @sample/recipes/<name>.ops`
// builds the same surface. Choices that depend on the surface (which new rim
// vertex to glue, which boundary vertices to paste) are made on the state the
// tool will have at that point. Some recipes read sample/torio.kor and
// sample/single.kor beside the surface, so it runs from the project folder.
//
//     make-recipes SINGLE_CELL_FILE RECIPE_DIR
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <sys/stat.h>
#include <vector>

#include <wx/init.h>

#include "geometry/enclosed_volume.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "tools/recipes/recipe.h"
#include "tools/recipes/recipe_frames.h"
#include "tools/recipes/recipe_placing.h"

using namespace recipes;

namespace {
Recipe torio()
{
    Recipe r;
    r.name = "torio";
    r.note("three cells around vertex 0, glued pairwise, opened out evenly");
    buildTorio(r);
    shapeTorio(r);
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

Recipe middlePants()
{
    return torioPants("2323-2323-2323",
                      "middle pants: two halves of six cells (a torio with a cell in each of its three outer gaps)\n"
                      "# face to face, glued along three arcs of three edges, shifted by four",
                      2, 3, 4, buildSixCells, "rotate=1.9,0");
}

// Four torios on the corners of a tetrahedron, each glued to each of the
// others along an arc of three edges across a cell joint (as in the slim
// pants): a sphere with four holes, one at each face of the tetrahedron, each
// bounded by runs of two edges of three cells. The torio is turned and
// mirrored twice so that the four copies start as a ridge over a valley, and
// each torio's arcs go to its neighbours in the order that relaxes without
// the surface passing through itself.
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
    const int neighbours[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};
    // The arc of each torio for each neighbour, counted from the arc across its second joint.
    const int arcTo[4][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}};
    std::vector<std::vector<std::vector<int>>> arcs;
    if (!torioArcs(r, 4, &arcs))
        return r;
    auto arc = [&](int t, int a) -> const std::vector<int>& { return arcs[t][(a + 1) % 3]; };
    std::vector<std::pair<int, int>> pairs;
    for (int t = 0; t < 4; ++t)
        for (int k = 0; k < 3; ++k) {
            const int u = neighbours[t][k];
            if (u < t)
                continue;
            int m = 0;
            while (neighbours[u][m] != t)
                ++m;
            glueArcs(arc(t, arcTo[t][k]), arc(u, arcTo[u][m]), &pairs);
        }
    pasteAll(r, pairs);
    settle(r, 6);
    r.op("center");
    return r;
}

// The autopaste demo: a cell with a ring of seven cells, each glued to one of
// its sides, and three more cells glued to ring cells next to where two ring
// cells meet; no seam between neighbouring ring cells is glued. "Paste all
// possible edges" then zips the ring closed at the seven rim vertices of the
// first cell, and each zip leaves one of the three outer cells in a gap that
// is zipped next. Unzipped, neighbouring cells would lie over each other at
// the open seams, so they are folded up and down in turn about their glued
// sides.
Recipe autopasteDemo()
{
    Recipe r;
    r.name = "autopasteDemo";
    r.note("autopaste demo: a ring of seven cells around the first one and three cells outside it,");
    r.note("each glued along one side; \"Paste all possible edges\" zips the rest");
    // Fold angles (radians): ring cells up and down in turn, the seventh flat
    // between two folded the opposite ways, the outer cells all one way.
    const double fold[10] = {0.8, -0.8, 0.8, -0.8, 0.8, -0.8, 0, 0.5, 0.5, 0.5};
    for (int k = 0; k < 7; ++k) {
        addCellAgainst(r, k, (k + 1) % 7, fold[k]);
        r.op("relax=stable");
    }
    // The three outer cells, each on the side after the boundary vertex that follows a zip site.
    int outer = 7;
    for (int site : {0, 2, 4}) {
        const std::vector<BoundaryStep> loop = boundaryLoop();
        const int n = static_cast<int>(loop.size());
        int at = 0;
        while (at < n && loop[at].vertex != site)
            ++at;
        if (at == n) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: vertex %d is not on the boundary\n", r.name.c_str(), site);
            return r;
        }
        addCellAgainst(r, loop[(at + 1) % n].vertex, loop[(at + 2) % n].vertex, fold[outer++]);
        r.op("relax=stable");
    }
    r.op("center");
    return r;
}

// The torios start on a dodecahedron with edges of 3.6, well apart: gluing
// pulls them in evenly, and the holes open to the same size all round (on a
// smaller start the holes close up unevenly).
Recipe punchedDodecahedron()
{
    Recipe r;
    r.name = "22222Dodecahedra";
    r.note("punched dodecahedron: a torio at each corner of a dodecahedron, each pair of neighbours");
    r.note("glued along an arc of three edges; a hole at each of the twelve pentagons");
    placeTorios(r, dodecahedron(3.6));
    settle(r, 6);
    r.op("center");
    return r;
}

// The cubic lattice: its 2 x 2 x 2 punched cubes glued face to face make the
// periodic surface whose tubes run along the lattice edges; the 24 holes left
// on the outside are bounded by four runs of two edges each.
Recipe cubicLattice()
{
    Recipe r;
    r.name = "2222skewLattice";
    r.note("cubic lattice: a punched cube (a torio at each corner, glued along arcs of three edges) at each");
    r.note("of 2 x 2 x 2 nodes of the simple cubic lattice, neighbouring cubes glued hole to hole");
    buildFrame(r, parallelepipedLattice(M_PI / 2, 4.2, 2.5), 12, 60000);
    return r;
}

// The same block on a rhombohedral lattice, its axes at 75 degrees.
Recipe rhombicLattice()
{
    Recipe r;
    r.name = "2321-31-1223Lattice";
    r.note("rhombic lattice: a punched rhombohedron (a torio at each corner, glued along arcs of three edges)");
    r.note("at each of 2 x 2 x 2 nodes of a rhombohedral lattice with axes at 75 degrees, glued hole to hole");
    buildFrame(r, parallelepipedLattice(75 * M_PI / 180, 3.6, 1.5), 12, 60000);
    return r;
}

// A node of the diamond lattice with its four neighbours: four tubes meeting
// at a saddle, each ending in a saddle of its own.
Recipe diamondLattice1()
{
    Recipe r;
    r.name = "222diamondLattice";
    r.note("diamond lattice 1: a punched truncated tetrahedron (torios at its corners) at a node of the");
    r.note("diamond lattice and at its four neighbours, glued by their hexagonal holes; the triangular");
    r.note("holes stay open");
    buildFrame(r, diamondPatch({{1, 1, 1}, {0, 0, 0}, {2, 2, 0}, {2, 0, 2}, {0, 2, 2}}, 3.0, 8.0), 6, 10000);
    return r;
}

// The ten nodes of an adamantane cage of the diamond lattice: four rings of
// six nodes around one cavity.
Recipe diamondLattice2()
{
    Recipe r;
    r.name = "13-13-3Lattice";
    r.note("diamond lattice 2: punched truncated tetrahedra at the ten nodes of an adamantane cage of the");
    r.note("diamond lattice (four rings of six around one cavity), bonded nodes glued by their hexagonal holes");
    buildFrame(r,
               diamondPatch({{2, 2, 0}, {2, 0, 2}, {0, 2, 2}, {2, 2, 4}, {2, 4, 2}, {4, 2, 2}, {1, 1, 1}, {3, 3, 1},
                             {3, 1, 3}, {1, 3, 3}},
                            2.7, 6.0),
               6, 10000);
    return r;
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
    // Each recipe, and whether its surface has a clear outside (it bounds a
    // solid once its holes are capped), which then shows the front colour.
    const std::pair<Builder, bool> builders[] = {
        {torio, false},          {autopasteDemo, false},   {curlyPants, true},  {fatPants, true},
        {slimPants, true},       {middlePants, true},      {newtralPants, true}, {chimaki, true},
        {diamondLattice1, true}, {rhombicLattice, true},   {cubicLattice, true}, {punchedDodecahedron, true},
        {diamondLattice2, true}};
    bool ok = true;
    for (const auto& [build, outside] : builders) {
        resetStore();
        if (!openSurfaceFile(single, false)) {
            std::fprintf(stderr, "make-recipes: cannot read %s\n", single.c_str());
            return 1;
        }
        refreshDerivedData();  // what a repaint does first
        singleCell.clear();
        for (int i = 0; i < NOV; ++i)
            singleCell.push_back(at(i));
        Recipe recipe = build();
        if (outside && enclosedVolume() < 0)
            recipe.op("flip", "the faces point outward: the outside shows the front colour");
        ok = writeRecipe(dir, recipe) && ok;
    }
    clearHistory();
    return ok ? 0 : 1;
}
