#include "view/strain_key.h"

#include <cmath>
#include <cstdio>

#include "view/pixel_font.h"
#include "view/strain_colour.h"

void placeStrainKey(Scene& scene, int width, int height, int* x, int* y)
{
    scene.overlay.clear();
    const int left = width - STRAIN_KEY_MARGIN - STRAIN_KEY_WIDTH;
    const int top = height - STRAIN_KEY_MARGIN - STRAIN_KEY_HEIGHT;
    if (x)
        *x = left;
    if (y)
        *y = top;
    if (!scene.strainKey)
        return;
    const RGBColour white{255, 255, 255}, black{0, 0, 0};
    std::vector<SceneRect>& out = scene.overlay;
    auto outline = [&](int x0, int y0, int w, int h) {
        out.push_back(SceneRect{x0, y0, w, 1, black});
        out.push_back(SceneRect{x0, y0 + h - 1, w, 1, black});
        out.push_back(SceneRect{x0, y0, 1, h, black});
        out.push_back(SceneRect{x0 + w - 1, y0, 1, h, black});
    };
    auto text = [&](const std::string& s, int x0, int y0) {
        forEachTextPixel(s, x0, y0, [&](int px, int py) { out.push_back(SceneRect{px, py, 1, 1, black}); });
    };

    out.push_back(SceneRect{left, top, STRAIN_KEY_WIDTH, STRAIN_KEY_HEIGHT, white});
    outline(left, top, STRAIN_KEY_WIDTH, STRAIN_KEY_HEIGHT);
    text("edge error", left + STRAIN_BAR_X, top + 6);

    // The bar, one column per step of the scale, inside a black frame.
    const int barLeft = left + STRAIN_BAR_X, barTop = top + STRAIN_BAR_Y;
    for (int c = 0; c < STRAIN_BAR_WIDTH; ++c)
        out.push_back(SceneRect{barLeft + c, barTop, 1, STRAIN_BAR_HEIGHT,
                                strainScaleColour(double(c) / (STRAIN_BAR_WIDTH - 1))});
    outline(barLeft - 1, barTop - 1, STRAIN_BAR_WIDTH + 2, STRAIN_BAR_HEIGHT + 2);

    // A tick under each factor of ten, labelled 1e-6 ... 1e-2.
    const int low = static_cast<int>(std::lround(std::log10(STRAIN_LOW)));
    const int high = static_cast<int>(std::lround(std::log10(STRAIN_HIGH)));
    for (int p = low; p <= high; ++p) {
        const int at = barLeft + (STRAIN_BAR_WIDTH - 1) * (p - low) / (high - low);
        out.push_back(SceneRect{at, barTop + STRAIN_BAR_HEIGHT + 1, 1, 3, black});
        char label[16];
        std::snprintf(label, sizeof label, "1e%d", p);
        text(label, at - pixelTextWidth(label) / 2, barTop + STRAIN_BAR_HEIGHT + 6);
    }
}
