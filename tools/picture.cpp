#include "tools/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "model/derived_data.h"
#include "io/writer.h"
#include "model/store.h"
#include "view/face_colour.h"
#include "view/projection.h"

namespace {
constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

void setColour(cairo_t* cr, const RGBColour& c)
{
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// Fills the current path with `fill` and outlines it in black, one pixel wide.
void fillAndOutline(cairo_t* cr, const RGBColour& fill)
{
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
}

void mark(cairo_t* cr, const wxPoint& at, const RGBColour& colour)
{
    cairo_new_path(cr);
    cairo_arc(cr, at.x, at.y, 5, 0, 2 * M_PI);
    fillAndOutline(cr, colour);
}

void draw(cairo_t* cr)
{
    g_centerx = WIDTH / 2;
    g_centery = 220;
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(cr, backgroundColour);
    cairo_paint(cr);

    computeDepthKeys();
    computePaintingOrder();
    projectVertices();
    const double theory = theoryCurvature();
    for (int r = 0; r < NOS; ++r) {
        const int f = order[r];
        cairo_new_path(cr);
        for (int k = 0; k < 3; ++k) {
            const wxPoint& p = gv[face[f][k]];
            // Half-pixel offsets put one-pixel lines on whole pixels, as on screen.
            if (k == 0)
                cairo_move_to(cr, p.x + 0.5, p.y + 0.5);
            else
                cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
        }
        cairo_close_path(cr);
        fillAndOutline(cr, getcolor(f));
        for (int k = 0; k < 3; ++k) {
            RGBColour colour;
            if (angleSumMark(face[f][k], theory, &colour))
                mark(cr, gv[face[f][k]], colour);
        }
    }
}
}  // namespace

bool isPictureFormat(const std::string& extension)
{
    return extension == ".png" || extension == ".svg" || extension == ".pdf";
}

bool renderPicture(const std::string& path, const std::string& extension, std::string* error)
{
    const std::string temp = path + ".drawing";
    cairo_surface_t* surface;
    if (extension == ".png")
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, WIDTH, HEIGHT);
    else if (extension == ".svg")
        surface = cairo_svg_surface_create(temp.c_str(), WIDTH, HEIGHT);
    else
        surface = cairo_pdf_surface_create(temp.c_str(), WIDTH, HEIGHT);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (extension == ".png")
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
