// Zoom and colour choices of the view.
#pragma once

#include "model/store.h"

// Zoom in: multiplies g_rate by 1.25 while it is below 400. Writes: g_rate.
void zoomIn();
// Zoom out: divides g_rate by 1.25 while it is above 15. Writes: g_rate.
void zoomOut();
// Default size: g_rate back to 100 and the vertex centroid to the origin.
// Writes: g_rate, v.
void defaultSize();

// The front colour chosen (or kept, when the chooser was cancelled): sets
// faceColour and derives the front highlight from it as (red/2, blue/2,
// green/2), halves truncated. Writes: faceColour, modifyColour.
void setFrontColour(RGBColour chosen);
// The back colour chosen (or kept): sets backColour and backmodifyColour to it.
void setBackColour(RGBColour chosen);
