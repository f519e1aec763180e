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
#include <cmath>
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

// Pastes every pair (a, b): the lower index stays; later pairs follow the
// renumbering, and so does `perVertex` (one entry per vertex), when given.
void pasteAll(Recipe& r, std::vector<std::pair<int, int>> pairs, std::vector<int>* perVertex = nullptr)
{
    for (size_t k = 0; k < pairs.size(); ++k) {
        const int keep = std::min(pairs[k].first, pairs[k].second);
        const int gone = std::max(pairs[k].first, pairs[k].second);
        r.op("paste=" + std::to_string(keep) + "," + std::to_string(gone));
        if (perVertex && gone < static_cast<int>(perVertex->size()))
            perVertex->erase(perVertex->begin() + gone);
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

void shapeTorio(Recipe& r);

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

// --- Surfaces from torios placed at the nodes of a frame --------------------

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec unit(Vec a) { return (1.0 / std::sqrt(dot(a, a))) * a; }
Vec at(int i) { return {v[i].x, v[i].y, v[i].z}; }

// A rotation as its three columns: the images of the x, y and z axes.
struct Turn {
    Vec c[3];
    Vec apply(Vec a) const { return a.x * c[0] + a.y * c[1] + a.z * c[2]; }
};

// The turn that takes the orthonormal frame (a0, a1, a2) onto (b0, b1, b2).
Turn frameTurn(const Vec a[3], const Vec b[3])
{
    Turn t;
    const Vec axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int k = 0; k < 3; ++k)
        t.c[k] = dot(a[0], axes[k]) * b[0] + dot(a[1], axes[k]) * b[1] + dot(a[2], axes[k]) * b[2];
    return t;
}

// The right-handed orthonormal frame of a normal and a direction across it.
void frameOf(Vec normal, Vec across, Vec out[3])
{
    out[2] = unit(normal);
    out[0] = unit(across - dot(across, out[2]) * out[2]);
    out[1] = cross(out[2], out[0]);
}

// Writes the turn as the tool's turns: rotate=A,B turns about y by A, then
// about x by B, so a turn is y, then x, then y again (`inverse` writes the
// turn back).
void turnOps(Recipe& r, const Turn& t, bool inverse)
{
    // t = Y(alpha) X(beta) Y(gamma): its y column is (sin a sin b, cos b, -cos a sin b)
    // and its y row is (sin b sin g, cos b, sin b cos g).
    const double beta = std::acos(std::max(-1.0, std::min(1.0, t.c[1].y)));
    double alpha = std::atan2(t.c[1].x, -t.c[1].z), gamma = std::atan2(t.c[0].y, t.c[2].y);
    if (std::sin(beta) < 1e-9) {  // y stays (or turns over): Y(alpha) X(beta) takes x to (cos a, 0, sin a)
        alpha = std::atan2(t.c[0].z, t.c[0].x);
        gamma = 0;
    }
    char text[200];
    if (!inverse) {
        std::snprintf(text, sizeof text, "rotate=%.17g,%.17g", gamma, beta);
        r.op(text);
        std::snprintf(text, sizeof text, "rotate=%.17g,0", alpha);
        r.op(text);
    } else {
        std::snprintf(text, sizeof text, "rotate=%.17g,%.17g", -alpha, -beta);
        r.op(text);
        std::snprintf(text, sizeof text, "rotate=%.17g,0", -gamma);
        r.op(text);
    }
}

void moveOp(Recipe& r, Vec d)
{
    char text[200];
    std::snprintf(text, sizeof text, "move=%.17g,%.17g,%.17g", d.x, d.y, d.z);
    r.op(text);
}

// Reads `file` beside the surface, turned by `turn` and then moved by `shift`
// from where the file has it: the surface is moved and turned the other way
// (and 2.0 along x, where Open and append puts the file's piece), the file
// read, and everything moved and turned back.
void appendPlaced(Recipe& r, const std::string& file, const Turn& turn, Vec shift)
{
    moveOp(r, -1.0 * shift);
    turnOps(r, turn, true);
    r.op("move=2,0,0");
    r.op("append=" + file);
    r.op("move=-2,0,0", "the file's piece where the file has it");
    turnOps(r, turn, false);
    moveOp(r, shift);
}

// A frame of torios: node k gets a torio whose surface faces `normal[k]`,
// and each edge (a, b) glues the torios of a and b along an arc of three
// edges across the cell joints that point at each other.
struct Frame {
    std::vector<Vec> position, normal;
    std::vector<std::pair<int, int>> edges;
    // Holes to glue to each other, each pair given by the points the two
    // holes lie at: the boundary loops nearest to them are glued.
    std::vector<std::pair<Vec, Vec>> joins;
};

constexpr int TORIO_VERTICES = 19;

// The torio of sample/torio.kor as it lies in the store from vertex `base`:
// its right-handed frame (normal at the vertex where its three cells meet,
// first joint across it) and the directions of its three cell joints, in the
// order of its boundary loop.
struct TorioShape {
    Vec frame[3];
    Vec joint[3];
};

TorioShape torioShape(int base)
{
    TorioShape s{};
    Vec normal{0, 0, 0};
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] == base) {
                const Vec a = at(face[f][0]), b = at(face[f][1]), c = at(face[f][2]);
                normal = normal + cross(b - a, c - a);
            }
    for (const std::vector<BoundaryStep>& loop : boundaryLoops()) {
        if (loop[0].vertex / TORIO_VERTICES != base / TORIO_VERTICES)
            continue;
        const int first = firstRunStart(loop);
        for (int j = 0; j < 3; ++j)
            s.joint[j] = at(loop[(first + 5 * j) % loop.size()].vertex) - at(base);
    }
    frameOf(normal, s.joint[0], s.frame);
    return s;
}

// The smallest angle between two joints of the torio of vertices 0 .. 18.
double smallestJointAngle()
{
    const TorioShape s = torioShape(0);
    double smallest = M_PI;
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            smallest = std::min(smallest, std::acos(std::max(-1.0, std::min(1.0, dot(unit(s.joint[i]), unit(s.joint[j]))))));
    return smallest;
}

// Pulls (down, or up with the surface turned over) a vertex of the one torio
// and relaxes it until stable.
void pullTorio(Recipe& r, int vertex, bool up)
{
    if (up)
        r.op("rotate=0,3.1415926535897931", "upside down");
    r.op("pull=" + std::to_string(vertex));
    r.op("relax=stable");
    if (up)
        r.op("rotate=0,-3.1415926535897931");
}

// The zipped torio comes out with one cell folded shut. Opens it out until
// its three joints stand about 120 degrees apart: again and again, of all the
// pulls up or down of one vertex, the one that widens the narrowest angle
// between joints most, while any widens it by half a degree.
void shapeTorio(Recipe& r)
{
    for (int round = 0; round < 40; ++round) {
        const std::vector<Point3> kept(v, v + NOV);
        double best = smallestJointAngle() + 0.5 * M_PI / 180;
        int bestVertex = -1;
        bool bestUp = false;
        for (int vertex = 0; vertex < NOV; ++vertex)
            for (bool up : {false, true}) {
                Recipe trial;
                trial.name = r.name;
                pullTorio(trial, vertex, up);
                const double angle = smallestJointAngle();
                if (!trial.failed && angle > best) {
                    best = angle;
                    bestVertex = vertex;
                    bestUp = up;
                }
                std::copy(kept.begin(), kept.end(), v);
            }
        if (bestVertex < 0)
            return;
        pullTorio(r, bestVertex, bestUp);
    }
}

// Places one torio per node (the first built from the cell, the others read
// from sample/torio.kor), each turned so that its normal is the node's and its
// joints point as nearly as they can at the node's neighbours, then glues the
// arcs of every edge.
std::vector<int> placeTorios(Recipe& r, const Frame& frame)
{
    const int nodes = static_cast<int>(frame.position.size());
    std::vector<std::vector<int>> neighbours(nodes);
    for (const auto& e : frame.edges) {
        neighbours[e.first].push_back(e.second);
        neighbours[e.second].push_back(e.first);
    }
    buildTorio(r);
    shapeTorio(r);
    r.op("center", "as sample/torio.kor lies");
    const TorioShape shape = torioShape(0);
    // joint j of the torio, for each node, and the neighbour it points at
    std::vector<std::vector<int>> jointTo(nodes, std::vector<int>(3, -1));
    for (int k = 0; k < nodes; ++k) {
        // The target frame: the node's normal, and across it the direction that
        // best matches the joints with the neighbours, trying each assignment.
        const Vec n = unit(frame.normal[k]);
        double best = -1e300;
        Turn turn{};
        int perm[3] = {0, 1, 2};
        do {
            // joint perm[j] goes to neighbour j: average the frame angle.
            Vec across{0, 0, 0};
            const Vec local[3] = {shape.frame[0], shape.frame[1], shape.frame[2]};
            const int count = std::min<int>(3, static_cast<int>(neighbours[k].size()));
            for (int j = 0; j < count; ++j) {
                const Vec d = frame.position[neighbours[k][j]] - frame.position[k];
                const Vec jt = shape.joint[perm[j]];
                // the angle of the joint in the torio's frame, and of the neighbour in the node's
                const double aj = std::atan2(dot(jt, local[1]), dot(jt, local[0]));
                Vec b[3];
                frameOf(n, d, b);
                // turning b[0] back by aj about n gives the image of the torio's first axis
                across = across + (std::cos(aj) * b[0] - std::sin(aj) * b[1]);
            }
            Vec target[3];
            frameOf(n, count ? across : Vec{1, 0, 0}, target);
            const Turn t = frameTurn(shape.frame, target);
            double score = 0;
            for (int j = 0; j < count; ++j)
                score += dot(unit(t.apply(shape.joint[perm[j]])),
                             unit(frame.position[neighbours[k][j]] - frame.position[k]));
            if (score > best + 1e-12) {
                best = score;
                turn = t;
                for (int j = 0; j < 3; ++j)
                    jointTo[k][perm[j]] = j < count ? neighbours[k][j] : -1;
            }
        } while (std::next_permutation(perm, perm + 3));
        if (k == 0) {
            turnOps(r, turn, false);
            moveOp(r, frame.position[0]);
            continue;
        }
        appendPlaced(r, "sample/torio.kor", turn, frame.position[k]);
    }
    // The arcs: arc a runs from one edge before joint a to two edges after it.
    std::vector<std::vector<std::vector<int>>> arcs(nodes, std::vector<std::vector<int>>(3));
    for (const std::vector<BoundaryStep>& loop : boundaryLoops()) {
        const int t = loop[0].vertex / TORIO_VERTICES;
        const int first = firstRunStart(loop);
        const int n = static_cast<int>(loop.size());
        if (t >= nodes || first < 0 || n != 15) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: a torio's boundary is not three runs of five edges\n", r.name.c_str());
            return {};
        }
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 4; ++i)
                arcs[t][j].push_back(loop[(first + 5 * j - 1 + i + n) % n].vertex);
    }
    std::vector<std::pair<int, int>> pairs;
    for (const auto& e : frame.edges) {
        const int a = e.first, b = e.second;
        int ja = 0, jb = 0;
        while (ja < 3 && jointTo[a][ja] != b)
            ++ja;
        while (jb < 3 && jointTo[b][jb] != a)
            ++jb;
        if (ja == 3 || jb == 3) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: a node has more than three neighbours\n", r.name.c_str());
            return {};
        }
        // Both loops run along their faces, so the arcs meet running opposite ways.
        for (int i = 0; i < 4; ++i)
            pairs.emplace_back(arcs[a][ja][i], arcs[b][jb][3 - i]);
    }
    std::vector<int> nodeOf(NOV);
    for (int i = 0; i < NOV; ++i)
        nodeOf[i] = i / TORIO_VERTICES;
    pasteAll(r, pairs, &nodeOf);
    return nodeOf;
}

// The boundary loop whose centroid lies nearest to `point`, each vertex
// standing at the node of the frame it came from (`nodeOf`).
std::vector<int> loopNearest(Vec point, const Frame& frame, const std::vector<int>& nodeOf)
{
    std::vector<int> best;
    double bestDistance = 1e300;
    for (const std::vector<BoundaryStep>& loop : boundaryLoops()) {
        Vec c{0, 0, 0};
        for (const BoundaryStep& step : loop)
            c = c + frame.position[nodeOf[step.vertex]];
        c = (1.0 / loop.size()) * c;
        const Vec d = c - point;
        if (dot(d, d) < bestDistance) {
            bestDistance = dot(d, d);
            best.clear();
            for (const BoundaryStep& step : loop)
                best.push_back(step.vertex);
        }
    }
    return best;
}

// Glues the holes of every join to each other, vertex by vertex: the two
// loops run opposite ways where they meet, and of the ways to lay one on the
// other, the nearest one in which every glued vertex ends up in 6 or 7 faces.
void joinHoles(Recipe& r, const Frame& frame, const std::vector<int>& nodeOf)
{
    std::vector<std::pair<int, int>> pairs;
    std::vector<bool> used(NOV, false);
    for (const auto& join : frame.joins) {
        const std::vector<int> a = loopNearest(join.first, frame, nodeOf), b = loopNearest(join.second, frame, nodeOf);
        const int n = static_cast<int>(a.size());
        if (n != static_cast<int>(b.size()) || a == b) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: two holes to join do not match\n", r.name.c_str());
            return;
        }
        int bestShift = -1;
        double bestCost = 1e300;
        for (int shift = 0; shift < n; ++shift) {
            double cost = 0;
            bool fits = true;
            for (int i = 0; i < n; ++i) {
                const int x = a[i], y = b[((shift - i) % n + n) % n];
                const int faces = NOfaceOfVertex[x] + NOfaceOfVertex[y];
                fits = fits && (faces == 6 || faces == 7) && !used[x] && !used[y];
                const Vec d = at(x) - at(y);
                cost += dot(d, d);
            }
            if (fits && cost < bestCost) {
                bestCost = cost;
                bestShift = shift;
            }
        }
        if (bestShift < 0) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: two holes cannot be glued vertex to vertex\n", r.name.c_str());
            return;
        }
        for (int i = 0; i < n; ++i) {
            const int x = a[i], y = b[((bestShift - i) % n + n) % n];
            used[x] = used[y] = true;
            pairs.emplace_back(x, y);
        }
    }
    pasteAll(r, pairs);
}


// The corners of a regular dodecahedron with edges of length `edge`, its edges
// joining corners at that distance; every corner faces the centre.
Frame dodecahedron(double edge)
{
    const double g = (1 + std::sqrt(5.0)) / 2, h = 1 / g;
    std::vector<Vec> corners;
    for (int sx : {-1, 1})
        for (int sy : {-1, 1})
            for (int sz : {-1, 1})
                corners.push_back({double(sx), double(sy), double(sz)});
    for (int s1 : {-1, 1})
        for (int s2 : {-1, 1}) {
            corners.push_back({0, s1 * h, s2 * g});
            corners.push_back({s1 * h, s2 * g, 0});
            corners.push_back({s2 * g, 0, s1 * h});
        }
    Frame f;
    const double scale = edge / (2 * h);
    for (const Vec& c : corners) {
        f.position.push_back(scale * c);
        f.normal.push_back(-1.0 * c);
    }
    for (size_t a = 0; a < corners.size(); ++a)
        for (size_t b = a + 1; b < corners.size(); ++b) {
            const Vec d = corners[a] - corners[b];
            if (std::fabs(std::sqrt(dot(d, d)) - 2 * h) < 1e-9)
                f.edges.emplace_back(int(a), int(b));
        }
    return f;
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

// The one cell as sample/single.kor holds it, kept when make-recipes starts.
std::vector<Vec> g_singleCell;

// The frame of a face side p -> q: origin at its middle, first axis along it,
// second axis across it towards (`towards` true) or away from the centre of
// its cell, third axis the face's normal side.
void sideFrame(Vec p, Vec q, Vec centre, bool towards, Vec* origin, Vec axes[3])
{
    *origin = 0.5 * (p + q);
    axes[0] = unit(q - p);
    Vec across = centre - *origin;
    across = unit(across - dot(across, axes[0]) * axes[0]);
    axes[1] = towards ? across : -1.0 * across;
    axes[2] = cross(axes[0], axes[1]);
}

// Reads a new cell from sample/single.kor and glues it along the face side
// p -> q of the surface (its side 0 -> 1 laid on q -> p, so the faces stay
// consistently oriented), its body beyond the side, turned by `fold` radians
// about the side out of the surface.
void addCellAgainst(Recipe& r, int p, int q, double fold)
{
    int centre = -1;
    for (int f = 0; f < NOS && g_singleCell.size() == 8; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] == p && face[f][(k + 1) % 3] == q)
                centre = face[f][(k + 2) % 3];
    if (centre < 0) {
        r.failed = true;
        std::fprintf(stderr, "make-recipes: %s: no face runs %d -> %d\n", r.name.c_str(), p, q);
        return;
    }
    Vec from, to, own[3], target[3];
    sideFrame(g_singleCell[0], g_singleCell[1], g_singleCell[7], true, &from, own);
    sideFrame(at(q), at(p), at(centre), false, &to, target);
    // The cell's side runs q -> p, its body away from the old cell: with the
    // side reversed, "away" keeps the frame right-handed. Then the fold.
    Vec folded[3] = {target[0], std::cos(fold) * target[1] + std::sin(fold) * target[2],
                     -std::sin(fold) * target[1] + std::cos(fold) * target[2]};
    const Turn turn = frameTurn(own, folded);
    const Vec shift = to - turn.apply(from);
    const int first = NOV;
    appendPlaced(r, "sample/single.kor", turn, shift);
    pasteAll(r, {{q, first}, {p, first + 1}});
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

// Relaxes a frame of torios into its surface: places and glues the torios,
// lets each piece settle, glues the holes of every join, then relaxes and
// opens it (`rounds` spreading rounds) and lets it creep on for `steps`
// single steps, which a large surface needs to bring every edge within 1e-3
// of its length.
void buildFrame(Recipe& r, const Frame& frame, int rounds, int steps)
{
    const std::vector<int> nodeOf = placeTorios(r, frame);
    r.op("relax=stable", "each piece settles");
    joinHoles(r, frame, nodeOf);
    settle(r, rounds);
    if (steps > 0)
        r.op("steps=" + std::to_string(steps));
    r.op("center");
}

// A punched parallelepiped centred at `centre`: a torio at each corner
// (centre + edge * (+-a0 +-a1 +-a2) / 2), facing the centre, glued to its
// three neighbours along the edges; its six holes face +-a0, +-a1, +-a2.
void addPunchedParallelepiped(Frame& frame, Vec centre, const Vec axes[3], double edge)
{
    const int first = static_cast<int>(frame.position.size());
    for (int m = 0; m < 8; ++m) {
        Vec corner{0, 0, 0};
        for (int i = 0; i < 3; ++i)
            corner = corner + ((m & (1 << i)) ? 0.5 : -0.5) * axes[i];
        frame.position.push_back(centre + edge * corner);
        frame.normal.push_back(-1.0 * corner);
    }
    for (int m = 0; m < 8; ++m)
        for (int bit : {1, 2, 4})
            if (!(m & bit))
                frame.edges.emplace_back(first + m, first + (m | bit));
}

// A 2 x 2 x 2 block of the lattice spanned by three unit axes at `angle` to
// each other: a punched parallelepiped at each node, its edges `edge` long,
// the nodes `edge + gap` apart, and every two neighbours glued hole to hole.
Frame parallelepipedLattice(double angle, double edge, double gap)
{
    const double c = std::cos(angle), s = std::sin(angle), t = (c - c * c) / s;
    const Vec axes[3] = {{1, 0, 0}, {c, s, 0}, {c, t, std::sqrt(1 - c * c - t * t)}};
    Frame frame;
    for (int k = 0; k < 8; ++k) {
        Vec node{0, 0, 0};
        for (int i = 0; i < 3; ++i)
            if (k & (1 << i))
                node = node + (edge + gap) * axes[i];
        addPunchedParallelepiped(frame, node, axes, edge);
        for (int i = 0; i < 3; ++i)
            if (!(k & (1 << i)))
                frame.joins.emplace_back(node + (edge / 2) * axes[i], node + (edge / 2 + gap) * axes[i]);
    }
    return frame;
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

// The four bond directions of the diamond lattice from a node of its first
// kind (the nodes of the second kind bond the opposite ways).
const Vec kBonds[4] = {{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}};

// A punched truncated tetrahedron centred at `centre`, its edges `edge` long:
// a torio at each of its twelve corners, facing the centre, glued to its
// three neighbours; its four hexagonal holes face `side` times the bond
// directions and its four triangular holes the other way.
void addPunchedTruncatedTetrahedron(Frame& frame, Vec centre, double edge, int side)
{
    const int first = static_cast<int>(frame.position.size());
    const double scale = edge / std::sqrt(8.0);  // the corners below are 2 sqrt 2 apart
    std::vector<Vec> corners;
    for (const Vec& b : kBonds)
        for (int axis = 0; axis < 3; ++axis) {
            // the corners next to the triangle at -b: -b with one coordinate tripled
            Vec c = -1.0 * b;
            (axis == 0 ? c.x : axis == 1 ? c.y : c.z) *= 3;
            corners.push_back(c);
        }
    for (const Vec& c : corners) {
        frame.position.push_back(centre + (side * scale) * c);
        frame.normal.push_back(-side * c);
    }
    for (size_t a = 0; a < corners.size(); ++a)
        for (size_t b = a + 1; b < corners.size(); ++b) {
            const Vec d = corners[a] - corners[b];
            if (std::fabs(dot(d, d) - 8) < 1e-9)
                frame.edges.emplace_back(first + int(a), first + int(b));
        }
}

// A patch of the diamond lattice: a punched truncated tetrahedron at each of
// `nodes` (in lattice units: nodes of the first kind have even coordinates,
// those of the second kind odd ones), `bond` apart along a bond, and every
// two bonded nodes glued by their hexagonal holes.
Frame diamondPatch(const std::vector<Vec>& nodes, double edge, double bond)
{
    Frame frame;
    const double scale = bond / std::sqrt(3.0);
    auto firstKind = [](const Vec& p) { return std::fmod(std::fabs(p.x), 2.0) < 0.5; };
    for (const Vec& p : nodes)
        addPunchedTruncatedTetrahedron(frame, scale * p, edge, firstKind(p) ? 1 : -1);
    const double hexagon = edge / std::sqrt(8.0) * std::sqrt(3.0);  // from the centre to a hexagon
    for (const Vec& a : nodes)
        for (const Vec& b : nodes) {
            const Vec d = b - a;
            if (firstKind(a) && std::fabs(dot(d, d) - 3) < 1e-9)
                frame.joins.emplace_back(scale * a + hexagon * unit(d), scale * b - hexagon * unit(d));
        }
    return frame;
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
    const Builder builders[] = {torio,          autopasteDemo,   curlyPants,      fatPants,
                                slimPants,      middlePants,     newtralPants,    chimaki,
                                diamondLattice1, rhombicLattice, cubicLattice,    punchedDodecahedron,
                                diamondLattice2};
    bool ok = true;
    for (Builder build : builders) {
        resetStore();
        if (!openSurfaceFile(single, false)) {
            std::fprintf(stderr, "make-recipes: cannot read %s\n", single.c_str());
            return 1;
        }
        refreshDerivedData();  // what a repaint does first
        g_singleCell.clear();
        for (int i = 0; i < NOV; ++i)
            g_singleCell.push_back(at(i));
        const Recipe recipe = build();
        ok = writeRecipe(dir, recipe) && ok;
    }
    clearHistory();
    return ok ? 0 : 1;
}
