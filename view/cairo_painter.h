// The scene painted with cairo's vector shapes: the SVG and PDF pictures,
// the PNG of korvith-tool, and the frame benchmark's vector form.
#pragma once

#include <cairo.h>

#include "view/scene.h"

// Paints `scene` with cairo vector shapes: the background and its white border,
// faces back to front filled and outlined (solid, short-dashed or white), each
// followed by its discs. With `exact` the corners keep their exact positions,
// otherwise the window's whole pixels. The status message is not drawn.
void paintSceneCairo(cairo_t* cr, const Scene& scene, bool exact);
