#include "geometry/precise_relaxation.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <Eigen/SparseCore>

#include "geometry/block_cholesky.h"
#include "geometry/gap_relaxation.h"
#include "geometry/self_intersection.h"
#include "model/finite_positions.h"
#include "model/history.h"
#include "model/store.h"

namespace {
using SparseMatrix = Eigen::SparseMatrix<double>;

constexpr double START_DAMPING = 1e-3;
// Above this largest relative edge error the iterations are descent steps: a
// flat start that must buckle into shape is left by many cheap steps, not by
// damped Newton steps that each need a factorisation.
constexpr double DESCENT_UNTIL = 1e-3;
// Descent steps in one iteration (the crossing test follows each such batch).
constexpr int DESCENT_STEPS = 50;
// Steps the descent remembers for its model of the curvature.
constexpr int DESCENT_MEMORY = 10;
// The descent ends when a batch lowers the sum of squares by less than this
// share: it has stalled, and the damped Newton steps take over.
constexpr double DESCENT_STALL = 0.01;
constexpr double MIN_DAMPING = 1e-10;
// Past this damping a step is too short to matter: the solver stands still.
constexpr double MAX_DAMPING = 1e10;

// Half the sum over edges of (L - phi)^2.
double halfSquares()
{
    double sum = 0;
    for (int e = 0; e < NOE; ++e) {
        const double r = edgeLength(e) - phi[e];
        sum += r * r;
    }
    return 0.5 * sum;
}

// The length of edge e and its unit direction from end 0 to end 1; false for
// an edge of length zero (or a loop), which has no direction.
bool edgeDirection(int e, double* length, double* u)
{
    const Point3& a = v[edge[e][0]];
    const Point3& b = v[edge[e][1]];
    *length = edgeLength(e);
    if (edge[e][0] == edge[e][1] || !(*length > 0))
        return false;
    u[0] = (b.x - a.x) / *length;
    u[1] = (b.y - a.y) / *length;
    u[2] = (b.z - a.z) / *length;
    return true;
}

// The pattern of the model matrix below: every diagonal entry, and the 3 x 3
// blocks of each edge's ends; *slots receives, for each edge, where its 36
// entries (for each row k and column m of a block: the blocks aa, bb, ab, ba)
// sit among the matrix's values.
void modelPattern(SparseMatrix* model, std::vector<int>* slots)
{
    const int n = 3 * NOV;
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(static_cast<size_t>(n) + 36 * static_cast<size_t>(NOE));
    for (int i = 0; i < n; ++i)
        entries.emplace_back(i, i, 0.0);  // every diagonal entry exists, for the damping
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        for (int k = 0; k < 3; ++k)
            for (int m = 0; m < 3; ++m) {
                entries.emplace_back(3 * a + k, 3 * a + m, 0.0);
                entries.emplace_back(3 * b + k, 3 * b + m, 0.0);
                entries.emplace_back(3 * a + k, 3 * b + m, 0.0);
                entries.emplace_back(3 * b + k, 3 * a + m, 0.0);
            }
    }
    model->resize(n, n);
    model->setFromTriplets(entries.begin(), entries.end());
    model->makeCompressed();
    auto slot = [&](int row, int column) {
        const int* first = model->innerIndexPtr() + model->outerIndexPtr()[column];
        const int* last = model->innerIndexPtr() + model->outerIndexPtr()[column + 1];
        return static_cast<int>(std::lower_bound(first, last, row) - model->innerIndexPtr());
    };
    slots->resize(36 * static_cast<size_t>(NOE));
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        int* out = slots->data() + 36 * static_cast<size_t>(e);
        for (int k = 0; k < 3; ++k)
            for (int m = 0; m < 3; ++m, out += 4) {
                out[0] = slot(3 * a + k, 3 * a + m);
                out[1] = slot(3 * b + k, 3 * b + m);
                out[2] = slot(3 * a + k, 3 * b + m);
                out[3] = slot(3 * b + k, 3 * a + m);
            }
    }
}

// The model of the problem at the current positions, written into the values
// of `model` (made by modelPattern with `slots`): the gradient J^T r and a
// positive semi-definite approximation of the Hessian, J^T J plus the
// stretched edges' own curvature (3 x 3 blocks per vertex pair). An edge of
// length zero has no direction and adds nothing.
void normalEquations(SparseMatrix* model, const std::vector<int>& slots, Eigen::VectorXd* gradient)
{
    double* values = model->valuePtr();
    std::fill(values, values + model->nonZeros(), 0.0);
    gradient->setZero(3 * NOV);
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        double length, u[3];
        if (!edgeDirection(e, &length, u))
            continue;
        const double r = length - phi[e];
        // A stretched edge also resists turning: the curvature of its length,
        // (r / L)(I - u u^T), is added where it is positive. (A compressed edge's
        // is negative and would make the matrix indefinite.)
        const double stretch = r > 0 ? r / length : 0;
        const int* at = slots.data() + 36 * static_cast<size_t>(e);
        for (int k = 0; k < 3; ++k) {
            (*gradient)[3 * a + k] -= r * u[k];
            (*gradient)[3 * b + k] += r * u[k];
            for (int m = 0; m < 3; ++m, at += 4) {
                const double w = u[k] * u[m] + stretch * ((k == m) - u[k] * u[m]);
                values[at[0]] += w;
                values[at[1]] += w;
                values[at[2]] -= w;
                values[at[3]] -= w;
            }
        }
    }
}

// J^T r'', where r'' holds each edge length's second derivative along `step`:
// (|d|^2 - (u . d)^2) / L for the difference d of its ends' moves.
Eigen::VectorXd bendingGradient(const Eigen::VectorXd& step)
{
    Eigen::VectorXd out = Eigen::VectorXd::Zero(step.size());
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        double length, u[3];
        if (!edgeDirection(e, &length, u))
            continue;
        double dd = 0, du = 0;
        for (int k = 0; k < 3; ++k) {
            const double d = step[3 * b + k] - step[3 * a + k];
            dd += d * d;
            du += d * u[k];
        }
        const double second = (dd - du * du) / length;
        for (int k = 0; k < 3; ++k) {
            out[3 * a + k] -= second * u[k];
            out[3 * b + k] += second * u[k];
        }
    }
    return out;
}

// The gradient of halfSquares(): J^T r.
Eigen::VectorXd squaresGradient()
{
    Eigen::VectorXd out = Eigen::VectorXd::Zero(3 * NOV);
    for (int e = 0; e < NOE; ++e) {
        double length, u[3];
        if (!edgeDirection(e, &length, u))
            continue;
        const double r = length - phi[e];
        for (int k = 0; k < 3; ++k) {
            out[3 * edge[e][0] + k] -= r * u[k];
            out[3 * edge[e][1] + k] += r * u[k];
        }
    }
    return out;
}

void movePositions(const std::vector<Point3>& from, const Eigen::VectorXd& step, double t)
{
    for (int i = 0; i < NOV; ++i) {
        v[i].x = from[i].x + t * step[3 * i];
        v[i].y = from[i].y + t * step[3 * i + 1];
        v[i].z = from[i].z + t * step[3 * i + 2];
    }
}

// True when `after` holds a pair that `before` does not (both sorted).
bool addsCrossing(const CrossingPairs& before, const CrossingPairs& after)
{
    return !std::includes(before.begin(), before.end(), after.begin(), after.end());
}

CrossingPairs sortedCrossings()
{
    CrossingPairs pairs = selfIntersections();
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// True when `positions` are the vertices' positions, bit for bit.
bool positionsAre(const std::vector<Point3>& positions)
{
    if (positions.size() != static_cast<size_t>(NOV))
        return false;
    for (int i = 0; i < NOV; ++i)
        if (positions[i].x != v[i].x || positions[i].y != v[i].y || positions[i].z != v[i].z)
            return false;
    return true;
}

// A batch of limited-memory quasi-Newton (L-BFGS) steps with a backtracking
// line search, then the crossing test: a batch that adds a crossing, or that
// lowers the sum of squares by less than DESCENT_STALL, is undone as a whole.
// Ends the descent (g_precise_descent.over) when the error is down to
// DESCENT_UNTIL or when a batch is undone. With `seconds` >= 0 the batch stops
// after the step that uses them up (at least one step) and returns Working, the
// positions as they were; the next call goes on with it while the positions are
// still those, and the batch makes the same steps as an uncut one.
PreciseState descentIteration(double tolerance, CrossingPairs* crossings, double* error, double seconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    PreciseDescent& d = g_precise_descent;
    const int n = 3 * NOV;
    const bool goingOn = positionsAre(d.batchFrom);
    if (!goingOn && !positionsAre(d.left)) {
        d.steps.clear();
        d.changes.clear();
    }
    const std::vector<Point3> start(v, v + NOV);
    double before, now;
    int k = 0;
    if (goingOn) {
        std::copy(d.batchAt.begin(), d.batchAt.end(), v);
        before = d.batchBefore;
        now = d.batchNow;
        k = d.batchSteps;
    } else {
        before = now = halfSquares();
    }
    d.batchFrom.clear();
    d.batchAt.clear();
    Eigen::VectorXd gradient = squaresGradient();
    for (int made = 0; k < DESCENT_STEPS; ++k, ++made) {
        if (seconds >= 0 && made > 0 &&
            std::chrono::duration<double>(Clock::now() - begin).count() >= seconds) {
            d.batchAt.assign(v, v + NOV);
            std::copy(start.begin(), start.end(), v);
            d.batchFrom = start;
            d.batchSteps = k;
            d.batchBefore = before;
            d.batchNow = now;
            return PreciseState::Working;
        }
        const int kept = static_cast<int>(d.steps.size()) / n;
        auto stepAt = [&](int i) { return Eigen::Map<Eigen::VectorXd>(d.steps.data() + static_cast<size_t>(i) * n, n); };
        auto changeAt = [&](int i) { return Eigen::Map<Eigen::VectorXd>(d.changes.data() + static_cast<size_t>(i) * n, n); };
        // The two-loop recursion: the remembered curvature applied to -gradient.
        Eigen::VectorXd direction = -gradient;
        std::vector<double> alpha(kept), inverse(kept);
        for (int i = kept - 1; i >= 0; --i) {
            inverse[i] = 1 / stepAt(i).dot(changeAt(i));
            alpha[i] = inverse[i] * stepAt(i).dot(direction);
            direction -= alpha[i] * changeAt(i);
        }
        const double largest = gradient.lpNorm<Eigen::Infinity>();
        if (!(largest > 1e-14))
            break;
        if (kept > 0)
            direction *= stepAt(kept - 1).dot(changeAt(kept - 1)) / changeAt(kept - 1).squaredNorm();
        else
            direction *= 0.01 / largest;  // no curvature known yet: a first move of 0.01
        for (int i = 0; i < kept; ++i)
            direction += (alpha[i] - inverse[i] * changeAt(i).dot(direction)) * stepAt(i);
        double slope = gradient.dot(direction);
        if (!(slope < 0)) {
            direction = -gradient * (0.01 / largest);
            slope = gradient.dot(direction);
            d.steps.clear();
            d.changes.clear();
        }
        // Backtracking until the sum of squares falls enough (Armijo).
        const std::vector<Point3> from(v, v + NOV);
        double t = 1, after = now;
        for (int tries = 0; tries < 30; ++tries, t *= 0.5) {
            movePositions(from, direction, t);
            after = halfSquares();
            if (after <= now + 1e-4 * t * slope)
                break;
        }
        if (!(after < now)) {
            std::copy(from.begin(), from.end(), v);
            break;
        }
        const Eigen::VectorXd next = squaresGradient();
        const Eigen::VectorXd change = next - gradient;
        const Eigen::VectorXd step = t * direction;
        if (step.dot(change) > 1e-16 * step.norm() * change.norm()) {
            if (static_cast<int>(d.steps.size()) / n == DESCENT_MEMORY) {
                d.steps.erase(d.steps.begin(), d.steps.begin() + n);
                d.changes.erase(d.changes.begin(), d.changes.begin() + n);
            }
            d.steps.insert(d.steps.end(), step.data(), step.data() + n);
            d.changes.insert(d.changes.end(), change.data(), change.data() + n);
        }
        gradient = next;
        now = after;
    }
    ++d.batches;
    // A batch that has stalled is undone too, so that the Newton steps decide
    // from where it began: from a least-squares minimum nothing then moves.
    const bool stalled = !(before - now > DESCENT_STALL * before);
    CrossingPairs found;
    if (!stalled)
        found = sortedCrossings();
    if (stalled || addsCrossing(*crossings, found)) {
        std::copy(start.begin(), start.end(), v);
        d.steps.clear();
        d.changes.clear();
        d.over = true;
        *error = maxRelativeEdgeError();
        return PreciseState::Running;
    }
    *crossings = std::move(found);
    *error = maxRelativeEdgeError();
    if (*error <= DESCENT_UNTIL)
        d.over = true;
    d.left.assign(v, v + NOV);
    return *error <= tolerance ? PreciseState::Reached : PreciseState::Running;
}
}  // namespace

// Where a damped Newton iteration stands between two calls: a caller with a
// time budget goes on with it in its next call, and the iteration does the same
// arithmetic however it is cut.
enum class NewtonStage {
    Idle,         // none under way
    Factorising,  // the damped model is being factorised
    Solving,      // factorised: the step and its corrections are next
    Trying,       // the step (or a shortened one) is tried next
};

struct NewtonWork {
    NewtonStage stage = NewtonStage::Idle;
    std::vector<Point3> start;  // the positions it began from
    double before = 0;          // half the sum of squares there
    Eigen::VectorXd gradient;
    double damping = 0, growth = 2;
    bool refusedForCrossing = false;
    Eigen::VectorXd step;
    double promised = 0;        // the reduction the linear model promises for the full step
    int trial = 0;              // which of the full, half and quarter step is tried next
    double trialSeconds = 0;    // what the last trial (with its crossing test) took
    double solveSeconds = 0;    // what the last step and its corrections took
};

struct PreciseAnalysis::Kept {
    int vertices = -1;
    std::vector<std::array<int, 2>> edges;
    BlockCholesky solver;
    SparseMatrix model;      // the model matrix, its values refilled in every iteration
    std::vector<int> slots;  // where each edge's entries sit among its values
    NewtonWork work;
    // The crossings of the positions they were found for, so that a tick that
    // finds the surface as the last one left it does not test it again.
    CrossingPairs crossings;
    std::vector<Point3> crossingsOf;

    bool madeFor() const
    {
        if (vertices != NOV || static_cast<int>(edges.size()) != NOE)
            return false;
        for (int e = 0; e < NOE; ++e)
            if (edges[e][0] != edge[e][0] || edges[e][1] != edge[e][1])
                return false;
        return true;
    }
    void analyse()
    {
        vertices = NOV;
        edges.resize(NOE);
        for (int e = 0; e < NOE; ++e)
            edges[e] = {edge[e][0], edge[e][1]};
        modelPattern(&model, &slots);
        solver.analyse(model);
        work.stage = NewtonStage::Idle;
    }
};
PreciseAnalysis::PreciseAnalysis() = default;
PreciseAnalysis::~PreciseAnalysis() = default;

namespace {
// Goes on with the damped Newton iteration under way in `kept` until it ends
// (a step taken, or none possible) or `seconds` have passed (never when
// negative), then Working. Leaves the positions at the start while the
// iteration is unfinished.
PreciseState newtonIteration(double tolerance, CrossingPairs* crossings, double* error, PreciseAnalysis::Kept& kept,
                             double seconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - begin).count(); };
    NewtonWork& w = kept.work;
    BlockCholesky& solver = kept.solver;
    auto factorise = [&] {
        solver.begin(kept.model, w.damping);
        w.stage = NewtonStage::Factorising;
    };
    // The step is refused: more damping, unless it is past use.
    auto moreDamping = [&](double factor) {
        std::copy(w.start.begin(), w.start.end(), v);
        w.damping *= factor;
        if (w.damping <= MAX_DAMPING)
            factorise();
        else
            w.stage = NewtonStage::Idle;
    };
    bool first = true;
    while (w.stage != NewtonStage::Idle) {
        if (!first && seconds >= 0) {
            const double used = elapsed();
            const double next = w.stage == NewtonStage::Trying   ? w.trialSeconds
                                : w.stage == NewtonStage::Solving ? w.solveSeconds
                                                                  : 0;
            if (used + next >= seconds)
                return PreciseState::Working;
        }
        first = false;
        switch (w.stage) {
        case NewtonStage::Idle:
            break;
        case NewtonStage::Factorising:
            if (!solver.factorizeSome(seconds < 0 ? -1 : std::max(0.0, seconds - elapsed())))
                break;
            if (solver.succeeded())
                w.stage = NewtonStage::Solving;
            else
                moreDamping(10);
            break;
        case NewtonStage::Solving: {
            const Clock::time_point solveBegin = Clock::now();
            w.step = solver.solve(-w.gradient);
            w.promised = 0.5 * w.step.dot(w.damping * w.step - w.gradient);
            if (!(w.promised > 0)) {
                moreDamping(10);
                break;
            }
            // Second-order correction along the step (geodesic acceleration): the
            // lengths bend along it, and the flat pieces of a subdivided surface
            // buckle into shape in a fraction of the iterations. Kept only while it
            // is small beside the step; made twice, the second time along the
            // corrected step, unless the first correction is small.
            const Eigen::VectorXd velocity = w.step;
            for (int k = 0; k < 2; ++k) {
                const Eigen::VectorXd bend = solver.solve(-bendingGradient(w.step));
                if (!(bend.norm() <= 0.75 * velocity.norm()))
                    break;
                w.step = velocity + 0.5 * bend;
                if (0.5 * bend.norm() <= 0.01 * velocity.norm())
                    break;  // too small to change much the second time
            }
            w.solveSeconds = std::chrono::duration<double>(Clock::now() - solveBegin).count();
            w.trial = 0;
            w.stage = NewtonStage::Trying;
            break;
        }
        case NewtonStage::Trying: {
            // The full step, then a half and a quarter of it when the full one crosses.
            const Clock::time_point trialBegin = Clock::now();
            const double t = w.trial == 0 ? 1.0 : w.trial == 1 ? 0.5 : 0.25;
            movePositions(w.start, w.step, t);
            const double after = halfSquares();
            if (!(after < w.before)) {
                moreDamping(w.growth);  // no decrease: more damping
                w.growth *= 2;
                break;
            }
            CrossingPairs now = sortedCrossings();
            w.trialSeconds = std::chrono::duration<double>(Clock::now() - trialBegin).count();
            if (addsCrossing(*crossings, now)) {
                w.refusedForCrossing = true;
                std::copy(w.start.begin(), w.start.end(), v);
                if (++w.trial == 3) {
                    moreDamping(w.growth);
                    w.growth *= 2;
                }
                break;
            }
            const double reached = maxRelativeEdgeError();
            w.stage = NewtonStage::Idle;
            // A decrease lost in round-off, short of the targets: the
            // least-squares minimum is reached. The step is not taken, so that
            // running again from here moves nothing.
            if (reached > tolerance && w.before - after <= 1e-15 * w.before) {
                std::copy(w.start.begin(), w.start.end(), v);
                return PreciseState::Minimum;
            }
            *crossings = std::move(now);
            if (t == 1.0) {
                const double rho = (w.before - after) / w.promised;
                w.damping *= std::max(1.0 / 3.0, 1 - std::pow(2 * rho - 1, 3));
            }
            g_precise_damping = std::max(w.damping, MIN_DAMPING);
            *error = reached;
            return reached <= tolerance ? PreciseState::Reached : PreciseState::Running;
        }
        }
    }
    // Every step that would help was refused, or the damping is past use.
    std::copy(w.start.begin(), w.start.end(), v);
    g_precise_damping = START_DAMPING;
    return w.refusedForCrossing ? PreciseState::Blocked : PreciseState::Minimum;
}
}  // namespace

PreciseState preciseRelaxIteration(double tolerance, CrossingPairs* crossings, double* error, PreciseAnalysis* analysis,
                                   double seconds)
{
    PreciseAnalysis local;
    PreciseAnalysis& keptAnalysis = analysis ? *analysis : local;
    if (!keptAnalysis.kept)
        keptAnalysis.kept = std::make_unique<PreciseAnalysis::Kept>();
    PreciseAnalysis::Kept& kept = *keptAnalysis.kept;
    NewtonWork& w = kept.work;
    // An iteration under way goes on only on the surface it began with.
    if (w.stage != NewtonStage::Idle && !(kept.madeFor() && positionsAre(w.start)))
        w.stage = NewtonStage::Idle;
    *error = maxRelativeEdgeError();
    if (w.stage == NewtonStage::Idle) {
        if (*error <= tolerance)
            return PreciseState::Reached;
        if (!surfaceIsFinite())
            return PreciseState::Unusable;
        if (!g_precise_descent.over && *error > DESCENT_UNTIL)
            return descentIteration(tolerance, crossings, error, seconds);
        if (!kept.madeFor()) {
            kept.analyse();
            if (seconds >= 0)
                return PreciseState::Working;  // the analysis alone is a tick's work on a large surface
        }
        normalEquations(&kept.model, kept.slots, &w.gradient);
        if (w.gradient.lpNorm<Eigen::Infinity>() <= 1e-14)
            return PreciseState::Minimum;  // flat to round-off: no direction lowers the sum
        w.start.assign(v, v + NOV);
        w.before = halfSquares();
        w.damping = std::max(g_precise_damping, MIN_DAMPING);
        w.growth = 2;
        w.refusedForCrossing = false;
        if (w.damping > MAX_DAMPING) {
            g_precise_damping = START_DAMPING;
            return PreciseState::Minimum;
        }
        kept.solver.begin(kept.model, w.damping);
        w.stage = NewtonStage::Factorising;
    }
    return newtonIteration(tolerance, crossings, error, kept, seconds);
}

PreciseState relaxPrecisely(double tolerance, int maxIterations, double* error, int* iterations)
{
    g_precise_damping = START_DAMPING;
    g_precise_descent = PreciseDescent();
    CrossingPairs crossings = sortedCrossings();
    PreciseAnalysis analysis;
    PreciseState state = PreciseState::Running;
    int made = 0;
    *error = maxRelativeEdgeError();
    while (made < maxIterations) {
        state = preciseRelaxIteration(tolerance, &crossings, error, &analysis);
        if (state != PreciseState::Running)
            break;
        ++made;
    }
    if (iterations)
        *iterations = made;
    return state;
}

void startRelaxingPrecisely()
{
    g_precise_damping = START_DAMPING;
    g_precise_descent = PreciseDescent();
    g_relax_precisely = true;
}

bool toggleRelaxPrecisely()
{
    if (g_relax_precisely) {
        g_relax_precisely = false;
        endOpeningRing();  // a ring still opening stops too, where it stands
        return false;
    }
    saveState();
    startRelaxingPrecisely();
    return true;
}

PreciseTick relaxPreciselyTick()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point begin = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - begin).count(); };
    if (!g_precise_analysis)
        g_precise_analysis = new PreciseAnalysis;
    if (!g_precise_analysis->kept)
        g_precise_analysis->kept = std::make_unique<PreciseAnalysis::Kept>();
    PreciseAnalysis::Kept& kept = *g_precise_analysis->kept;
    if (!positionsAre(kept.crossingsOf)) {
        kept.crossings = sortedCrossings();
        kept.crossingsOf.assign(v, v + NOV);
    }
    PreciseTick tick{PreciseState::Running, 0};
    do {
        tick.state = preciseRelaxIteration(PRECISE_TOLERANCE, &kept.crossings, &tick.error, g_precise_analysis,
                                           std::max(0.0, PRECISE_TICK_BUDGET_SECONDS - elapsed()));
    } while (tick.state == PreciseState::Running && elapsed() < PRECISE_TICK_BUDGET_SECONDS);
    // Every iteration leaves the crossings of the positions it leaves.
    kept.crossingsOf.assign(v, v + NOV);
    if (tick.state == PreciseState::Working)
        tick.state = PreciseState::Running;
    return tick;
}
