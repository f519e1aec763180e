#include "geometry/gap_relaxation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "geometry/face_boxes.h"
#include "geometry/face_clearance.h"
#include "geometry/precise_relaxation.h"
#include "geometry/self_intersection.h"
#include "model/adjacency.h"
#include "model/store.h"
#include "model/vec3.h"

namespace {

const double* at(int vertex)
{
    return &v[vertex].x;
}

// A push apart of `between` (from the points `others` weigh to those
// `corners` weigh, `distance` long) when it is shorter than `gap`: on the
// corners, and back on the others; adds the penalty to `energy`.
void push(double distance, Point3 between, double gap, double stiffness, const int* corners, const double* weights,
          int count, const int* others, const double* otherWeights, int otherCount, std::vector<Point3>& force,
          double& energy)
{
    if (!(distance < gap) || !(distance > 1e-12))
        return;
    energy += stiffness * (gap - distance) * (gap - distance);
    const double size = 2 * stiffness * (gap - distance);
    const Point3 dir = (1.0 / distance) * between;
    for (int k = 0; k < count; ++k)
        force[corners[k]] = force[corners[k]] + (size * weights[k]) * dir;
    for (int k = 0; k < otherCount; ++k)
        force[others[k]] = force[others[k]] - (size * otherWeights[k]) * dir;
}

struct Forces {
    double energy = 0;     // the energy descended
    double error = 0;      // largest relative edge error
    bool pressed = false;  // some distance below its gap
};

// A corner and a face it is not a corner of, or two sides with no end in
// common, near enough to be measured, and the gap they keep.
struct NearPointFace {
    int point, f;
    double gap;
};
struct NearSides {
    int a0, a1, b0, b1;
    double gap;
};

// The gaps kept: `gap` between any two faces, `rimGap` where one of them has
// a side on the boundary (rimFace) and they share no corner. Two faces that
// share no corner are measured from each corner of one to the other and
// between their sides; two that share one corner the same away from it (two
// faces of a fan folded onto each other); two that share a side not at all.
// Each corner-to-face and side-to-side distance is measured once, however
// many pairs of faces hold it, keeping the widest of their gaps. The lists
// hold those whose faces' boxes came within the gap plus SKIN where the
// vertices stood when they were made (builtAt); they are made again once a
// vertex has moved SKIN / 2 from there, so that none within its gap is ever
// missing.
struct Gaps {
    static constexpr double SKIN = 0.1;
    double gap = 0, rimGap = 0, stiffness = 0;
    std::vector<char> rimFace;
    std::vector<NearPointFace> pointFaces;
    std::vector<NearSides> sides;
    std::vector<Point3> builtAt;

    void update()
    {
        bool fresh = int(builtAt.size()) == NOV;
        for (int i = 0; i < NOV && fresh; ++i)
            fresh = length(v[i] - builtAt[i]) <= SKIN / 2;
        if (fresh)
            return;
        builtAt.assign(v, v + NOV);
        // Faces with a corner that is not a number are left out; the energy
        // is then not a number either, and no step is taken.
        std::vector<FaceBox> boxes(NOS);
        std::vector<int> placed;
        placed.reserve(NOS);
        double size = 0;
        for (int f = 0; f < NOS; ++f) {
            boxes[f] = faceBox(f);
            const double extent =
                std::max({boxes[f][3] - boxes[f][0], boxes[f][4] - boxes[f][1], boxes[f][5] - boxes[f][2]});
            if (std::isfinite(extent) && std::isfinite(boxes[f][0] + boxes[f][1] + boxes[f][2])) {
                placed.push_back(f);
                size += extent;
            }
        }
        pointFaces.clear();
        sides.clear();
        const double widest = std::max(gap, rimGap);
        forEachNearBoxPair(boxes, placed, placed.empty() ? 1.0 : size / placed.size(), widest + SKIN,
                           [&](int f, int g) {
                               int count = 0;
                               for (int i = 0; i < 3; ++i)
                                   for (int j = 0; j < 3; ++j)
                                       count += face[f][i] == face[g][j];
                               if (count > 1)
                                   return;
                               const double pairGap = count == 0 && (rimFace[f] || rimFace[g]) ? widest : gap;
                               if (boxesApart(boxes[f], boxes[g], pairGap + SKIN))
                                   return;
                               auto inFace = [](int point, int h) {
                                   return face[h][0] == point || face[h][1] == point || face[h][2] == point;
                               };
                               for (int k = 0; k < 3; ++k) {
                                   if (!inFace(face[f][k], g))
                                       pointFaces.push_back({face[f][k], g, pairGap});
                                   if (!inFace(face[g][k], f))
                                       pointFaces.push_back({face[g][k], f, pairGap});
                               }
                               for (int i = 0; i < 3; ++i)
                                   for (int j = 0; j < 3; ++j) {
                                       int a0 = face[f][i], a1 = face[f][(i + 1) % 3];
                                       int b0 = face[g][j], b1 = face[g][(j + 1) % 3];
                                       if (a0 == b0 || a0 == b1 || a1 == b0 || a1 == b1)
                                           continue;
                                       // each side by its ends in order, the two sides in order
                                       if (a0 > a1)
                                           std::swap(a0, a1);
                                       if (b0 > b1)
                                           std::swap(b0, b1);
                                       if (std::tie(a0, a1) > std::tie(b0, b1))
                                           std::swap(a0, b0), std::swap(a1, b1);
                                       sides.push_back({a0, a1, b0, b1, pairGap});
                                   }
                           });
        // Once each, with the widest gap, in a fixed order (so that the sums of
        // the pushes do not depend on the grid).
        std::sort(pointFaces.begin(), pointFaces.end(), [](const NearPointFace& a, const NearPointFace& b) {
            return std::tie(a.point, a.f, b.gap) < std::tie(b.point, b.f, a.gap);
        });
        pointFaces.erase(std::unique(pointFaces.begin(), pointFaces.end(),
                                     [](const NearPointFace& a, const NearPointFace& b) {
                                         return a.point == b.point && a.f == b.f;
                                     }),
                         pointFaces.end());
        std::sort(sides.begin(), sides.end(), [](const NearSides& a, const NearSides& b) {
            return std::tie(a.a0, a.a1, a.b0, a.b1, b.gap) < std::tie(b.a0, b.a1, b.b0, b.b1, a.gap);
        });
        sides.erase(std::unique(sides.begin(), sides.end(),
                                [](const NearSides& a, const NearSides& b) {
                                    return a.a0 == b.a0 && a.a1 == b.a1 && a.b0 == b.b0 && a.b1 == b.b1;
                                }),
                    sides.end());
    }
};

// Minus the gradient of the energy at the current positions, in `force`.
Forces computeForces(Gaps& gaps, std::vector<Point3>& force)
{
    const double stiffness = gaps.stiffness;
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
    gaps.update();
    // Whether the boxes of the points a[0..n) and b[0..m) are more than `reach` apart.
    auto apart = [](const int* a, int n, const int* b, int m, double reach) {
        for (int d = 0; d < 3; ++d) {
            double loA = (&v[a[0]].x)[d], hiA = loA, loB = (&v[b[0]].x)[d], hiB = loB;
            for (int k = 1; k < n; ++k)
                loA = std::min(loA, (&v[a[k]].x)[d]), hiA = std::max(hiA, (&v[a[k]].x)[d]);
            for (int k = 1; k < m; ++k)
                loB = std::min(loB, (&v[b[k]].x)[d]), hiB = std::max(hiB, (&v[b[k]].x)[d]);
            if (loA - hiB > reach || loB - hiA > reach)
                return true;
        }
        return false;
    };
    for (const NearPointFace& p : gaps.pointFaces) {
        const int* corners = face[p.f];
        if (apart(&p.point, 1, corners, 3, p.gap))
            continue;
        double closest[3], weights[3];
        closestPointAndWeightsOnTriangle(at(p.point), at(corners[0]), at(corners[1]), at(corners[2]), closest,
                                         weights);
        const Point3 between = v[p.point] - pointAt(closest);
        const double distance = length(between), one = 1;
        out.pressed = out.pressed || distance < p.gap;
        push(distance, between, p.gap, stiffness, &p.point, &one, 1, corners, weights, 3, force, out.energy);
    }
    for (const NearSides& q : gaps.sides) {
        const int a[2] = {q.a0, q.a1}, b[2] = {q.b0, q.b1};
        if (apart(a, 2, b, 2, q.gap))
            continue;
        double s, t;
        closestPointsOfSegments(at(q.a0), at(q.a1), at(q.b0), at(q.b1), &s, &t);
        const Point3 between = (v[q.a0] + s * (v[q.a1] - v[q.a0])) - (v[q.b0] + t * (v[q.b1] - v[q.b0]));
        const double distance = length(between);
        const double wa[2] = {1 - s, s}, wb[2] = {1 - t, t};
        out.pressed = out.pressed || distance < q.gap;
        push(distance, between, q.gap, stiffness, a, wa, 2, b, wb, 2, force, out.energy);
    }
    return out;
}

using Pairs = std::vector<std::pair<int, int>>;

// Steps over which a run must lower its error by a tenth to keep the wider gap.
constexpr int STALL_STEPS = 2000;

// Whether `now` holds a pair that `start` does not; with `foldsAllowed`, only
// a pair of faces sharing no corner counts.
bool crossesAnew(const Pairs& start, const Pairs& now, bool foldsAllowed)
{
    for (const auto& p : now)
        if (!std::binary_search(start.begin(), start.end(), p) && !(foldsAllowed && facesShareCorner(p.first, p.second)))
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
    Gaps gaps;
    double largestStep, stopError;
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
    int steps = 0;
    double errorBefore = 0;  // the error STALL_STEPS steps ago
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
            trial = computeForces(gaps, trialForce);
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
        state = computeForces(gaps, force);
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
            return;
        }
        std::copy(v, v + NOV, clean.begin());
        if (!crossesAnew(start, now, false))
            std::copy(v, v + NOV, tidy.begin());
        cap = std::min(largestStep, cap * 1.5);
    }

    // The wider gap along the boundary asks for room the surface may not
    // have: when the last STALL_STEPS steps have not lowered the error by a
    // tenth, it is given up for the one gap everywhere.
    void narrowWhenStalled()
    {
        if (gaps.rimGap > gaps.gap && state.error > 0.9 * errorBefore) {
            gaps.rimGap = gaps.gap;
            gaps.builtAt.clear();
            state = computeForces(gaps, force);
            forget();
        }
        errorBefore = state.error;
    }

    // Whether the run is over; a surface changed since the last step (another
    // size, or positions not where the run left them, bit for bit so that a
    // coordinate that is not a number counts as unchanged) ends it as Stale
    // first, touching nothing: none of its positions are ours to put back.
    bool overOrStale()
    {
        if (!over && (NOV != vertices || NOE != edges || NOS != faces ||
                      std::memcmp(left.data(), v, sizeof(Point3) * static_cast<std::size_t>(NOV)) != 0)) {
            over = true;
            ended = GapState::Stale;
        }
        return over;
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

GapRelaxation::GapRelaxation(double gap, double rimGap, double stiffness, double largestStep, double stopError)
    : run_(std::make_unique<Run>())
{
    Run& r = *run_;
    r.gaps.gap = gap;
    r.gaps.rimGap = rimGap;
    r.gaps.stiffness = stiffness;
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
    r.gaps.rimFace.assign(NOS, 0);
    for (const BoundarySide& side : boundarySides())
        r.gaps.rimFace[side.face] = 1;
    r.state = computeForces(r.gaps, r.force);
    r.errorBefore = r.state.error;
    r.left = r.clean;
}

GapRelaxation::~GapRelaxation() = default;

GapState GapRelaxation::run(int maxSteps, double seconds)
{
    Run& r = *run_;
    if (r.overOrStale())
        return r.ended;
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
        if (r.steps % STALL_STEPS == 0)
            r.narrowWhenStalled();
        if (seconds >= 0 && std::chrono::duration<double>(Clock::now() - begin).count() >= seconds)
            break;
    }
    std::copy(v, v + NOV, r.left.begin());
    return r.over ? r.ended : GapState::Running;
}

GapState GapRelaxation::stop()
{
    Run& r = *run_;
    if (!r.overOrStale())
        r.finish(GapState::Stuck);
    return r.ended;
}

int GapRelaxation::steps() const
{
    return run_->steps;
}

GapState openRing()
{
    GapRelaxation opening(OPENING_GAP, OPENING_RIM_GAP, OPENING_STIFFNESS, OPENING_LARGEST_STEP, OPENING_UNTIL);
    const GapState state = opening.run(OPENING_MAX_STEPS);
    return state == GapState::Running ? opening.stop() : state;
}

void startOpeningRing()
{
    delete g_opening_ring;
    g_opening_ring = new GapRelaxation(OPENING_GAP, OPENING_RIM_GAP, OPENING_STIFFNESS, OPENING_LARGEST_STEP, OPENING_UNTIL);
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

void endOpeningRing()
{
    if (!g_opening_ring)
        return;
    g_opening_ring->stop();
    delete g_opening_ring;
    g_opening_ring = nullptr;
}
