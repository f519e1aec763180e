#include "view/canvas.h"

#include <algorithm>
#include <cmath>

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/statusbr.h>

#include "construct/add_cell.h"
#include "construct/edit_commands.h"
#include "construct/add_glued.h"
#include "model/derived_data.h"
#include "view/animation.h"
#include "view/canvas_host.h"
#include "model/document.h"
#include "model/store.h"
#include "view/face_colour.h"
#include "view/icon1.xpm"
#include "view/glue_aim.h"
#include "view/mouse.h"
#include "view/projection.h"
#include "view/printout.h"
#include "view/cairo_picture.h"
#include "view/strain_key.h"
#include "view/view_commands.h"

// clang-format off
wxBEGIN_EVENT_TABLE(MyCanvas, wxWindow)
    EVT_PAINT(MyCanvas::OnPaint)
    EVT_MOUSE_EVENTS(MyCanvas::OnMouseEvent)
    EVT_LEFT_DCLICK(MyCanvas::OnDoubleClick)
    EVT_TIMER(ID_TIMER, MyCanvas::OnTimer)
    EVT_SIZE(MyCanvas::OnSize)
wxEND_EVENT_TABLE()
// clang-format on

MyCanvas::MyCanvas(CanvasHost* frame)
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
    if (m_picture)
        cairo_surface_destroy(m_picture);
}

void MyCanvas::OnPaint(wxPaintEvent&)
{
    FrameStats::Clock clock(m_stats);
    ++m_paints;
    wxPaintDC pdc(this);
    PrepareDC(pdc);
    m_owner->PrepareDC(pdc);
    int w = 0, h = 0;
    GetClientSize(&w, &h);
    paintFrame(pdc, w, h, GetContentScaleFactor());
}

void MyCanvas::DrawPoly(wxMemoryDC& dc)
{
    const wxSize size = dc.GetSize();
    paintFrame(dc, size.x, size.y, 1.0);
}

void MyCanvas::paintFrame(wxDC& dc, int w, int h, double scale)
{
    buildScene(m_scene, SceneUse::Window);
    placeStrainKey(m_scene, w, h);  // in the corner of the window, wherever the centre lies
    if (m_stats.vectorPainting()) {
        // The toolkit's antialiased vector shapes into the 1600 x 1200 bitmap,
        // as the window painted before: kept for measuring against.
        wxMemoryDC mdc(*gs_bmpScreen);
        paintSceneDC(mdc, m_scene);
        dc.Blit(0, 0, 1600, 1200, &mdc, 0, 0, wxCOPY, false);
        paintedFrame();
        return;
    }
    const int pw = std::max(1, static_cast<int>(std::ceil(w * scale)));
    const int ph = std::max(1, static_cast<int>(std::ceil(h * scale)));
    if (!m_picture || cairo_image_surface_get_width(m_picture) != pw || cairo_image_surface_get_height(m_picture) != ph) {
        if (m_picture)
            cairo_surface_destroy(m_picture);
        m_picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pw, ph);
    }
    rasterSceneInto(m_picture, m_scene, scale);
    cairo_surface_set_device_scale(m_picture, scale, scale);

    // One copy of the whole picture onto the window (or bitmap) through its cairo context.
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    cairo_t* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
    if (cr) {
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, m_picture, 0, 0);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_fill(cr);
        cairo_restore(cr);
    } else {
        wxImage copy(pw, ph, false);
        unsigned char* rgb = copy.GetData();
        const unsigned char* data = cairo_image_surface_get_data(m_picture);
        const int stride = cairo_image_surface_get_stride(m_picture);
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < pw; ++x, rgb += 3) {
                const uint32_t p = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride)[x];
                rgb[0] = (p >> 16) & 255, rgb[1] = (p >> 8) & 255, rgb[2] = p & 255;
            }
        dc.DrawBitmap(wxBitmap(copy), 0, 0);
    }
    dc.DrawText(messagetxt, 0, 0);
    paintedFrame();
}

void MyCanvas::paintedFrame()
{
    m_paintedPick = g_purtj;
    m_paintedDragPick = g_dragpurtj;
    m_paintedMessage = messagetxt;
    const wxString title = windowTitleFor(messagetxt);
    if (m_owner->GetTitle() != title)
        m_owner->SetTitle(title);
    // The document at a glance in the second field: name, unsaved changes, size, edge error.
    const wxString summary = wxString::FromUTF8(documentSummary());
    if (m_owner->GetStatusBar() && m_owner->GetStatusBar()->GetStatusText(1) != summary)
        m_owner->SetStatusText(summary, 1);
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
    m_stats.tick(g_modify_until_valid);
    const TickResult tick = animationTick();
    if (tick.modifyUntilValidEnded || tick.relaxPreciselyEnded || tick.stoppedRunaway)
        m_owner->syncActivityChecks();
    // The picture's message goes with the next idle tick; the error the
    // precise relaxation reached stays in the status bar until the next action.
    if (tick.relaxPreciselyEnded) {
        wxString reached = wxString(messagetxt).Trim();
        // The report leads only while the status bar still shows it.
        const wxStatusBar* bar = m_owner->GetStatusBar();
        if (!m_relaxingAfter.empty() && bar && bar->GetStatusText(0) == m_relaxingAfter) {
            reached.Replace("Relaxing precisely", "relaxed precisely");
            reached = m_relaxingAfter + "; then " + reached;
        }
        say(reached);
    }
    if (tick.stopTimer) {
        m_timer.Stop();
        // An idle tick (after hovering, say) repaints only when the picture changes.
        if (g_purtj == m_paintedPick && g_dragpurtj == m_paintedDragPick && messagetxt == m_paintedMessage)
            return;
    }
    // Paint now: queued, the repaint would wait behind the next tick whenever a
    // tick and a paint take longer than the interval, and the user would see
    // only some of the steps.
    Refresh(false, nullptr);
    Update();
}

void MyCanvas::OnMouseEvent(wxMouseEvent& event)
{
    wxClientDC dc(this);
    PrepareDC(dc);
    m_owner->PrepareDC(dc);
    SetCursor(wxCursor(wxCURSOR_ARROW));
    const wxPoint pt = event.GetLogicalPosition(dc);
    restartTimer();
    // Ctrl + wheel zooms about the pointer; the plain wheel goes on as any motion.
    if (event.GetEventType() == wxEVT_MOUSEWHEEL && event.ControlDown() && event.GetWheelRotation() != 0) {
        zoomAbout(pt.x, pt.y, event.GetWheelRotation() > 0 ? 1.25 : 0.8);
        Refresh(false, nullptr);
        event.Skip();
        return;
    }

    MouseKind kind = MouseKind::Other;
    if (event.LeftDown())
        kind = MouseKind::LeftDown;
    else if (event.LeftUp())
        kind = MouseKind::LeftUp;
    else if (event.RightDown())
        kind = MouseKind::RightDown;
    if (kind == MouseKind::LeftDown || kind == MouseKind::RightDown)
        unsay();
    const MouseOutcome outcome = handleMouseEvent(kind, event.LeftIsDown(), event.RightIsDown(), pt);
    if (!outcome.status.empty())
        say(outcome.status);
    if (outcome.handCursor)
        SetCursor(wxCursor(wxCURSOR_HAND));
    if (outcome.repaint)
        Refresh(false, nullptr);
    event.Skip();
}

void MyCanvas::OnDoubleClick(wxMouseEvent& event)
{
    unsay();
    if (event.ShiftDown()) {
        wxClientDC dc(this);
        PrepareDC(dc);
        m_owner->PrepareDC(dc);
        const int aimed = aimCellAt(event.GetLogicalPosition(dc));
        if (aimed >= 0)
            g_purtj = aimed;
        const AddGluedReport report = addGluedCommand();
        if (!report.added) {
            say(report.refusal);
            return;
        }
        restartTimer();
        Refresh(false, nullptr);
        return;
    }
    say(addCellCommand());
}

void MyCanvas::say(const wxString& line)
{
    if (line.empty())
        return;
    m_said = line;
    m_relaxingAfter.clear();
    m_owner->SetStatusText(line, 0);
}

void MyCanvas::sayUntilRelaxed(const wxString& report)
{
    say(report);
    m_relaxingAfter = report;
}

void MyCanvas::unsay()
{
    if (!m_said.empty() && m_owner->GetStatusBar() && m_owner->GetStatusBar()->GetStatusText(0) == m_said)
        m_owner->SetStatusText("", 0);
    m_said.clear();
}

void MyCanvas::restartTimer()
{
    m_timer.Start(-1, wxTIMER_CONTINUOUS);
}
