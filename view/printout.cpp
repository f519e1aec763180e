#include "view/printout.h"

#include "model/store.h"
#include "view/face_colour.h"
#include "view/print_layout.h"
#include "view/projection.h"

bool MyPrintout::OnPrintPage(int)
{
    wxDC* dc = GetDC();
    if (!dc)
        return false;
    int w = 0, h = 0;
    dc->GetSize(&w, &h);
    drawPrintedPage(*dc, w, h);
    return true;
}

void drawPrintedPage(wxDC& dc, int w, int h)
{
    const PrintLayout layout = printLayout(w, h, g_centerx, g_centery);
    dc.SetUserScale(layout.scale, layout.scale);
    dc.SetDeviceOrigin(layout.originX, layout.originY);

    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(wxBrush(wxColour(backgroundColour.r, backgroundColour.g, backgroundColour.b)));
    dc.DrawRectangle(0, 0, 2 * g_centerx + 1, 2 * g_centery + 1);

    computeDepthKeys();
    computePaintingOrder();
    projectVertices();
    for (int r = 0; r < NOS; ++r) {
        const int f = order[r];
        const RGBColour c = getcolor(f);
        dc.SetBrush(wxBrush(wxColour(c.r, c.g, c.b)));
        dc.SetPen(isFaceSelected(f) ? *wxWHITE_PEN : *wxBLACK_PEN);
        wxPoint triangle[3] = {gv[face[f][0]], gv[face[f][1]], gv[face[f][2]]};
        dc.DrawPolygon(3, triangle, 0, 0, wxODDEVEN_RULE);
    }

    dc.SetDeviceOrigin(0, 0);
    dc.SetUserScale(1.0, 1.0);
}
