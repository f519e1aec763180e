#include "view/canvas.h"

#include <wx/dcclient.h>
#include <wx/icon.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "model/store.h"
#include "view/icon1.xpm"

// clang-format off
wxBEGIN_EVENT_TABLE(MyCanvas, wxWindow)
    EVT_PAINT(MyCanvas::OnPaint)
    EVT_TIMER(ID_TIMER, MyCanvas::OnTimer)
    EVT_SIZE(MyCanvas::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

MyCanvas::MyCanvas(MyFrame* frame)
    : wxWindow(frame, wxID_ANY, wxPoint(0, 0), wxSize(640, 480), 0), m_owner(frame), m_timer(this, ID_TIMER)
{
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
}

void MyCanvas::DrawPoly(wxMemoryDC& dc)
{
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(wxBrush(wxColour(backgroundColour.r, backgroundColour.g, backgroundColour.b)));
    dc.DrawRectangle(0, 0, 2 * g_centerx + 1, 2 * g_centery + 1);
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
    messagetxt = " ";
    m_timer.Stop();
    Refresh(false, nullptr);
}
