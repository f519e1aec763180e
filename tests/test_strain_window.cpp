// Show edge strain in the window: the colours on screen against the scale for
// a surface with known errors, the key in the corner, the colours following
// the surface while it relaxes, and a PNG holding the window's own pixels.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "app/command_ids.h"
#include "app/frame.h"
#include "geometry/face_strain.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tests/window_harness.h"
#include "export/export_surface.h"
#include "view/canvas.h"
#include "view/face_colour.h"
#include "view/strain_colour.h"
#include "view/strain_key.h"

namespace {
RGBColour pixel(const wxImage& image, int x, int y)
{
    return RGBColour{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

// What the X server shows of the canvas's client area after a repaint, read
// with ImageMagick's import as a screenshot is taken.
wxImage canvasOnScreen()
{
    MyCanvas* canvas = mainFrame()->canvas;
    canvas->Refresh(false, nullptr);
    canvas->Update();
    pumpEvents(150);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    char path[] = "/tmp/korvith-screen-XXXXXX.png";
    const int fd = mkstemps(path, 4);
    if (fd < 0)
        return wxImage();
    close(fd);
    wxImage screen;
    if (std::system(("import -window root -depth 8 " + std::string(path)).c_str()) != 0 ||
        !screen.LoadFile(path, wxBITMAP_TYPE_PNG)) {
        std::remove(path);
        return wxImage();
    }
    std::remove(path);
    const wxPoint origin = canvas->ClientToScreen(wxPoint(0, 0));
    return screen.GetSubImage(wxRect(origin, canvas->GetClientSize()));
}

// Moves the X pointer off the window, so that no hovering picks a vertex
// (and tints its faces) while the screen is read.
void pointerAway()
{
    std::system("xdotool mousemove 1270 1010");
    pumpEvents(50);
    g_purtj = g_dragpurtj = -1;
}

wxPoint centroid(int f)
{
    return wxPoint((gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3,
                   (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3);
}

int edgeJoining(int a, int b)
{
    for (int e = 0; e < NOE; ++e)
        if ((edge[e][0] == a && edge[e][1] == b) || (edge[e][0] == b && edge[e][1] == a))
            return e;
    return -1;
}

// The start-up cell laid flat in the plane z = 0 (so that no face is shaded:
// each shows its base colour), every edge at its target length but two: the
// rim edge 0-1 stretched by 0.2 % and the spoke 3-7 by 0.003 %.
void flatCellWithKnownErrors()
{
    refreshDerivedData();
    const Point3 c = v[7];
    for (int i = 0; i < 7; ++i) {
        const double angle = std::atan2(v[i].y - c.y, v[i].x - c.x);
        v[i] = Point3{std::cos(angle), std::sin(angle), 0};
    }
    v[7] = Point3{0, 0, 0};
    for (int e = 0; e < NOE; ++e) {
        const Point3 &a = v[edge[e][0]], &b = v[edge[e][1]];
        phi[e] = std::hypot(a.x - b.x, a.y - b.y);
    }
    ASSERT_GE(edgeJoining(0, 1), 0);
    ASSERT_GE(edgeJoining(3, 7), 0);
    phi[edgeJoining(0, 1)] /= 1.002;
    phi[edgeJoining(3, 7)] /= 1.00003;
    revised_face2edge = revised_facedata = false;  // keep these targets
    g_centerx = mainFrame()->canvas->GetClientSize().x / 2;
    g_centery = mainFrame()->canvas->GetClientSize().y / 2;
    g_rate = 100;
    g_purtj = g_dragpurtj = -1;
}

bool hasCorner(int f, int vertex)
{
    return face[f][0] == vertex || face[f][1] == vertex || face[f][2] == vertex;
}
}  // namespace

TEST(StrainWindow, ColoursOnScreenFollowTheScale)
{
    ASSERT_EQ(NOV, 8);
    pointerAway();
    ASSERT_NO_FATAL_FAILURE(flatCellWithKnownErrors());
    EXPECT_FALSE(mainFrame()->GetMenuBar()->IsChecked(ID_SHOW_STRAIN)) << "off at start";
    wxImage shot = canvasOnScreen();
    ASSERT_TRUE(shot.IsOk()) << "no screenshot";
    for (int f = 0; f < NOS; ++f)
        EXPECT_EQ(pixel(shot, centroid(f).x, centroid(f).y), getcolor(f)) << "the usual colours, face " << f;

    sendCommand(ID_SHOW_STRAIN);
    EXPECT_TRUE(mainFrame()->GetMenuBar()->IsChecked(ID_SHOW_STRAIN));
    shot = canvasOnScreen();
    int stretched = 0, spoke = 0;
    for (int f = 0; f < NOS; ++f) {
        const wxPoint at = centroid(f);
        RGBColour expected = strainColour(0);
        if (hasCorner(f, 0) && hasCorner(f, 1)) {
            expected = strainColour(2e-3);
            ++stretched;
        } else if (hasCorner(f, 3) && hasCorner(f, 7)) {
            expected = strainColour(3e-5);
            ++spoke;
        }
        EXPECT_EQ(pixel(shot, at.x, at.y), expected) << "face " << f;
    }
    EXPECT_EQ(stretched, 1);
    EXPECT_EQ(spoke, 2);
    EXPECT_EQ(strainColour(0), (RGBColour{255, 255, 204})) << "cream at the targets";

    // The key in the bottom-right corner of the window: its bar runs along the same scale.
    const wxSize size = mainFrame()->canvas->GetClientSize();
    int left = 0, top = 0;
    Scene probe;
    placeStrainKey(probe, size.x, size.y, &left, &top);
    const int barLeft = left + STRAIN_BAR_X, barY = top + STRAIN_BAR_Y + STRAIN_BAR_HEIGHT / 2;
    EXPECT_EQ(pixel(shot, left, top), (RGBColour{0, 0, 0}));
    for (double error : {1e-6, 1e-5, 2e-4, 1e-3, 1e-2}) {
        const int column = static_cast<int>(std::lround(strainPosition(error) * (STRAIN_BAR_WIDTH - 1)));
        EXPECT_EQ(pixel(shot, barLeft + column, barY), strainColour(error)) << error;
    }

    sendCommand(ID_SHOW_STRAIN);
    EXPECT_FALSE(mainFrame()->GetMenuBar()->IsChecked(ID_SHOW_STRAIN));
    shot = canvasOnScreen();
    EXPECT_EQ(pixel(shot, centroid(0).x, centroid(0).y), getcolor(0)) << "off again: the usual colours";
    EXPECT_EQ(pixel(shot, barLeft + 10, barY), backgroundColour) << "and no key";
}

TEST(StrainWindow, ColoursFollowTheSurfaceWhileItRelaxes)
{
    // The torus with every vertex pushed off its place: relaxing until stable
    // brings its faces towards cream, and every frame shows the errors the
    // surface has when it is painted.
    pointerAway();
    ReadSampleData(FIRST_SAMPLE + 1);
    for (int i = 0; i < NOV; ++i) {
        v[i].x += 0.03 * std::sin(1.7 * i);
        v[i].y += 0.03 * std::cos(2.3 * i);
    }
    sendCommand(ID_SHOW_STRAIN);
    MyCanvas* canvas = mainFrame()->canvas;
    const wxSize size = canvas->GetClientSize();
    g_centerx = size.x / 2, g_centery = size.y / 2;
    auto meanRedLoss = [](const wxImage& shot) {  // how far from cream the faces are, on average
        double sum = 0;
        for (int f = 0; f < NOS; ++f) {
            const wxPoint at = centroid(f);
            if (at.x >= 0 && at.y >= 0 && at.x < shot.GetWidth() && at.y < shot.GetHeight())
                sum += 255 - shot.GetGreen(at.x, at.y);
        }
        return sum / NOS;
    };
    // Every face shows the colour of its strain now, shaded as usual.
    auto expectCurrentColours = [&](const wxImage& shot, const char* when) {
        std::vector<double> strain;
        faceStrain(strain);
        int seen = 0;
        for (int r = NOS - 1; r >= NOS - 20 && r >= 0; --r) {  // the frontmost faces are not covered
            const int f = order[r];
            const wxPoint at = centroid(f);
            if (at.x < 2 || at.y < 2 || at.x >= shot.GetWidth() - 2 || at.y >= shot.GetHeight() - 2)
                continue;
            const RGBColour base = strainColour(strain[f]);
            // Away from the outlines: a face's pixel is its colour or one covered by a face in front.
            if (pixel(shot, at.x, at.y) == faceColourFrom(f, base, base))
                ++seen;
        }
        EXPECT_GE(seen, 5) << when;
    };
    wxImage before = canvasOnScreen();
    ASSERT_TRUE(before.IsOk()) << "no screenshot";
    expectCurrentColours(before, "as loaded");
    sendCommand(ID_MODIFY_UNTIL_VALID);
    pumpEvents(1500);
    canvas->m_timer.Stop();  // hold the surface still while its picture is read
    g_modify_until_valid = false;
    wxImage after = canvasOnScreen();
    expectCurrentColours(after, "after relaxing");
    EXPECT_LT(meanRedLoss(after), meanRedLoss(before)) << "relaxed faces are nearer cream";
    mainFrame()->swayMenu->Check(ID_MODIFY_UNTIL_VALID, false);
}

TEST(StrainWindow, APngHoldsTheWindowsPixels)
{
    // A surface with all that a frame can show: strain colours and their key,
    // angle-sum marks, a picked vertex, a dashed selected component, the rings
    // of hidden vertices. Painted by the window into its frame buffer and
    // written as a PNG of the same size: the same pixels.
    ReadSampleData(FIRST_SAMPLE + 1);
    refreshDerivedData();
    fill_conn_comp();
    hilighted[1] = true;
    g_purtj = 3;
    g_show_strain = true;
    g_show_hidden = true;
    messagetxt = " ";
    const int width = 640, height = 480;
    g_rate = 70;
    g_centerx = width / 2;
    g_centery = height * 220 / 480;  // where a picture of this size has the centre
    g_picture_width = width, g_picture_height = height;

    wxBitmap frame(width, height, 24);
    wxMemoryDC dc(frame);
    mainFrame()->canvas->DrawPoly(dc);
    dc.SelectObject(wxNullBitmap);
    const wxImage window = frame.ConvertToImage();

    char dir[] = "/tmp/korvith-png-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/view.png";
    std::string why;
    ASSERT_TRUE(exportSurface(path, ".png", nullptr, &why)) << why;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage file;
    ASSERT_TRUE(file.LoadFile(path, wxBITMAP_TYPE_PNG));
    std::remove(path.c_str());
    rmdir(dir);

    ASSERT_EQ(file.GetWidth(), width);
    ASSERT_EQ(file.GetHeight(), height);
    long differ = 0, notBackground = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            differ += pixel(file, x, y) != pixel(window, x, y);
            notBackground += pixel(window, x, y) != backgroundColour;
        }
    EXPECT_EQ(differ, 0) << "of " << width * height << " pixels";
    EXPECT_GT(notBackground, 20000) << "the surface and its key were painted";
}
