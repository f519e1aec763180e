#include "view/print_layout.h"

#include <algorithm>

PrintLayout printLayout(int pageWidth, int pageHeight, int centerx, int centery)
{
    const float maxX = static_cast<float>(2 * centerx + 100);
    const float maxY = static_cast<float>(2 * centery + 100);
    const float w = static_cast<float>(pageWidth);
    const float h = static_cast<float>(pageHeight);
    const float s = std::min(w / maxX, h / maxY);
    const float posX = (w - 2 * centerx * s) * 0.5f;
    const float posY = (h - 2 * centery * s) * 0.5f;
    return PrintLayout{s, static_cast<int>(posX), static_cast<int>(posY)};
}
