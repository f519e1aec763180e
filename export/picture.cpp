#include "export/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <algorithm>
#include <cstdio>

#include "io/writer.h"
#include "model/store.h"
#include "view/cairo_painter.h"
#include "view/cairo_picture.h"
#include "view/strain_key.h"
#include "view/view_commands.h"

bool isPictureFormat(const std::string& extension)
{
    return extension == ".png" || extension == ".svg" || extension == ".pdf";
}

namespace {
cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool renderPicture(const std::string& path, const std::string& extension, std::string* error)
{
    const int width = g_picture_width, height = g_picture_height;
    const double rate = g_rate;
    const int centerx = g_centerx, centery = g_centery;
    if (g_picture_fit && NOV > 0) {
        fitView(width, height);
    } else {
        g_centerx = width / 2;
        g_centery = height * 220 / 480;  // where the window's start-up picture has its centre
    }
    Scene scene;
    buildScene(scene, SceneUse::Picture);
    scene.width = width;  // the background covers the picture, wherever its centre lies
    scene.height = height;
    placeStrainKey(scene, width, height);
    g_rate = rate;  // the view stays as it was
    g_centerx = centerx;
    g_centery = centery;

    // Drawn in memory, then written as any other file: beside the old one and
    // put in place only when complete.
    std::string bytes;
    cairo_surface_t* surface;
    const bool png = extension == ".png";
    if (png)
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    else if (extension == ".svg") {
        surface = cairo_svg_surface_create_for_stream(appendBytes, &bytes, width, height);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);  // as large as the PNG
    }
    else
        surface = cairo_pdf_surface_create_for_stream(appendBytes, &bytes, width, height);
    if (png) {
        // The window's own renderer, so that the file holds the window's pixels.
        rasterSceneInto(surface, scene, 1.0);
    } else {
        // Vector files keep the exact positions.
        cairo_t* cr = cairo_create(surface);
        paintSceneCairo(cr, scene, true);
        cairo_destroy(cr);
    }
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (png)
        status = cairo_surface_write_to_png_stream(surface, appendBytes, &bytes);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        *error = cairo_status_to_string(status);
        return false;
    }
    wxString reason;
    if (writeFileReplacing(wxString::FromUTF8(path), bytes, &reason))
        return true;
    *error = std::string(reason.utf8_str());
    return false;
}
