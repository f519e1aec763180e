#include "view/canvas.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/icon.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "construct/add_cell.h"
#include "model/derived_data.h"
#include "view/animation.h"
#include "model/store.h"
#include "view/face_colour.h"
#include "view/icon1.xpm"
#include "view/mouse.h"
#include "view/projection.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MyCanvas, wxWindow)
    EVT_PAINT(MyCanvas::OnPaint)
    EVT_MOUSE_EVENTS(MyCanvas::OnMouseEvent)
    EVT_LEFT_DCLICK(MyCanvas::OnDoubleClick)
    EVT_TIMER(ID_TIMER, MyCanvas::OnTimer)
    EVT_SIZE(MyCanvas::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

namespace {
wxColour toWx(const RGBColour& c)
{
    return wxColour(c.r, c.g, c.b);
}
}  // namespace

MyCanvas::MyCanvas(MyFrame* frame)
    : wxWindow(frame, wxID_ANY, wxPoint(0, 0), wxSize(640, 480), 0), m_owner(frame), m_timer(this, ID_TIMER)
{
    // The paint handler covers every pixel: the toolkit never erases the background.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    frame->SetIcon(wxIcon(icon1_xpm));
    m_timer.Start(15);
    int w = 0, h = 0;
    GetClientSize(&w, &h);
    g_centerx = w / 2;
    g_centery = h / 2;
}

MyCanvas::~MyCanvas()
{
    m_timer.Stop();
}

void MyCanvas::OnPaint(wxPaintEvent&)
{
    wxPaintDC pdc(this);
    PrepareDC(pdc);
    m_owner->PrepareDC(pdc);
    wxMemoryDC mdc;
    mdc.SelectObject(*gs_bmpScreen);
    DrawPoly(mdc);
    pdc.Blit(0, 0, 1600, 1200, &mdc, 0, 0, wxCOPY, false);
    mdc.SelectObject(wxNullBitmap);
    // A window larger than the picture shows the background colour beyond it.
    int w = 0, h = 0;
    GetClientSize(&w, &h);
    if (w > 1600 || h > 1200) {
        pdc.SetPen(*wxTRANSPARENT_PEN);
        pdc.SetBrush(wxBrush(toWx(backgroundColour)));
        if (w > 1600)
            pdc.DrawRectangle(1600, 0, w - 1600, h);
        if (h > 1200)
            pdc.DrawRectangle(0, 1200, std::min(w, 1600), h - 1200);
    }
}

namespace {
// A disc of diameter 10 centred on a projected vertex.
void drawMark(wxDC& dc, const wxPoint& at)
{
    dc.DrawEllipse(at.x - 5, at.y - 5, 10, 10);
}
}  // namespace

void MyCanvas::DrawPoly(wxMemoryDC& dc)
{
    if (revised_face2edge)
        make_face2edge();
    if (revised_facedata)
        revise_facedata();

    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(wxBrush(toWx(backgroundColour)));
    dc.DrawRectangle(0, 0, 2 * g_centerx + 1, 2 * g_centery + 1);

    computeDepthKeys();
    computePaintingOrder();
    projectVertices();
    make_NOfaceOfVertex();
    make_curvature();

    const double theory = theoryCurvature();
    const wxPen solidPen(*wxBLACK, 1, wxPENSTYLE_SOLID);
    const wxPen dashedPen(*wxBLACK, 1, wxPENSTYLE_SHORT_DASH);
    for (int r = 0; r < NOS; ++r) {
        const int f = order[r];
        const int corners[3] = {face[f][0], face[f][1], face[f][2]};
        wxPoint triangle[3] = {gv[corners[0]], gv[corners[1]], gv[corners[2]]};
        dc.SetPen(isFaceSelected(f) ? dashedPen : solidPen);
        dc.SetBrush(wxBrush(toWx(getcolor(f))));
        dc.DrawPolygon(3, triangle, 0, 0, wxODDEVEN_RULE);

        for (int c : corners) {
            RGBColour mark;
            if (angleSumMark(c, theory, &mark)) {
                dc.SetBrush(wxBrush(toWx(mark)));
                drawMark(dc, gv[c]);
            }
        }
        if (g_purtj >= 0 || g_dragpurtj >= 0) {
            dc.SetBrush(*wxRED_BRUSH);
            for (int c : corners) {
                if (c == g_purtj)
                    drawMark(dc, gv[g_purtj]);
                if (c == g_dragpurtj)
                    drawMark(dc, gv[g_dragpurtj]);
            }
        }
    }

    dc.DrawText(messagetxt, 0, 0);
    const wxString title = windowTitleFor(messagetxt);
    if (m_owner->GetTitle() != title)
        m_owner->SetTitle(title);
}

void MyCanvas::OnSize(wxSizeEvent&)
{
    int w = 0, h = 0;
    GetClientSize(&w, &h);
    g_centerx = w / 2;
    g_centery = h / 2;
    Refresh(false, nullptr);
}

void MyCanvas::OnTimer(wxTimerEvent&)
{
    const TickResult tick = animationTick();
    if (tick.modifyUntilValidEnded)
        m_owner->swayMenu->Check(ID_MODIFY_UNTIL_VALID, false);
    if (tick.relaxPreciselyEnded)
        m_owner->swayMenu->Check(ID_RELAX_PRECISELY, false);
    if (tick.stopTimer)
        m_timer.Stop();
    Refresh(false, nullptr);
}

void MyCanvas::OnMouseEvent(wxMouseEvent& event)
{
    wxClientDC dc(this);
    PrepareDC(dc);
    m_owner->PrepareDC(dc);
    SetCursor(wxCursor(wxCURSOR_ARROW));
    const wxPoint pt = event.GetLogicalPosition(dc);
    restartTimer();

    MouseKind kind = MouseKind::Other;
    if (event.LeftDown())
        kind = MouseKind::LeftDown;
    else if (event.LeftUp())
        kind = MouseKind::LeftUp;
    else if (event.RightDown())
        kind = MouseKind::RightDown;
    const MouseOutcome outcome = handleMouseEvent(kind, event.LeftIsDown(), event.RightIsDown(), pt);
    if (outcome.handCursor)
        SetCursor(wxCursor(wxCURSOR_HAND));
    if (outcome.repaint)
        Refresh(false, nullptr);
    event.Skip();
}

void MyCanvas::OnDoubleClick(wxMouseEvent&)
{
    addnewpolygon();
}

void MyCanvas::restartTimer()
{
    m_timer.Start(-1, wxTIMER_CONTINUOUS);
}
