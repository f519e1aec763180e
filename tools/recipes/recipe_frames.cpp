#include "tools/recipes/recipe_frames.h"

#include <cmath>
#include <algorithm>
#include <cstdio>

#include "model/store.h"

namespace recipes {
namespace {
// The boundary loop that lies nearest to `point`: the loop's place is the
// centroid of the nodes its vertices came from (`nodeOf`), each node counted
// once, so that a hole among three or four nodes lies at the middle of them
// however its glued vertices were numbered.
std::vector<int> loopNearest(Vec point, const Frame& frame, const std::vector<int>& nodeOf)
{
    std::vector<int> best;
    double bestDistance = 1e300;
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        std::vector<int> nodes;
        for (const BoundarySide& step : loop)
            nodes.push_back(nodeOf[step.from]);
        std::sort(nodes.begin(), nodes.end());
        nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
        Vec c{0, 0, 0};
        for (int node : nodes)
            c = c + frame.position[node];
        c = (1.0 / nodes.size()) * c;
        const Vec d = c - point;
        if (dot(d, d) < bestDistance) {
            bestDistance = dot(d, d);
            best.clear();
            for (const BoundarySide& step : loop)
                best.push_back(step.from);
        }
    }
    return best;
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

// A punched hexagonal prism centred at `centre`, its edges `edge` long, its
// axis along z and a square side facing each of the directions 0, 60, ...,
// 300 degrees about it: a torio at each of its twelve corners, facing the
// centre, glued to its three neighbours; a hole at each of its eight faces.
void addPunchedHexagonalPrism(Frame& frame, Vec centre, double edge)
{
    const int first = static_cast<int>(frame.position.size());
    for (int level = 0; level < 2; ++level)
        for (int k = 0; k < 6; ++k) {
            const double a = (60 * k + 30) * M_PI / 180;
            const Vec corner{edge * std::cos(a), edge * std::sin(a), (level - 0.5) * edge};
            frame.position.push_back(centre + corner);
            frame.normal.push_back(-1.0 * corner);
        }
    for (int level = 0; level < 2; ++level)
        for (int k = 0; k < 6; ++k)
            frame.edges.emplace_back(first + 6 * level + k, first + 6 * level + (k + 1) % 6);
    for (int k = 0; k < 6; ++k)
        frame.edges.emplace_back(first + k, first + 6 + k);
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

// The corners of a polyhedron centred at the origin whose edges, `side` long,
// join the corners that far apart, scaled to edges of length `edge`; every
// corner faces the centre.
Frame polyhedron(const std::vector<Vec>& corners, double side, double edge)
{
    Frame f;
    const double scale = edge / side;
    for (const Vec& c : corners) {
        f.position.push_back(scale * c);
        f.normal.push_back(-1.0 * c);
    }
    for (size_t a = 0; a < corners.size(); ++a)
        for (size_t b = a + 1; b < corners.size(); ++b) {
            const Vec d = corners[a] - corners[b];
            if (std::fabs(std::sqrt(dot(d, d)) - side) < 1e-9)
                f.edges.emplace_back(int(a), int(b));
        }
    return f;
}
}  // namespace

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
    std::vector<std::vector<std::vector<int>>> arcs;
    if (!torioArcs(r, nodes, &arcs))
        return {};
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
        glueArcs(arcs[a][ja], arcs[b][jb], &pairs);
    }
    std::vector<int> nodeOf(NOV);
    for (int i = 0; i < NOV; ++i)
        nodeOf[i] = i / TORIO_VERTICES;
    pasteAll(r, pairs, &nodeOf);
    return nodeOf;
}

void joinHoles(Recipe& r, const Frame& frame, const std::vector<int>& nodeOf)
{
    std::vector<std::pair<int, int>> pairs;
    std::vector<bool> used(NOV, false);
    for (const auto& join : frame.joins) {
        const std::vector<int> a = loopNearest(join.first, frame, nodeOf), b = loopNearest(join.second, frame, nodeOf);
        const int n = static_cast<int>(a.size());
        if (n != static_cast<int>(b.size()) || a == b) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: two holes to join do not match (%zu and %zu sides)\n", r.name.c_str(), a.size(), b.size());
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

void buildFrame(Recipe& r, const Frame& frame, int rounds, int steps, bool solve)
{
    const std::vector<int> nodeOf = placeTorios(r, frame);
    r.op("relax=stable", "each piece settles");
    joinHoles(r, frame, nodeOf);
    settle(r, rounds);
    if (steps > 0)
        r.op("steps=" + std::to_string(steps));
    if (solve) {
        r.op("smooth=3", "the sharpest folds rounded off");
        r.op("relax=solve", "every edge to its length");
    }
    r.op("center");
}

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
    return polyhedron(corners, 2 * h, edge);
}

Frame tetrahedron(double edge)
{
    return polyhedron({{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}, std::sqrt(8.0), edge);
}

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

Frame rhombicPrismLattice(double edge, double gap, double rise)
{
    Frame frame;
    const double apothem = edge * std::sqrt(3.0) / 2;  // from a prism's axis to its square sides
    // The directions across: the two axes and the short diagonal between them.
    const Vec across[3] = {{1, 0, 0}, {0.5, std::sqrt(3.0) / 2, 0}, {-0.5, std::sqrt(3.0) / 2, 0}};
    const Vec up{0, 0, 1};
    const Vec axes[3] = {(2 * apothem + gap) * across[0], (2 * apothem + gap) * across[1], (edge + rise) * up};
    std::vector<Vec> nodes;
    for (int k = 0; k < 8; ++k) {
        Vec node{0, 0, 0};
        for (int i = 0; i < 3; ++i)
            if (k & (1 << i))
                node = node + axes[i];
        nodes.push_back(node);
        addPunchedHexagonalPrism(frame, node, edge);
    }
    for (int k = 0; k < 8; ++k) {
        if (!(k & 1))
            frame.joins.emplace_back(nodes[k] + apothem * across[0], nodes[k | 1] - apothem * across[0]);
        if (!(k & 2))
            frame.joins.emplace_back(nodes[k] + apothem * across[1], nodes[k | 2] - apothem * across[1]);
        if ((k & 3) == 1)  // from the node at (1, 0) to the one at (0, 1)
            frame.joins.emplace_back(nodes[k] + apothem * across[2], nodes[k ^ 3] - apothem * across[2]);
        if (!(k & 4))
            frame.joins.emplace_back(nodes[k] + (edge / 2) * up, nodes[k | 4] - (edge / 2) * up);
    }
    return frame;
}
}  // namespace recipes
