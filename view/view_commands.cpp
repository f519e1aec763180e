#include "view/view_commands.h"

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
