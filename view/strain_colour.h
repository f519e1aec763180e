// The strain scale: the colour of a relative edge error |L - phi| / phi, from
// cream for an edge at its target length to deep red for one 1 % off or more,
// logarithmic in between, so that each factor of ten is one equal step. The
// colours run along a smooth path through the CIE L*a*b* space past cream,
// yellow, orange, red and deep red, spaced evenly along it, so that equal steps
// of the scale are equal steps to the eye (within a tenth), and the lightness
// falls all the way. Reads and writes no globals.
#pragma once

#include "model/store.h"

// The errors at the two ends of the scale: at most STRAIN_LOW is cream, at
// least STRAIN_HIGH deep red.
constexpr double STRAIN_LOW = 1e-6;
constexpr double STRAIN_HIGH = 1e-2;

// Where `error` lies on the scale, from 0 (at most STRAIN_LOW) to 1 (at least
// STRAIN_HIGH; also an error that is not a number, a broken edge): the
// logarithm of the error, scaled.
double strainPosition(double error);

// The colour at `position` (0 .. 1, held within) on the scale.
RGBColour strainScaleColour(double position);

// The colour of a relative error: strainScaleColour(strainPosition(error)).
RGBColour strainColour(double error);
