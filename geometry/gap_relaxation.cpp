#include "geometry/gap_relaxation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "geometry/face_boxes.h"
#include "geometry/face_clearance.h"
#include "geometry/precise_relaxation.h"
#include "geometry/self_intersection.h"
#include "model/store.h"
#include "model/vec3.h"

namespace {

bool shareCorner(int f, int g)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (face[f][i] == face[g][j])
                return true;
    return false;
}

const double* at(int vertex)
{
    return &v[vertex].x;
}

// The pushes between faces f and g where they come within `gap`, added to
// `force`; returns the smallest distance measured. Faces that share the corner
// `shared` (-1 for none) are measured away from it: from a corner of one that
// is not shared to the other, and between sides that do not both end there.
double pushApart(int f, int g, int shared, double gap, double stiffness, std::vector<Point3>& force,
                 double& energy)
{
    double nearest = gap;
    // A push along `between` (from the points `others` weigh to those `corners` weigh) on the
    // corners, and back on the others, when `distance` is below the gap.
    auto push = [&](double distance, Point3 between, const int* corners, const double* weights, int count,
                    const int* others, const double* otherWeights, int otherCount) {
        nearest = std::min(nearest, distance);
        if (!(distance < gap) || !(distance > 1e-12))
            return;
        energy += stiffness * (gap - distance) * (gap - distance);
        const double size = 2 * stiffness * (gap - distance);
        const Point3 dir = (1.0 / distance) * between;
        for (int k = 0; k < count; ++k)
            force[corners[k]] = force[corners[k]] + (size * weights[k]) * dir;
        for (int k = 0; k < otherCount; ++k)
            force[others[k]] = force[others[k]] - (size * otherWeights[k]) * dir;
    };
    for (int pass = 0; pass < 2; ++pass) {
        const int p = pass == 0 ? f : g, q = pass == 0 ? g : f;
        for (int k = 0; k < 3; ++k) {
            const int corner = face[p][k];
            if (corner == shared)
                continue;
            double closest[3], weights[3];
            closestPointAndWeightsOnTriangle(at(corner), at(face[q][0]), at(face[q][1]), at(face[q][2]), closest,
                                             weights);
            const Point3 between = pointAt(at(corner)) - pointAt(closest);
            const double one = 1;
            push(length(between), between, &corner, &one, 1, face[q], weights, 3);
        }
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int a[2] = {face[f][i], face[f][(i + 1) % 3]};
            const int b[2] = {face[g][j], face[g][(j + 1) % 3]};
            if ((a[0] == shared || a[1] == shared) && (b[0] == shared || b[1] == shared))
                continue;
            double s, t;
            closestPointsOfSegments(at(a[0]), at(a[1]), at(b[0]), at(b[1]), &s, &t);
            const Point3 pa = pointAt(at(a[0])) + s * (pointAt(at(a[1])) - pointAt(at(a[0])));
            const Point3 pb = pointAt(at(b[0])) + t * (pointAt(at(b[1])) - pointAt(at(b[0])));
            const Point3 between = pa - pb;
            const double wa[2] = {1 - s, s}, wb[2] = {1 - t, t};
            push(length(between), between, a, wa, 2, b, wb, 2);
        }
    return nearest;
}

struct Forces {
    double energy = 0;     // the energy descended
    double error = 0;      // largest relative edge error
    double clearance = 0;  // smallest distance measured between faces (the gap when none is nearer)
    bool pressed = false;  // some distance below the gap
};

// Minus the gradient of the energy at the current positions, in `force`.
Forces computeForces(double gap, double stiffness, std::vector<Point3>& force)
{
    Forces out;
    std::fill(force.begin(), force.end(), Point3{0, 0, 0});
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        const Point3 d = v[a] - v[b];
        const double L = length(d);
        const double r = (L - phi[e]) / phi[e];
        out.error = std::max(out.error, std::fabs(r));
        out.energy += r * r;
        if (!(L > 0))
            continue;
        const Point3 g = (2 * r / (phi[e] * L)) * d;
        force[a] = force[a] - g;
        force[b] = force[b] + g;
    }
    // Faces with a corner that is not a number are left out; the energy is then
    // not a number either, and no step is taken.
    std::vector<FaceBox> boxes(NOS);
    std::vector<int> placed;
    placed.reserve(NOS);
    double size = 0;
    for (int f = 0; f < NOS; ++f) {
        boxes[f] = faceBox(f);
        const double extent = std::max({boxes[f][3] - boxes[f][0], boxes[f][4] - boxes[f][1], boxes[f][5] - boxes[f][2]});
        if (std::isfinite(extent) && std::isfinite(boxes[f][0] + boxes[f][1] + boxes[f][2])) {
            placed.push_back(f);
            size += extent;
        }
    }
    out.clearance = gap;
    forEachNearBoxPair(boxes, placed, placed.empty() ? 1.0 : size / placed.size(), gap, [&](int f, int g) {
        int shared = -1, count = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (face[f][i] == face[g][j])
                    shared = face[f][i], ++count;
        if (count <= 1)
            out.clearance = std::min(out.clearance, pushApart(f, g, shared, gap, stiffness, force, out.energy));
    });
    out.pressed = out.clearance < gap;
    return out;
}

using Pairs = std::vector<std::pair<int, int>>;

// Whether `now` holds a pair that `start` does not; with `foldsAllowed`, only
// a pair of faces sharing no corner counts.
bool crossesAnew(const Pairs& start, const Pairs& now, bool foldsAllowed)
{
    for (const auto& p : now)
        if (!std::binary_search(start.begin(), start.end(), p) && !(foldsAllowed && shareCorner(p.first, p.second)))
            return true;
    return false;
}

double dotAll(const std::vector<Point3>& a, const std::vector<Point3>& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += dot(a[i], b[i]);
    return sum;
}

}  // namespace

struct GapRelaxation::Run {
    double gap, stiffness, largestStep, stopError;
    int vertices, edges, faces;
    Pairs start;
    std::vector<Point3> force, trialForce, direction, from;
    std::vector<Point3> clean;     // the last positions tested free of a new crossing of faces sharing no corner
    std::vector<Point3> tidy;      // the last positions tested free of any new crossing
    std::vector<Point3> left;      // the positions the last call left
    std::vector<std::vector<Point3>> S, Y;  // the last steps and changes of the gradient
    std::vector<double> rho;
    double cap;
    Forces state;
    int steps = 0, rollbacks = 0;
    bool over = false;
    GapState ended = GapState::Running;

    void forget()
    {
        S.clear();
        Y.clear();
        rho.clear();
    }

    bool done() const { return state.error < stopError && !state.pressed; }

    // The quasi-Newton direction: the force times the inverse curvature the
    // last steps suggest (two-loop recursion).
    void findDirection()
    {
        const int n = int(force.size());
        direction = force;
        const int m = int(S.size());
        std::vector<double> alpha(m);
        for (int k = m - 1; k >= 0; --k) {
            alpha[k] = rho[k] * dotAll(S[k], direction);
            for (int i = 0; i < n; ++i)
                direction[i] = direction[i] - alpha[k] * Y[k][i];
        }
        // With no history the first step is a short one along the force.
        const double scale = m > 0 ? dotAll(S[m - 1], Y[m - 1]) / dotAll(Y[m - 1], Y[m - 1]) : 1e-3;
        for (int i = 0; i < n; ++i)
            direction[i] = scale * direction[i];
        for (int k = 0; k < m; ++k) {
            const double beta = rho[k] * dotAll(Y[k], direction);
            for (int i = 0; i < n; ++i)
                direction[i] = direction[i] + (alpha[k] - beta) * S[k][i];
        }
    }

    // One step; false when none lowers the energy.
    bool step()
    {
        const int n = int(force.size());
        findDirection();
        double slope = dotAll(direction, force);
        if (!(slope > 0)) {
            forget();
            direction = force;
            slope = dotAll(direction, force);
        }
        double longest = 0;
        for (int i = 0; i < n; ++i)
            longest = std::max(longest, length(direction[i]));
        double t = longest > cap ? cap / longest : 1.0;
        std::copy(v, v + n, from.begin());
        Forces trial;
        for (int tries = 0; tries < 30; ++tries, t *= 0.5) {
            for (int i = 0; i < n; ++i)
                v[i] = from[i] + t * direction[i];
            trial = computeForces(gap, stiffness, trialForce);
            if (trial.energy <= state.energy - 1e-4 * t * slope) {
                std::vector<Point3> s(n), y(n);
                for (int i = 0; i < n; ++i) {
                    s[i] = t * direction[i];
                    y[i] = force[i] - trialForce[i];
                }
                const double sy = dotAll(s, y);
                if (sy > 1e-16) {
                    if (S.size() == 8) {
                        S.erase(S.begin());
                        Y.erase(Y.begin());
                        rho.erase(rho.begin());
                    }
                    S.push_back(std::move(s));
                    Y.push_back(std::move(y));
                    rho.push_back(1 / sy);
                }
                force.swap(trialForce);
                state = trial;
                return true;
            }
        }
        std::copy(from.begin(), from.end(), v);
        if (S.empty())
            return false;
        forget();  // the history misled the step: try again along the force
        return true;
    }

    void restore(const std::vector<Point3>& positions)
    {
        std::copy(positions.begin(), positions.end(), v);
        state = computeForces(gap, stiffness, force);
        forget();
    }

    // The crossing test every few steps: back to the last clean state when
    // faces sharing no corner cross anew.
    void test()
    {
        const Pairs now = selfIntersections();
        if (crossesAnew(start, now, true)) {
            restore(clean);
            cap *= 0.5;
            ++rollbacks;
            return;
        }
        std::copy(v, v + NOV, clean.begin());
        if (!crossesAnew(start, now, false))
            std::copy(v, v + NOV, tidy.begin());
        cap = std::min(largestStep, cap * 1.5);
    }

    // The end of a run: it never leaves a crossing that was not there at the start.
    void finish(GapState how)
    {
        if (crossesAnew(start, selfIntersections(), false))
            restore(tidy);
        over = true;
        ended = how;
    }
};

GapRelaxation::GapRelaxation(double gap, double stiffness, double largestStep, double stopError)
    : run_(std::make_unique<Run>())
{
    Run& r = *run_;
    r.gap = gap;
    r.stiffness = stiffness;
    r.largestStep = largestStep;
    r.stopError = stopError;
    r.cap = largestStep;
    r.vertices = NOV;
    r.edges = NOE;
    r.faces = NOS;
    r.start = selfIntersections();
    r.force.resize(NOV);
    r.trialForce.resize(NOV);
    r.direction.resize(NOV);
    r.from.resize(NOV);
    r.clean.assign(v, v + NOV);
    r.tidy = r.clean;
    r.state = computeForces(gap, stiffness, r.force);
    r.left = r.clean;
}

GapRelaxation::~GapRelaxation() = default;

GapState GapRelaxation::run(int maxSteps, double seconds)
{
    Run& r = *run_;
    if (r.over)
        return r.ended;
    // bit for bit, so that a coordinate that is not a number counts as unchanged
    if (NOV != r.vertices || NOE != r.edges || NOS != r.faces ||
        std::memcmp(r.left.data(), v, sizeof(Point3) * static_cast<std::size_t>(NOV)) != 0) {
        r.over = true;
        return r.ended = GapState::Stale;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    for (int k = 0; k < maxSteps; ++k) {
        if (r.done()) {
            r.finish(GapState::Done);
            break;
        }
        if (!r.step()) {
            r.finish(GapState::Stuck);
            break;
        }
        if (++r.steps % 10 == 0)
            r.test();
        if (seconds >= 0 && std::chrono::duration<double>(Clock::now() - begin).count() >= seconds)
            break;
    }
    std::copy(v, v + NOV, r.left.begin());
    return r.over ? r.ended : GapState::Running;
}

GapState GapRelaxation::stop()
{
    Run& r = *run_;
    if (!r.over)
        r.finish(GapState::Stuck);
    return r.ended;
}

int GapRelaxation::steps() const
{
    return run_->steps;
}

int GapRelaxation::rollbacks() const
{
    return run_->rollbacks;
}

double GapRelaxation::error() const
{
    return run_->state.error;
}

GapState openRing()
{
    GapRelaxation opening(OPENING_GAP, OPENING_STIFFNESS, OPENING_LARGEST_STEP, OPENING_UNTIL);
    const GapState state = opening.run(OPENING_MAX_STEPS);
    return state == GapState::Running ? opening.stop() : state;
}

void startOpeningRing()
{
    delete g_opening_ring;
    g_opening_ring = new GapRelaxation(OPENING_GAP, OPENING_STIFFNESS, OPENING_LARGEST_STEP, OPENING_UNTIL);
}

GapState openRingTick()
{
    if (!g_opening_ring)
        return GapState::Stale;
    GapState state = g_opening_ring->run(OPENING_MAX_STEPS - g_opening_ring->steps(), PRECISE_TICK_BUDGET_SECONDS);
    if (state == GapState::Running && g_opening_ring->steps() >= OPENING_MAX_STEPS)
        state = g_opening_ring->stop();
    if (state != GapState::Running) {
        delete g_opening_ring;
        g_opening_ring = nullptr;
    }
    return state;
}
