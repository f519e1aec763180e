// The key of the strain colours: a white panel in a corner of the picture with
// the title "edge error", the bar of the scale (view/strain_colour.h) from its
// low end on the left to its high end on the right, and a tick with its label
// under each factor of ten (1e-6 ... 1e-2), as rectangles that every painter
// fills alike.
#pragma once

#include "view/scene.h"

// The panel's size in logical pixels, and its distance from the picture's edges.
constexpr int STRAIN_KEY_WIDTH = 196;
constexpr int STRAIN_KEY_HEIGHT = 45;
constexpr int STRAIN_KEY_MARGIN = 8;
// Where the bar lies in the panel, and its size.
constexpr int STRAIN_BAR_X = 18;
constexpr int STRAIN_BAR_Y = 17;
constexpr int STRAIN_BAR_WIDTH = 161;  // 40 columns to each factor of ten, and the last
constexpr int STRAIN_BAR_HEIGHT = 10;

// Fills scene.overlay with the key in the bottom-right corner of a picture of
// width x height logical pixels when scene.strainKey is set, and empties it
// otherwise. Reads only its arguments. Returns the panel's top-left corner
// through *x and *y when they are not null.
void placeStrainKey(Scene& scene, int width, int height, int* x = nullptr, int* y = nullptr);
