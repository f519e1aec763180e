// Paints a scene straight into the pixels of an off-screen picture: the window's
// renderer. Faces are filled whole-pixel by pixel centres, then outlined with
// antialiased lines that cover their edges, so the picture looks like a vector
// drawing at a fraction of its cost.
#pragma once

#include <cstdint>

#include "view/scene.h"

// 32-bit pixels 0x00RRGGBB, rows `stride` pixels apart (cairo's RGB24 layout).
struct RasterImage {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0, stride = 0;
};

// Paints `scene` over the whole image at `scale` device pixels per logical pixel
// (1 on an ordinary screen, 2 on a high-density one): the background with its
// white border, every face filled and outlined in turn, each followed by its
// discs, then the marks (rings and lines) and last the overlay's rectangles. At scale 1 the corners sit on the whole-pixel positions of the scene;
// at other scales on the exact ones, so that the picture is as sharp as the
// screen. Lines are one logical pixel wide; short dashes are 9 on, 6 off.
// A disc that a later disc on the same vertex covers is not painted, and with
// `cullHidden` neither is a face whose fill, outline and discs all lie under
// the fills of later faces: the pixels come out the same either way, faster
// where layers of the surface lie over each other. The status message is not
// drawn (text is the caller's). Reads only its arguments. Returns the number
// of faces painted.
int rasterScene(const Scene& scene, RasterImage& image, double scale, bool cullHidden = true);
