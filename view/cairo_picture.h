// The window's renderer painting into a cairo image surface (RGB24), the
// off-screen picture of the window and of the frame benchmark.
#pragma once

#include <cairo.h>

#include "view/raster.h"

// Paints `scene` over the whole of `surface` at `scale` (see rasterScene) and
// tells cairo its pixels changed.
inline void rasterSceneInto(cairo_surface_t* surface, const Scene& scene, double scale)
{
    cairo_surface_flush(surface);
    RasterImage image;
    image.pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    image.stride = cairo_image_surface_get_stride(surface) / 4;
    rasterScene(scene, image, scale);
    cairo_surface_mark_dirty(surface);
}
