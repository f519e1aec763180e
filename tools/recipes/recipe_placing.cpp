#include "tools/recipes/recipe_placing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/face_normal.h"
#include "model/store.h"
#include "model/topology.h"

namespace recipes {
std::vector<Vec> singleCell;

Turn frameTurn(const Vec a[3], const Vec b[3])
{
    Turn t;
    const Vec axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int k = 0; k < 3; ++k)
        t.c[k] = dot(a[0], axes[k]) * b[0] + dot(a[1], axes[k]) * b[1] + dot(a[2], axes[k]) * b[2];
    return t;
}

void frameOf(Vec normal, Vec across, Vec out[3])
{
    out[2] = unit(normal);
    out[0] = unit(across - dot(across, out[2]) * out[2]);
    out[1] = cross(out[2], out[0]);
}

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

TorioShape torioShape(int base)
{
    TorioShape s{};
    Vec normal{0, 0, 0};
    for (int f = 0; f < NOS; ++f)
        if (isFaceIncludeVertex(f, base))
            normal = normal + faceNormal(f);
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        if (loop[0].from / TORIO_VERTICES != base / TORIO_VERTICES)
            continue;
        const int first = firstRunStart(loop);
        for (int j = 0; j < 3; ++j)
            s.joint[j] = at(loop[(first + 5 * j) % loop.size()].from) - at(base);
    }
    frameOf(normal, s.joint[0], s.frame);
    return s;
}

bool torioArcs(Recipe& r, int torios, std::vector<std::vector<std::vector<int>>>* arcs)
{
    arcs->assign(torios, std::vector<std::vector<int>>(3));
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        const int t = loop[0].from / TORIO_VERTICES;
        const int first = firstRunStart(loop);
        const int n = static_cast<int>(loop.size());
        if (t >= torios || first < 0 || n != 15) {
            r.failed = true;
            std::fprintf(stderr, "make-recipes: %s: a torio's boundary is not three runs of five edges\n", r.name.c_str());
            return false;
        }
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 4; ++i)
                (*arcs)[t][j].push_back(loop[(first + 5 * j - 1 + i + n) % n].from);
    }
    return true;
}

void glueArcs(const std::vector<int>& mine, const std::vector<int>& theirs, std::vector<std::pair<int, int>>* pairs)
{
    for (int i = 0; i < 4; ++i)
        pairs->emplace_back(mine[i], theirs[3 - i]);
}

double smallestJointAngle()
{
    const TorioShape s = torioShape(0);
    double smallest = M_PI;
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            smallest = std::min(smallest, std::acos(std::max(-1.0, std::min(1.0, dot(unit(s.joint[i]), unit(s.joint[j]))))));
    return smallest;
}

void pullVertex(Recipe& r, int vertex, bool up)
{
    if (up)
        r.op("rotate=0,3.1415926535897931", "upside down");
    r.op("pull=" + std::to_string(vertex));
    r.op("relax=stable");
    if (up)
        r.op("rotate=0,-3.1415926535897931");
}

void sideFrame(Vec p, Vec q, Vec centre, bool towards, Vec* origin, Vec axes[3])
{
    *origin = 0.5 * (p + q);
    axes[0] = unit(q - p);
    Vec across = centre - *origin;
    across = unit(across - dot(across, axes[0]) * axes[0]);
    axes[1] = towards ? across : -1.0 * across;
    axes[2] = cross(axes[0], axes[1]);
}

void addCellAgainst(Recipe& r, int p, int q, double fold)
{
    int centre = -1;
    for (int f = 0; f < NOS && singleCell.size() == 8; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] == p && face[f][(k + 1) % 3] == q)
                centre = face[f][(k + 2) % 3];
    if (centre < 0) {
        r.failed = true;
        std::fprintf(stderr, "make-recipes: %s: no face runs %d -> %d\n", r.name.c_str(), p, q);
        return;
    }
    Vec from, to, own[3], target[3];
    sideFrame(singleCell[0], singleCell[1], singleCell[7], true, &from, own);
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
                pullVertex(trial, vertex, up);
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
        pullVertex(r, bestVertex, bestUp);
    }
}
}  // namespace recipes
