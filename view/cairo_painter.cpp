#include "view/cairo_painter.h"

#include <cmath>

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
    for (const SceneRect& r : scene.overlay) {
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        setColour(cr, r.colour);
        cairo_fill(cr);
    }
}
