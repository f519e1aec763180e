// The picture the window would show, painted with cairo into a PNG, SVG or PDF file.
#pragma once

#include <string>

// True when `extension` (".png", ".svg", ".pdf") names a picture format.
bool isPictureFormat(const std::string& extension);

// Paints the current surface into a picture of g_picture_width x
// g_picture_height (640 x 480 unless set) as the window shows it, angle-sum
// marks included (none on a thickened solid): at the current scale g_rate
// with the centre where the start-up window has it ((320, 220) in 640 x 480),
// or, with g_picture_fit, scaled and centred to fill the picture with a
// margin; with g_show_strain in strain colours with their key in the
// bottom-right corner. PNG painted by the window's renderer (rasterScene), so
// that it holds the pixels the window shows for the same view and size; SVG
// (sized in px, as the PNG) and PDF by cairo at the exact positions. Writes it to `path`, replacing the old file
// only after a complete write. The derived data must be up to
// date. Reads the model, the colours, the view and the picture settings, and
// leaves the view as it was; overwrites center, order, gv (until the next
// repaint), NOfaceOfVertex, curvature. Returns false with the reason in *error.
bool renderPicture(const std::string& path, const std::string& extension, std::string* error);
