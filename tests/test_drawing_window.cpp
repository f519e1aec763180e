// The drawing pass rendered into the off-screen picture and read back pixel by pixel.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/statusbr.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tests/window_harness.h"
#include "view/canvas.h"
#include "view/face_colour.h"
#include "view/projection.h"

namespace {
wxImage render()
{
    wxMemoryDC dc;
    dc.SelectObject(*gs_bmpScreen);
    mainFrame()->canvas->DrawPoly(dc);
    dc.SelectObject(wxNullBitmap);
    return gs_bmpScreen->ConvertToImage();
}

RGBColour pixel(const wxImage& image, int x, int y)
{
    return RGBColour{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

// Restores the start-up cell and view state before a drawing test.
void startUpCell()
{
    ReadSampleData(FIRST_SAMPLE);
    g_centerx = 320;
    g_centery = 220;
    g_rate = 100.0;
    g_purtj = g_dragpurtj = -1;
    messagetxt = " ";
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
}
}  // namespace

TEST(Drawing, StartUpCellIsPaintedWithItsFaceColours)
{
    startUpCell();
    const wxImage image = render();
    EXPECT_EQ(pixel(image, 600, 60), backgroundColour);
    EXPECT_EQ(pixel(image, 2 * g_centerx, 100), (RGBColour{255, 255, 255})) << "the white border";
    for (int i = 0; i < NOV; ++i) {
        EXPECT_EQ(gv[i].x, 320 + static_cast<int>(std::floor(100 * v[i].x)));
        EXPECT_EQ(gv[i].y, 220 - static_cast<int>(std::floor(100 * v[i].y)));
    }
    int front = 0;
    for (int f = 0; f < NOS; ++f) {
        // The middle of each projected triangle shows the face's own colour.
        const int x = (gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3;
        const int y = (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3;
        EXPECT_EQ(pixel(image, x, y), getcolor(f)) << "face " << f;
        const RGBColour c = getcolor(f);
        // Front faces: shades of (229, 224, 188), lighter or darker along one line.
        if (c.r > 150) {
            ++front;
            EXPECT_GE(c.r, c.g);
            EXPECT_GE(c.g, c.b);
        }
    }
    EXPECT_EQ(front, 7) << "the start-up cell faces the viewer";
    // The rim vertices are corners of black outlines (smoothed by the toolkit).
    EXPECT_LT(pixel(image, gv[0].x, gv[0].y).r, 64);
    // The centre's angle sum is off the theory value: its mark has the computed colour.
    RGBColour mark;
    ASSERT_TRUE(angleSumMark(7, theoryCurvature(), &mark));
    EXPECT_EQ(pixel(image, gv[7].x + 2, gv[7].y + 2), mark);
    EXPECT_EQ(mainFrame()->GetTitle(), "Korvith");
}

TEST(Drawing, PickMarkAndTintAndStatusMessage)
{
    startUpCell();
    g_purtj = 3;
    messagetxt = "Now smoothing..";
    const wxImage image = render();
    EXPECT_EQ(pixel(image, gv[3].x + 2, gv[3].y + 1), (RGBColour{255, 0, 0}));
    const int x = (gv[2].x + gv[3].x + gv[7].x) / 3;
    const int y = (gv[2].y + gv[3].y + gv[7].y) / 3;
    EXPECT_EQ(pixel(image, x, y), getcolor(2)) << "face (2, 3, 7) is tinted";
    EXPECT_GT(getcolor(2).g, getcolor(2).r);
    EXPECT_EQ(mainFrame()->GetTitle(), "Now smoothing..");
    // Some text pixels are drawn in the top-left corner.
    int dark = 0;
    for (int py = 0; py < 16; ++py)
        for (int px = 0; px < 100; ++px)
            dark += image.GetRed(px, py) < 128;
    EXPECT_GT(dark, 20);
    messagetxt = " ";
    render();
    EXPECT_EQ(mainFrame()->GetTitle(), "Korvith");
}

TEST(Drawing, SelectedComponentsAreOutlinedWithDashes)
{
    startUpCell();
    const wxImage plain = render();
    hilighted[1] = true;
    const wxImage dashed = render();
    hilighted[1] = false;
    // Along the rim edge 0-1 a solid outline is black everywhere, a dashed one is not.
    int changed = 0;
    for (int k = 2; k < 20; ++k) {
        const int x = gv[0].x + (gv[1].x - gv[0].x) * k / 22;
        const int y = gv[0].y + (gv[1].y - gv[0].y) * k / 22;
        changed += !(pixel(plain, x, y) == pixel(dashed, x, y));
    }
    EXPECT_GT(changed, 0);
}

TEST(Drawing, ResizeRecentresTheProjection)
{
    MyCanvas* canvas = mainFrame()->canvas;
    const wxSize before = canvas->GetClientSize();
    canvas->SetClientSize(801, 601);
    pumpEventsUntil([] { return g_centerx == 400 && g_centery == 300; });
    EXPECT_EQ(g_centerx, 400);
    EXPECT_EQ(g_centery, 300);
    canvas->SetClientSize(before);
    pumpEvents(100);
}

TEST(Drawing, CurvatureRangeReportsInTheStatusBar)
{
    startUpCell();
    render();
    sendCommand(ID_CURVATURE_RANGE);
    const wxString text = mainFrame()->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(text.StartsWith("Curvature : min=")) << text;
    EXPECT_TRUE(text.EndsWith(", theory=6.597345")) << text;
    EXPECT_EQ(text, wxString(curvatureRangeText()));
}

TEST(Drawing, HoveringRepaintsOnlyWhenThePickedVertexChanges)
{
    startUpCell();
    MyCanvas* canvas = mainFrame()->canvas;
    pumpEvents(200);
    render();
    auto hover = [&](int x, int y) {
        wxMouseEvent event(wxEVT_MOTION);
        event.SetEventObject(canvas);
        event.m_x = x;
        event.m_y = y;
        canvas->GetEventHandler()->ProcessEvent(event);
        pumpEvents(60);
    };
    hover(20, 20);  // settles the picked vertex and the message
    const long before = canvas->m_paints;
    for (int k = 0; k < 10; ++k)
        hover(20 + k, 30);  // over empty canvas: nothing changes
    EXPECT_EQ(canvas->m_paints, before);
    hover(gv[3].x, gv[3].y);
    EXPECT_GT(canvas->m_paints, before) << "the picked vertex changed";
    hover(20, 20);
}

TEST(Drawing, APictureLargerThan1600By1200ShowsTheWholeSurface)
{
    startUpCell();
    g_centerx = 1300;
    g_centery = 700;
    g_rate = 1200.0;  // the cell reaches far beyond x = 1600
    wxBitmap big(2000, 1400);
    wxMemoryDC dc;
    dc.SelectObject(big);
    mainFrame()->canvas->DrawPoly(dc);
    dc.SelectObject(wxNullBitmap);
    const wxImage image = big.ConvertToImage();
    int faces = 0;
    for (int f = 0; f < NOS; ++f) {
        const int x = (gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3;
        const int y = (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3;
        if (x > 1600 && x < 2000 && y > 0 && y < 1400) {
            ++faces;
            EXPECT_EQ(pixel(image, x, y), getcolor(f)) << "face " << f;
        }
    }
    EXPECT_GT(faces, 0);
    g_rate = 100.0;
}
