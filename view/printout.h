// One printed page: the current view, scaled to fit and centred.
#pragma once

#include <wx/print.h>

class MyPrintout : public wxPrintout {
public:
    explicit MyPrintout(const char* title) : wxPrintout(title) {}
    // Draws the picture on the printout's device context, as the screen shows
    // it but without marks or status text, selected components outlined in
    // white. Returns false when there is no device context.
    bool OnPrintPage(int page) override;
};

// Draws the page picture on `dc` (w x h device units). Reads the model, the
// view state and the colours; overwrites center, order and gv.
void drawPrintedPage(wxDC& dc, int w, int h);

struct Scene;
// Paints `scene` with the toolkit's vector shapes on any device context: the
// background rectangle with its white pen, the faces filled and outlined as the
// scene says, their discs, the marks, the overlay (the strain key) and the
// message at the top-left.
void paintSceneDC(wxDC& dc, const Scene& scene);
