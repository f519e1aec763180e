#include "tools/recipes/recipe_shaping.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "geometry/face_clearance.h"
#include "geometry/hole_area.h"
#include "geometry/precise_relaxation.h"
#include "geometry/self_intersection.h"
#include "model/boundary_loops.h"
#include "model/store.h"

namespace recipes {
namespace {
std::string number(double x)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

// Runs `pull` (a pull of `vertex`, as `pullOp` runs it) with the surface
// turned so that `direction` points down (-z): rotate=A,B turns about y by A,
// then about x by B; the way back is about x by -B, then about y by -A.
template <typename Pull>
void turnedDown(Recipe& r, Vec direction, Pull pull)
{
    const Vec u = unit(direction);
    if (u.z < -1 + 1e-15) {
        pull();
        return;
    }
    // About y by a brings u into the y-z plane with z = rho >= 0, about x by b
    // takes (y, z) = (u.y, rho) to (0, -1).
    const double rho = std::sqrt(u.x * u.x + u.z * u.z);
    const double a = std::atan2(u.x, u.z), b = std::atan2(u.y, -rho);
    r.op("rotate=" + number(a) + "," + number(b));
    pull();
    r.op("rotate=0," + number(-b));
    r.op("rotate=" + number(-a) + ",0");
}

const Vec kAxes[6] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
}  // namespace

void pullAlong(Recipe& r, int vertex, Vec direction)
{
    turnedDown(r, direction, [&] { r.op("pull=" + std::to_string(vertex)); });
}

double holeBalance(double clearance)
{
    if (!selfIntersections().empty())
        return -2;
    const double gap = smallestFaceClearance();
    if (gap < clearance)
        return -1 + gap;
    const std::vector<double> areas = holeAreas();
    if (areas.size() < 2)
        return 1;
    const auto [lo, hi] = std::minmax_element(areas.begin(), areas.end());
    return *hi > 0 ? *lo / *hi : 0;
}

void spreadEvenly(Recipe& r, double clearance, double enough, int passes)
{
    r.op("relax=stable");
    for (int round = 0; round < 100 && !r.failed; ++round) {
        const double now = holeBalance(clearance);
        if (now >= enough)
            return;
        const std::vector<Point3> kept(v, v + NOV);
        Recipe trial;
        trial.name = r.name;
        trial.op("spread=" + std::to_string(passes));
        trial.op("relax=stable");
        const double balance = trial.failed ? -3 : holeBalance(clearance);
        std::copy(kept.begin(), kept.end(), v);
        if (!(balance > now + 0.002))
            return;
        r.op("spread=" + std::to_string(passes));
        r.op("relax=stable");
    }
}

void evenHoles(Recipe& r, double clearance, double enough)
{
    r.op("relax=stable");
    for (int round = 0; round < 100 && !r.failed; ++round) {
        const double now = holeBalance(clearance);
        if (now >= enough)
            return;
        const std::vector<Point3> kept(v, v + NOV);
        double best = now + 0.002;
        int bestVertex = -1, bestAxis = -1;
        for (int vertex = 0; vertex < NOV; ++vertex)
            for (int axis = 0; axis < 6; ++axis) {
                Recipe trial;
                trial.name = r.name;
                pullAlong(trial, vertex, kAxes[axis]);
                trial.op("relax=stable");
                const double balance = trial.failed ? -3 : holeBalance(clearance);
                if (balance > best) {
                    best = balance;
                    bestVertex = vertex;
                    bestAxis = axis;
                }
                std::copy(kept.begin(), kept.end(), v);
            }
        if (bestVertex < 0)
            return;
        pullAlong(r, bestVertex, kAxes[bestAxis]);
        r.op("relax=stable");
    }
}

std::vector<Vec> proppedOpen(double length)
{
    const std::vector<Point3> kept(v, v + NOV);
    const int edges = NOE;
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        std::vector<int> joints;
        const size_t n = loop.size();
        for (size_t k = 0; k < n; ++k)
            if (loop[k].opposite != loop[(k + n - 1) % n].opposite)
                joints.push_back(loop[k].from);
        if (joints.size() != 2 || NOE >= MAX_EDGES)
            continue;
        edge[NOE][0] = joints[0];
        edge[NOE][1] = joints[1];
        phi[NOE] = length;
        ++NOE;
    }
    double error = 0;
    relaxPrecisely(PRECISE_TOLERANCE, 500, &error);
    NOE = edges;
    relaxPrecisely(PRECISE_TOLERANCE, 500, &error);
    std::vector<Vec> target(v, v + NOV);
    std::copy(kept.begin(), kept.end(), v);
    return target;
}

void moveTo(Recipe& r, const std::vector<Vec>& target, bool relax)
{
    if (!r.bare && !r.failed) {
        r.run("modify-off", "move without relaxing");
        r.bare = true;
    }
    const double step = 0.3;  // how far a pull moves its vertex
    for (int i = 0; i < NOV && i < static_cast<int>(target.size()) && !r.failed; ++i) {
        const Vec d = target[i] - v[i];
        double left = length(d);
        if (left < 1e-6)
            continue;
        const Vec along = unit(d);
        auto pull = [&] { r.run("pull=" + std::to_string(i), ""); };
        while (left > 2 * step) {
            turnedDown(r, along, pull);
            left -= step;
        }
        // The rest in two pulls at an angle to the way, across it in turn.
        Vec across = cross(along, std::fabs(along.x) < 0.9 ? Vec{1, 0, 0} : Vec{0, 1, 0});
        across = unit(across);
        const double c = left / (2 * step), s = std::sqrt(std::max(0.0, 1 - c * c));
        turnedDown(r, c * along + s * across, pull);
        turnedDown(r, c * along - s * across, pull);
    }
    if (relax)
        r.op("relax=stable");
}
}  // namespace recipes
