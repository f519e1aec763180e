// Zoom and colour choices of the view.
#pragma once

#include "model/store.h"

// Zoom in: multiplies g_rate by 1.25 while it is below 400. Writes: g_rate.
void zoomIn();
// Zoom out: divides g_rate by 1.25 while it is above 15. Writes: g_rate.
void zoomOut();
// Fit to window: the scale and centre that bring the surface's extent in x
// and y into a picture of width x height with a margin of 5 % on every side.
// Does nothing without vertices. Writes: g_rate, g_centerx, g_centery.
void fitView(int width, int height);

// Ctrl + mouse wheel: the scale multiplied by `factor` (kept within 1 .. 20000
// pixels per unit) about the device point (x, y), which keeps showing the same
// point of the model. Writes: g_rate, g_centerx, g_centery.
void zoomAbout(int x, int y, double factor);

// Default size: g_rate back to 100 and the vertex centroid to the origin.
// Writes: g_rate, v.
void defaultSize();

// The front colour chosen (or kept, when the chooser was cancelled): sets
// faceColour and derives the front highlight from it as (red/2, blue/2,
// green/2), halves truncated. Writes: faceColour, modifyColour.
void setFrontColour(RGBColour chosen);
// The back colour chosen (or kept): sets backColour and backmodifyColour to it.
void setBackColour(RGBColour chosen);
