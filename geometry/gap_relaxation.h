// Relaxing while keeping a gap: brings the edges towards their target lengths
// while faces are pushed apart wherever they come nearer to each other than a
// gap, and the surface never passes through itself. What a freshly grown ring
// needs to open out among the crumpled rings before it, where the plain
// relaxations would pull it through them or press it flat against them.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "model/store.h"

// The gaps, stiffness, longest step and error at which a new ring counts as
// open. Faces along the boundary keep the wider gap, so that the ring after
// it finds room to be placed.
constexpr double OPENING_GAP = 0.1;
constexpr double OPENING_RIM_GAP = 0.3;
constexpr double OPENING_STIFFNESS = 1e3;
constexpr double OPENING_LARGEST_STEP = 0.05;
constexpr double OPENING_UNTIL = 1e-3;
// Steps after which an opening that has not got there gives up.
constexpr int OPENING_MAX_STEPS = 60000;

// How a run stands.
enum class GapState {
    Running,  // steps were taken; not there yet
    Done,     // every edge within the error asked for, no two faces nearer than the gap
    Stuck,    // no step lowers the energy, or the steps ran out
    Stale,    // the surface was changed by something else since the last call
};

// A run, kept between calls so that a window can make it a few steps per
// timer tick. The energy is the sum over edges of ((L - phi) / phi)^2 plus
// `stiffness` times the square of every shortfall below the gap of a distance
// between two faces: for faces sharing no corner, from a corner of one to the
// other and between their sides; for faces sharing one corner, the same away
// from that corner (two faces of a fan folded onto each other). Faces sharing
// a side are not measured. The gap is `gap`, or `rimGap` when they share no
// corner and one has a side on the boundary (when it is the larger); a run
// whose error has not fallen by a tenth over 2000 steps gives the wider gap
// up and goes on with `gap` everywhere. Each step is a limited-memory quasi-Newton
// (L-BFGS) step with a backtracking line search, no vertex moving more than
// `largestStep`. Every 10 steps the surface is tested for crossing faces: a
// pair of faces sharing no corner that crosses and did not at the start sends
// the surface back to the last state tested clean, with shorter steps; faces
// sharing a corner may cross on the way (a fold opening out), but a run never
// ends with a crossing that was not there at the start.
class GapRelaxation {
public:
    // Starts at the current surface. Reads: NOV, NOE, NOS, edge, face, v.
    GapRelaxation(double gap, double rimGap, double stiffness, double largestStep, double stopError);
    ~GapRelaxation();

    // Up to `maxSteps` steps, fewer when `seconds` (if >= 0) pass first.
    // Reads: NOV, NOE, NOS, edge, phi, face, v. Writes: v.
    GapState run(int maxSteps, double seconds = -1);

    // Ends a run that has not ended (Stuck), leaving no new crossing, or (Stale)
    // touching nothing when the surface was changed since its last step;
    // returns how it ended.
    GapState stop();

    int steps() const;  // steps taken so far

private:
    struct Run;
    std::unique_ptr<Run> run_;
};

// The whole run of a new ring's opening: OPENING_GAP, OPENING_RIM_GAP, OPENING_STIFFNESS,
// OPENING_LARGEST_STEP, until OPENING_UNTIL or OPENING_MAX_STEPS. Writes: v.
GapState openRing();

// Starts the window's opening of a new ring at the current surface, in place
// of any under way. Writes: g_opening_ring.
void startOpeningRing();

// The window's opening under way, one timer tick of it: at most the precise
// relaxation's tick budget of steps. Ends (deleting g_opening_ring) when done,
// stuck or stale, and returns that state. Writes: v, g_opening_ring.
GapState openRingTick();

// Ends the window's opening under way where it stands, leaving no crossing it
// did not start with, and frees it; nothing when none is under way.
// Writes: v, g_opening_ring.
void endOpeningRing();
