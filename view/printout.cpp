#include "view/printout.h"

#include <cmath>

#include "model/store.h"
#include "view/print_layout.h"
#include "view/scene.h"

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

namespace {
wxColour toWx(const RGBColour& c)
{
    return wxColour(c.r, c.g, c.b);
}
}  // namespace

void paintSceneDC(wxDC& dc, const Scene& scene)
{
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(wxBrush(toWx(scene.background)));
    dc.DrawRectangle(0, 0, scene.width, scene.height);
    const wxPen solid(*wxBLACK, 1, wxPENSTYLE_SOLID);
    const wxPen dashed(*wxBLACK, 1, wxPENSTYLE_SHORT_DASH);
    for (size_t f = 0; f < scene.faces.size(); ++f) {
        const SceneFace& sf = scene.faces[f];
        dc.SetPen(sf.outline == Outline::White ? *wxWHITE_PEN : sf.outline == Outline::Dashed ? dashed : solid);
        dc.SetBrush(wxBrush(toWx(sf.fill)));
        wxPoint triangle[3] = {scene.points[sf.corner[0]], scene.points[sf.corner[1]], scene.points[sf.corner[2]]};
        dc.DrawPolygon(3, triangle, 0, 0, wxODDEVEN_RULE);
        for (int d = scene.discBegin(f); d < sf.discEnd; ++d) {
            const wxPoint& at = scene.points[scene.discs[d].vertex];
            dc.SetBrush(wxBrush(toWx(scene.discs[d].fill)));
            dc.DrawEllipse(at.x - 5, at.y - 5, 10, 10);
        }
    }
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (const SceneMark& m : scene.marks) {
        dc.SetPen(wxPen(toWx(m.colour), 1));
        const wxPoint& a = scene.points[m.a];
        if (m.kind == SceneMark::Kind::Line)
            dc.DrawLine(a, scene.points[m.b]);
        else
            dc.DrawCircle(a, static_cast<int>(std::lround(m.radius)));
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const SceneRect& r : scene.overlay) {
        dc.SetBrush(wxBrush(toWx(r.colour)));
        dc.DrawRectangle(r.x, r.y, r.width, r.height);
    }
    if (!scene.message.empty())
        dc.DrawText(scene.message, 0, 0);
}

void drawPrintedPage(wxDC& dc, int w, int h)
{
    const PrintLayout layout = printLayout(w, h, g_centerx, g_centery);
    dc.SetUserScale(layout.scale, layout.scale);
    dc.SetDeviceOrigin(layout.originX, layout.originY);
    Scene scene;
    buildScene(scene, SceneUse::Print);
    paintSceneDC(dc, scene);
    dc.SetDeviceOrigin(0, 0);
    dc.SetUserScale(1.0, 1.0);
}
