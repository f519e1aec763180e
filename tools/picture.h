// The picture the window would show, painted with cairo into a PNG, SVG or PDF file.
#pragma once

#include <string>

#include <cairo.h>

#include "view/scene.h"

// True when `extension` (".png", ".svg", ".pdf") names a picture format.
bool isPictureFormat(const std::string& extension);

// Paints `scene` with cairo vector shapes: the background and its white border,
// faces back to front filled and outlined (solid, short-dashed or white), each
// followed by its discs. With `exact` the corners keep their exact positions,
// otherwise the window's whole pixels. The status message is not drawn.
void paintSceneCairo(cairo_t* cr, const Scene& scene, bool exact);

// Paints the current surface as the window's 640 x 480 picture does at the
// current scale g_rate (100 unless zoomed) and centre (320, 220), angle-sum
// marks included; PNG in whole pixels as on screen, SVG and PDF at the exact
// positions; then writes it to `path` (replacing the old file only after a
// complete write). The derived data must be up to date. Reads the model, the
// colours, g_rate; overwrites center, order, gv, NOfaceOfVertex, curvature;
// sets g_centerx, g_centery. Returns false with the reason in *error.
bool renderPicture(const std::string& path, const std::string& extension, std::string* error);
