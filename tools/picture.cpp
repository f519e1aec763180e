#include "tools/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "io/writer.h"
#include "model/store.h"

namespace {
constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

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
}

bool isPictureFormat(const std::string& extension)
{
    return extension == ".png" || extension == ".svg" || extension == ".pdf";
}

bool renderPicture(const std::string& path, const std::string& extension, std::string* error)
{
    g_centerx = WIDTH / 2;
    g_centery = 220;
    Scene scene;
    buildScene(scene, SceneUse::Picture);

    const std::string temp = path + ".drawing";
    cairo_surface_t* surface;
    const bool png = extension == ".png";
    if (png)
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT);
    else if (extension == ".svg")
        surface = cairo_svg_surface_create(temp.c_str(), WIDTH, HEIGHT);
    else
        surface = cairo_pdf_surface_create(temp.c_str(), WIDTH, HEIGHT);
    cairo_t* cr = cairo_create(surface);
    // Vector files keep the exact positions; a PNG is the window's picture.
    paintSceneCairo(cr, scene, !png);
    cairo_destroy(cr);
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (png)
        status = cairo_surface_write_to_png(surface, temp.c_str());
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        *error = cairo_status_to_string(status);
        unlink(temp.c_str());
        return false;
    }
    return moveIntoPlace(temp, path, error);
}
