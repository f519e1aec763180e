// Precise relaxation: brings every edge to its target length to round-off by
// minimising the sum over edges of (L - phi)^2 in two phases. While the largest
// relative edge error is above 1e-3, batches of limited-memory quasi-Newton
// (L-BFGS) steps, each a few passes over the edges, carry the surface out of a
// flat start that must buckle into shape; when the error is down to 1e-3 or
// the descent stalls, damped Newton (Levenberg-Marquardt) steps finish the run.
// Their model is J^T J plus the positive part of the lengths' own curvature, so
// it is exact (and converges quadratically) as the residuals vanish; each step
// gets a second-order correction for the bending of the lengths along it. The
// damping keeps each step free of the six rigid motions (and of every other
// motion that changes no length, so a surface that can bend is moved as little
// as possible); the descent's steps are sums of gradients, which hold no rigid
// motion either. No step may make the surface pass through itself: a Newton
// step that creates a crossing of two faces is shortened, and rejected (with
// more damping) when even a quarter of it would; a batch of descent steps that
// does is undone, and the Newton steps take over.
#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "model/edge_error.h"  // maxRelativeEdgeError: the error the solver drives down

// Largest relative edge error at which the solver stops by default.
constexpr double PRECISE_TOLERANCE = 1e-9;
// Share of a 15 ms timer tick that the window spends on precise steps.
constexpr double PRECISE_TICK_BUDGET_SECONDS = 0.010;

// How the solver stands after an iteration.
enum class PreciseState {
    Running,   // a step was taken; the error is still above the tolerance
    Working,   // out of time within an iteration: nothing has moved, the next call goes on with it
    Reached,   // every edge within the tolerance
    Minimum,   // no step lowers the sum of squares: the lengths cannot all be met here
    Blocked,   // the steps that would lower it make the surface pass through itself
    Unusable,  // positions or target lengths that are not numbers
};

// Face pairs that cross (as selfIntersections() gives them, sorted).
using CrossingPairs = std::vector<std::pair<int, int>>;

// The sparse factorisation's ordering and symbolic analysis, which depend only
// on the vertex count and the edges; a caller that makes several iterations
// keeps one so that they are computed once, not in every iteration.
class PreciseAnalysis {
public:
    PreciseAnalysis();
    ~PreciseAnalysis();
    struct Kept;
    std::unique_ptr<Kept> kept;
};

// One solver iteration. In the descent phase (g_precise_descent not over and
// the error above 1e-3): up to 50 descent steps, kept when together they add
// no pair to *crossings and lower the sum of squares by at least 1 %.
// Otherwise one damped Newton step: builds the damped normal equations at the
// current positions, factorises them, and tries steps (more damped after each
// refusal) until one lowers the sum of squares without adding a pair to
// *crossings. Either way moves the vertices and updates *crossings.
// `tolerance` is the largest relative edge error counted as done. `analysis`,
// when given, is reused while NOV and the edges are those it was made for, and
// renewed otherwise; it also holds a Newton iteration under way (a descent
// batch under way is held in g_precise_descent). With `seconds` >= 0 an
// iteration stops when that much time has passed (after at least some of its
// work) and returns Working, the positions as they were; a later call goes on
// with it where it stopped, as long as the positions and edges are still those
// it began with, and takes the same steps as an uncut iteration. Reads: NOV, NOE, NOS, edge, phi, face,
// v. Writes: v, g_precise_damping, g_precise_descent. Returns the new state
// and puts the largest relative edge error in *error.
PreciseState preciseRelaxIteration(double tolerance, CrossingPairs* crossings, double* error,
                                   PreciseAnalysis* analysis = nullptr, double seconds = -1);

// The whole run: iterations from the current positions until the state is no
// longer Running or `maxIterations` have been made (then Running is returned).
// Starts from a fresh damping and descent. Writes: v, g_precise_damping,
// g_precise_descent. `iterations`, when given, receives the number of
// iterations made.
PreciseState relaxPrecisely(double tolerance, int maxIterations, double* error, int* iterations = nullptr);

// Starts the precise relaxation on the window's timer from a fresh damping and
// descent, recording nothing (for a command that has recorded its own undo
// snapshot). Writes: g_relax_precisely, g_precise_damping, g_precise_descent.
void startRelaxingPrecisely();

// The window's command: when off, records one undo snapshot, resets the
// damping and the descent and switches g_relax_precisely on; when on, switches
// it off. Writes: g_relax_precisely, g_precise_damping, g_precise_descent, the
// history. Returns the new value.
bool toggleRelaxPrecisely();

// What one timer tick of precise relaxation did.
struct PreciseTick {
    PreciseState state;
    double error;
};

// One timer tick: precise iterations for at most the tick budget, against the
// crossings present when the tick began, with the analysis kept in
// g_precise_analysis (made on first use). An iteration that does not fit in
// the budget is cut and goes on in the next tick, so a tick on a large
// surface may end with nothing moved (state Running). Reads and writes what
// preciseRelaxIteration does, and g_precise_analysis.
PreciseTick relaxPreciselyTick();
