// Keeps a step of the geometry (relaxation, smoothing, sway, perturbation, a
// drag, an op) from running the surface away: the positions are taken before
// the step, checked after it, and put back when the step made a position that
// is not a number or lies beyond MAX_COORDINATE, a target length that is not a
// positive number, or grew the surface more than RUNAWAY_GROWTH times.
#pragma once

#include <string>
#include <vector>

#include "model/store.h"

// How many times one step may grow the surface's extent (counted from an
// extent of at least 1, so that a surface shrunk to a point may relax out).
constexpr double RUNAWAY_GROWTH = 1e6;

// How many times a run of sway may grow the surface's extent: more means the
// spreading is feeding on itself (nothing pulls the corners back) and the
// repetition stops.
constexpr double SWAY_GROWTH = 2.0;

// The largest side of the box around the live positions; 0 with none;
// infinite or not a number when a position is not finite. Reads: NOV, v.
double surfaceExtent();

// The first vertex whose position is not finite or has a coordinate beyond
// MAX_COORDINATE; -1 when there is none. Reads: NOV, v.
int firstWildVertex();

// The live positions before a step.
struct PositionsBefore {
    std::vector<Point3> positions;  // v[0 .. NOV-1]
    double extent = 0;              // surfaceExtent() of them
};

// Takes the live positions. Reads: NOV, v.
PositionsBefore takePositions();

// What the step since `before` did wrong, in words ("vertex 12 would go to a
// position that is not a number", "the surface would grow 3.2e+07 times in one
// step", "edge 5 would have a target length that is not a positive number");
// empty when the positions and target lengths are sound. Reads: NOV, NOE, v, phi.
std::string runawayFault(const PositionsBefore& before);

// Puts the positions taken by takePositions back; nothing when the vertex
// count has changed since. Writes: v.
void restorePositions(const PositionsBefore& before);

// Runs `step`; when it ran away, puts the positions back and returns the
// fault (runawayFault), otherwise returns an empty string.
template <class Step>
std::string guardedStep(Step step)
{
    const PositionsBefore before = takePositions();
    step();
    std::string fault = runawayFault(before);
    if (!fault.empty())
        restorePositions(before);
    return fault;
}
