#include "export/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <algorithm>
#include <cstdio>

#include "io/writer.h"
#include "model/store.h"
#include "view/view_commands.h"

namespace {
void setColour(cairo_t* cr, const RGBColour& c)
{
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void setOutline(cairo_t* cr, Outline outline)
{
    static const double shortDash[] = {9.0, 6.0};
    cairo_set_dash(cr, shortDash, outline == Outline::Dashed ? 2 : 0, 0);
    if (outline == Outline::White)
        cairo_set_source_rgb(cr, 1, 1, 1);
    else
        cairo_set_source_rgb(cr, 0, 0, 0);
}
}  // namespace

void paintSceneCairo(cairo_t* cr, const Scene& scene, bool exact)
{
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(cr, scene.background);
    cairo_paint(cr);
    // Half-pixel offsets put one-pixel lines on whole pixels, as on screen.
    auto at = [&](int i, double* x, double* y) {
        *x = (exact ? scene.exactX[i] : scene.points[i].x) + 0.5;
        *y = (exact ? scene.exactY[i] : scene.points[i].y) + 0.5;
    };
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, 0.5, 0.5, scene.width - 1, scene.height - 1);
    cairo_stroke(cr);
    for (size_t f = 0; f < scene.faces.size(); ++f) {
        const SceneFace& sf = scene.faces[f];
        cairo_new_path(cr);
        for (int k = 0; k < 3; ++k) {
            double x, y;
            at(sf.corner[k], &x, &y);
            if (k == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        setColour(cr, sf.fill);
        cairo_fill_preserve(cr);
        setOutline(cr, sf.outline);
        cairo_stroke(cr);
        for (int d = scene.discBegin(f); d < sf.discEnd; ++d) {
            double x, y;
            at(scene.discs[d].vertex, &x, &y);
            cairo_new_path(cr);
            cairo_arc(cr, x, y, 5, 0, 2 * M_PI);
            setColour(cr, scene.discs[d].fill);
            cairo_fill_preserve(cr);
            setOutline(cr, sf.outline);
            cairo_stroke(cr);
        }
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    for (const SceneMark& m : scene.marks) {
        double ax, ay, bx, by;
        at(m.a, &ax, &ay);
        at(m.b, &bx, &by);
        cairo_new_path(cr);
        if (m.kind == SceneMark::Kind::Line) {
            cairo_move_to(cr, ax, ay);
            cairo_line_to(cr, bx, by);
        } else {
            cairo_arc(cr, ax, ay, m.radius, 0, 2 * M_PI);
        }
        setColour(cr, m.colour);
        cairo_stroke(cr);
    }
}

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
    cairo_t* cr = cairo_create(surface);
    // Vector files keep the exact positions; a PNG is the window's picture.
    paintSceneCairo(cr, scene, !png);
    cairo_destroy(cr);
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
