// Where the printed picture goes on the page.
#pragma once

// Scale and device origin of the printed picture on a page of w x h device
// units: the on-screen picture (2 centrex x 2 centrey) plus a margin of 50 on
// each side is fitted into the page, and the picture without its margin is
// centred (single precision, origin truncated to whole device units).
struct PrintLayout {
    float scale;
    int originX;
    int originY;
};

PrintLayout printLayout(int pageWidth, int pageHeight, int centerx, int centery);
