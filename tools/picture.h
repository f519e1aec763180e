// The picture the window would show, drawn with cairo into a PNG, SVG or PDF file.
#pragma once

#include <string>

// True when `extension` (".png", ".svg", ".pdf") names a picture format.
bool isPictureFormat(const std::string& extension);

// Draws the current surface as the window's 640 x 480 picture does at the
// current scale g_rate (100 unless zoomed) and centre (320, 220): background, faces back to front in their colours with
// black outlines, angle-sum marks; then writes it to `path` (replacing the old
// file only after a complete write). The derived data must be up to date.
// Reads the model, the colours, NOfaceOfVertex, curvature, subdiv_level;
// g_rate; overwrites center, order and gv; sets g_centerx, g_centery.
// Returns false with the reason in *error.
bool renderPicture(const std::string& path, const std::string& extension, std::string* error);
