// The scene painted with cairo's vector shapes: the SVG and PDF pictures and
// the frame benchmark's vector form (a PNG is painted as the window is).
#pragma once

#include <cairo.h>

#include "view/scene.h"

// Paints `scene` with cairo vector shapes: the background and its white border,
// faces back to front filled and outlined (solid, short-dashed or white), each
// followed by its discs, then the marks and the overlay (the strain key). With `exact` the corners keep their exact positions,
// otherwise the window's whole pixels. The status message is not drawn.
void paintSceneCairo(cairo_t* cr, const Scene& scene, bool exact);
