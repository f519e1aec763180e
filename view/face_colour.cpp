#include "view/face_colour.h"

#include "geometry/face_normal.h"
#include "model/topology.h"

namespace {
// Truncates a channel towards zero and keeps its low 8 bits. A channel that is
// not a number (a face with positions that are not numbers) becomes 0.
unsigned char channel(double c)
{
    if (!(c >= 0.0))
        return 0;
    if (c > 255.0)
        return 255;
    return static_cast<unsigned char>(static_cast<int>(c) & 0xff);
}
}  // namespace

RGBColour getcolor(int f)
{
    return faceColourFrom(f, faceColour, backColour);
}

RGBColour faceColourFrom(int f, RGBColour frontBase, RGBColour backBase)
{
    const Point3 n = faceNormal(f);
    const double nz = n.z;

    double t = 0.9 * (n.x + n.y);
    if (t > 1)
        t = 1;
    else if (t < -1)
        t = -1;

    const bool back = nz >= 0;
    const RGBColour base = back ? backBase : frontBase;
    const RGBColour highlight = back ? backmodifyColour : modifyColour;

    const unsigned char b[3] = {base.r, base.g, base.b};
    const unsigned char h[3] = {highlight.r, highlight.g, highlight.b};
    const bool picked = isFaceIncludeVertex(f, g_purtj) || isFaceIncludeVertex(f, g_dragpurtj);
    unsigned char out[3];
    for (int k = 0; k < 3; ++k) {
        double c = t > 0 ? b[k] * (1 - t) + 255 * t : b[k] * (1 + t);
        if (picked)
            c = (h[k] + c) * 0.5;
        out[k] = channel(c);
    }
    return RGBColour{out[0], out[1], out[2]};
}
