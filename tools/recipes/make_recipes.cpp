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
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <sys/stat.h>
#include <vector>

#include <wx/init.h>

#include "geometry/enclosed_volume.h"
#include "geometry/face_clearance.h"
#include "geometry/self_intersection.h"
#include "geometry/thicken.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "model/triangle_mesh.h"
#include "tools/recipes/recipe.h"
#include "tools/recipes/recipe_frames.h"
#include "tools/recipes/recipe_placing.h"
#include "tools/recipes/recipe_shaping.h"

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

// The holes opened out to about the same size by spreading and then by pulls,
// the faces kept 0.15 apart.
void evenOut(Recipe& r)
{
    spreadEvenly(r, 0.15, 0.99, 20);
    evenHoles(r, 0.15, 0.95);
}

// A pair of pants from two torios face to face: the torio stands across the x
// axis, its mirror image faces it 2.0 further along x, and the two boundary
// loops are glued along three arcs, one in each cell's run of five boundary
// edges: the arc of `length` edges starting `start` edges into the run, on the
// torio, is glued to the mirror image of the arc `shift` edges further along
// the loop (vertex k to the mirror of vertex k + shift, which keeps the faces
// consistently oriented). The rest of the two loops bounds three holes, which
// are then evened out. Where relaxing folds a hole shut, `prop` (when above 0)
// is the length of the bars that prop the holes open (see proppedOpen) in the
// shape the surface is moved to first.
Recipe torioPants(const std::string& name, const std::string& what, int start, int length, int shift,
                  double prop = 0, void (*buildHalf)(Recipe&) = buildTorio,
                  const char* turn = "rotate=1.5707963267948966,0")
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
    const std::vector<BoundarySide> loop = boundaryLoop();
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
            pairs.emplace_back(loop[((k % n) + n) % n].from, loop[(((k + shift) % n) + n) % n].from + half);
        }
    pasteAll(r, pairs);
    settle(r, 3);
    if (prop > 0) {
        r.note("the holes propped open by bars between their joints, worked out by precise relaxation");
        moveTo(r, proppedOpen(prop));
    }
    evenOut(r);
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
                      4, 3, -1, 0.6);
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
                      2, 3, 4, 0, buildSixCells, "rotate=1.9,0");
}

// Four torios on the corners of a tetrahedron, each glued to each of the
// others along an arc of three edges across a cell joint (as in the punched
// dodecahedron): a sphere with four holes, one at each face of the
// tetrahedron, each bounded by runs of two edges of three cells.
Recipe chimaki()
{
    Recipe r;
    r.name = "222-222-222-222";
    r.note("chinese chimaki: a torio at each corner of a tetrahedron, each pair glued along an arc of");
    r.note("three edges; a hole at each of the four faces, bounded by three runs of two edges");
    // Well apart (edges of 4.2), so that the gluing pulls the torios in evenly.
    placeTorios(r, tetrahedron(4.2));
    settle(r, 6);
    evenOut(r);
    r.op("center");
    return r;
}

// The autopaste demo's cells on the one cell: a ring of seven, the k-th glued
// along the first cell's rim side from vertex k to k + 1, then three outer
// cells, each on the side after the boundary vertex that follows one of the
// zip sites 0, 2 and 4; each is turned by its angle in `fold` (the ring's,
// then the outer ones') about its glued side out of the surface and relaxed
// in. No seam between neighbouring cells is glued.
void layAutopasteCells(Recipe& r, const std::vector<double>& fold)
{
    for (int k = 0; k < 7; ++k) {
        addCellAgainst(r, k, (k + 1) % 7, fold[k]);
        r.op("relax=stable");
    }
    int outer = 7;
    for (int site : {0, 2, 4}) {
        const std::vector<BoundarySide> loop = boundaryLoop();
        const int n = static_cast<int>(loop.size());
        int at = 0;
        while (at < n && loop[at].from != site)
            ++at;
        if (at == n) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: vertex %d is not on the boundary\n", r.name.c_str(), site);
            return;
        }
        addCellAgainst(r, loop[(at + 1) % n].from, loop[(at + 2) % n].from, fold[outer++]);
        r.op("relax=stable");
    }
}

// The largest thickness, in steps of 0.05 up to 0.3, whose solid around the
// surface (offset by half the thickness at every vertex, as `thicken` made it
// when the demo's folds were chosen: the shipped sample keeps them) has no
// faces passing through each other, the steps below it all clear too; 0 when
// 0.05 is not. Leaves the last solid tried in the store.
double cleanThickness()
{
    const TriangleMesh sheet = currentMesh();
    double clean = 0;
    for (int k = 1; k <= 6; ++k) {
        TriangleMesh solid;
        std::string why;
        if (!thickenMesh(sheet, 0.05 * k, &solid, &why, nullptr, OffsetRule::HalfThicknessAlongMean) ||
            !loadMeshIntoStore(solid, &why) ||
            !selfIntersections().empty())
            break;
        clean = 0.05 * k;
    }
    return clean;
}

// How well the autopaste demo laid with `fold` keeps clear of itself: the
// clean thickness of its solid and a tenth of its clearance (the smallest
// distance between faces that share no corner, counted up to 0.5); -1 when
// it cannot be laid or passes through itself. Lays it on a fresh copy of
// sample/single.kor, as make-recipes starts every recipe, and leaves a
// thickened solid in the store.
double autopasteLayoutScore(const std::vector<double>& fold)
{
    resetStore();
    if (!openSurfaceFile("sample/single.kor", false))
        return -1;
    refreshDerivedData();
    Recipe trial;
    trial.name = "autopasteDemo";
    layAutopasteCells(trial, fold);
    if (trial.failed || !selfIntersections().empty())
        return -1;
    const double clearance = std::min(smallestFaceClearance(), 0.5);
    return cleanThickness() + 0.1 * clearance;
}

// The fold angles of the autopaste demo. Left open, the six faces at a zip
// site span 378 degrees, so neighbouring cells overlap there unless they are
// folded apart; the fan must also be seen all from one side, with a gap
// between its open sides, for a printed solid's layers to stay apart at the
// site. Starting from ring cells folded up and down in turn by 0.8 (the
// seventh flat, where the odd ring meets itself) and outer cells by 0.5, a
// coordinate search: again and again each angle is tried 0.4 larger and
// smaller and kept where autopasteLayoutScore rises; once none does, the step
// is halved, down to 0.05 (at most 40 rounds). Leaves the store holding the one
// cell as make-recipes starts a recipe; empty when sample/single.kor cannot be
// read.
std::vector<double> autopasteFolds()
{
    std::vector<double> fold = {0.8, -0.8, 0.8, -0.8, 0.8, -0.8, 0, 0.5, 0.5, 0.5};
    double best = autopasteLayoutScore(fold);
    double step = 0.4;
    for (int round = 0; round < 40 && step > 0.04; ++round) {
        bool rose = false;
        for (size_t k = 0; k < fold.size(); ++k)
            for (double change : {step, -step}) {
                std::vector<double> trial = fold;
                trial[k] += change;
                const double score = autopasteLayoutScore(trial);
                if (score > best) {
                    best = score;
                    fold = trial;
                    rose = true;
                }
            }
        if (!rose)
            step /= 2;
    }
    resetStore();
    if (!openSurfaceFile("sample/single.kor", false))
        return {};
    refreshDerivedData();
    return fold;
}

// The autopaste demo: a cell with a ring of seven cells, each glued to one of
// its sides, and three more cells glued to ring cells next to where two ring
// cells meet; no seam between neighbouring ring cells is glued. "Paste all
// possible edges" then zips the ring closed at the seven rim vertices of the
// first cell, and each zip leaves one of the three outer cells in a gap that
// is zipped next. The cells are folded about their glued sides so that the
// open seams stay well apart (autopasteFolds).
Recipe autopasteDemo()
{
    Recipe r;
    r.name = "autopasteDemo";
    r.note("autopaste demo: a ring of seven cells around the first one and three cells outside it,");
    r.note("each glued along one side; \"Paste all possible edges\" zips the rest");
    const std::vector<double> fold = autopasteFolds();
    if (fold.empty()) {
        r.failed = true;
        std::fprintf(stderr, "make-recipes: %s: cannot read sample/single.kor\n", r.name.c_str());
        return r;
    }
    r.note("the cells folded about their glued sides so that the open seams stay apart");
    layAutopasteCells(r, fold);
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

// A block of the lattice of rhombic prisms: the axes across meet at 60
// degrees, as the square sides of a hexagonal prism face each other, so the
// shear is held by the cells' own pattern (a punched cube, glued on a sheared
// lattice, relaxes back towards right angles). The prisms' hexagonal holes
// join the two layers, which start 1.65 apart against 3.0 across: from much
// wider or narrower starts the gluing folds a prism's corner onto its
// neighbour. Creeping leaves some edges a few tenths of a percent off their
// lengths, so a last solve brings every edge to its length, after three
// smoothing passes that round off the sharpest folds (solved without them,
// a solid thickened to 0.1 around the surface crosses itself).
Recipe rhombicLattice()
{
    Recipe r;
    r.name = "2321-31-1223Lattice";
    r.note("rhombic lattice: a punched hexagonal prism (a torio at each corner, glued along arcs of three edges)");
    r.note("at each of 2 x 2 x 2 nodes of the lattice of rhombic prisms, its axes across at 60 degrees;");
    r.note("neighbours across and between the two layers glued hole to hole");
    buildFrame(r, rhombicPrismLattice(3.6, 3.0, 1.65), 12, 60000, true);
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

// The {7,3} disc of `rings` rings around the start cell: every ring placed
// clear of the surface, opened out keeping a gap and relaxed precisely before
// the next.
Recipe grownDisc(int rings, const char* cells)
{
    Recipe r;
    r.name = "hyperbolicDisc" + std::to_string(rings);
    r.note(std::string("the heptagonal tiling around the start cell, ring by ring (") + cells + " cells)");
    r.op("grow=" + std::to_string(rings),
         "each ring opened out clear of the rings before it and relaxed precisely before the next");
    r.op("center", "shown in the middle of the window");
    return r;
}

Recipe hyperbolicDisc()
{
    return grownDisc(3, "7, 21 and 56");
}

Recipe hyperbolicDisc4()
{
    return grownDisc(4, "7, 21, 56 and 147");
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-recipes SINGLE_CELL_FILE RECIPE_DIR [RECIPE...]\n");
        return 2;
    }
    wxInitializer initializer;
    const std::string single = argv[1];
    const std::string dir = argv[2];
    // Only the recipes named after the folder, when any are.
    const std::vector<std::string> only(argv + 3, argv + argc);
    mkdir(dir.c_str(), 0777);
    using Builder = Recipe (*)();
    // Each recipe, and whether its surface has a clear outside (it bounds a
    // solid once its holes are capped), which then shows the front colour.
    struct Entry {
        const char* name;
        Builder build;
        bool outside;
    };
    const Entry entries[] = {
        {"torio", torio, false},
        {"autopasteDemo", autopasteDemo, false},
        {"123-123-123", curlyPants, true},
        {"2222-2222-2222", fatPants, true},
        {"22-22-22", slimPants, true},
        {"2323-2323-2323", middlePants, true},
        {"1313-1313-1313", newtralPants, true},
        {"222-222-222-222", chimaki, true},
        {"222diamondLattice", diamondLattice1, true},
        {"2321-31-1223Lattice", rhombicLattice, true},
        {"2222skewLattice", cubicLattice, true},
        {"22222Dodecahedra", punchedDodecahedron, true},
        {"13-13-3Lattice", diamondLattice2, true},
        {"hyperbolicDisc3", hyperbolicDisc, false},
        {"hyperbolicDisc4", hyperbolicDisc4, false},
    };
    bool ok = true;
    for (const Entry& entry : entries) {
        if (!only.empty() && std::find(only.begin(), only.end(), entry.name) == only.end())
            continue;
        resetStore();
        if (!openSurfaceFile(single, false)) {
            std::fprintf(stderr, "make-recipes: cannot read %s\n", single.c_str());
            return 1;
        }
        refreshDerivedData();  // what a repaint does first
        singleCell.clear();
        for (int i = 0; i < NOV; ++i)
            singleCell.push_back(at(i));
        Recipe recipe = entry.build();
        if (entry.outside && enclosedVolume() < 0)
            recipe.op("flip", "the faces point outward: the outside shows the front colour");
        if (recipe.name != entry.name) {
            std::fprintf(stderr, "make-recipes: the recipe %s calls itself %s\n", entry.name, recipe.name.c_str());
            recipe.failed = true;
        }
        ok = writeRecipe(dir, recipe) && ok;
    }
    clearHistory();
    return ok ? 0 : 1;
}
