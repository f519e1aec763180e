#include "view/view_commands.h"

#include <algorithm>
#include <cmath>

#include "geometry/rigid_motion.h"

void zoomIn()
{
    if (g_rate < 400.0)
        g_rate *= 1.25;
}

void zoomOut()
{
    if (g_rate > 15.0)
        g_rate /= 1.25;
}

void fitView(int width, int height)
{
    if (NOV <= 0)
        return;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (int i = 0; i < NOV; ++i) {
        x0 = i == 0 ? v[i].x : std::min(x0, v[i].x);
        x1 = i == 0 ? v[i].x : std::max(x1, v[i].x);
        y0 = i == 0 ? v[i].y : std::min(y0, v[i].y);
        y1 = i == 0 ? v[i].y : std::max(y1, v[i].y);
    }
    if (!std::isfinite(x0 + x1 + y0 + y1))
        return;
    const double w = std::max(x1 - x0, 1e-9), h = std::max(y1 - y0, 1e-9);
    g_rate = std::min(0.9 * width / w, 0.9 * height / h);
    g_centerx = static_cast<int>(std::lround(width / 2.0 - g_rate * (x0 + x1) / 2));
    g_centery = static_cast<int>(std::lround(height / 2.0 + g_rate * (y0 + y1) / 2));
}

void zoomAbout(int x, int y, double factor)
{
    const double rate = std::clamp(g_rate * factor, 1.0, 20000.0);
    // The model point under (x, y): x = cx + rate * mx, y = cy - rate * my.
    const double mx = (x - g_centerx) / g_rate, my = (g_centery - y) / g_rate;
    g_rate = rate;
    g_centerx = static_cast<int>(std::lround(x - rate * mx));
    g_centery = static_cast<int>(std::lround(y + rate * my));
}

void defaultSize()
{
    g_rate = 100.0;
    offsetpolygon();
}

void setFrontColour(RGBColour chosen)
{
    faceColour = chosen;
    // The green and blue halves are exchanged in the front highlight.
    modifyColour = RGBColour{static_cast<unsigned char>(chosen.r / 2), static_cast<unsigned char>(chosen.b / 2),
                             static_cast<unsigned char>(chosen.g / 2)};
}

void setBackColour(RGBColour chosen)
{
    backColour = chosen;
    backmodifyColour = chosen;
}
