// A user's run, measured: rings 1 and 2 around the start cell grown by real
// mouse input through the X server (xdotool), aimed at the vertices' drawn
// positions with a jitter of up to 6 pixels either way. Not part of the usual
// run (it moves the pointer and takes seconds): scripts/measure-building.sh
// runs it and prints the figures.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <wx/statusbr.h>

#include "app/frame.h"
#include "io/sample_loader.h"
#include "model/adjacency.h"
#include "model/store.h"
#include "model/vertex_fans.h"
#include "tests/window_harness.h"
#include "view/canvas.h"

namespace {
struct Tally {
    int actions = 0, failures = 0, silent = 0, zooms = 0;
};

std::mt19937 jitterSource(std::getenv("KORVITH_USER_RUN_SEED") ? std::atoi(std::getenv("KORVITH_USER_RUN_SEED"))
                                                                 : 26);

bool xdo(const std::string& args)
{
    return std::system(("xdotool " + args).c_str()) == 0;
}

// The screen position of vertex p as last drawn, plus the jitter.
wxPoint aimAt(int p)
{
    std::uniform_int_distribution<int> jitter(-6, 6);
    MyCanvas* canvas = mainFrame()->canvas;
    return canvas->ClientToScreen(wxPoint(gv[p].x + jitter(jitterSource), gv[p].y + jitter(jitterSource)));
}

void settle()
{
    pumpEvents(120);
}

// One Shift + double click at vertex p; true when a cell was added.
bool shiftDoubleClick(int p, Tally& t)
{
    mainFrame()->SetStatusText("", 0);
    const int before = NOS, verticesBefore = NOV;
    const wxPoint at = aimAt(p);
    ++t.actions;
    xdo("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y));
    settle();
    xdo("keydown shift click --repeat 2 --delay 60 1 keyup shift");
    settle();
    if (NOS > before)
        return true;
    ++t.failures;
    if (mainFrame()->GetStatusBar()->GetStatusText(0).empty())
        ++t.silent;
    if (std::getenv("KORVITH_USER_RUN_LOG"))
        std::printf("  no cell at %d: vertices %d -> %d, status \"%s\"\n", p, verticesBefore, NOV,
                    mainFrame()->GetStatusBar()->GetStatusText(0).utf8_str().data());
    return false;
}

// Grows a cell at vertex p with up to three tries, zooming out first (an
// action too) while p is drawn outside the window.
void grow(int p, Tally& t)
{
    const wxSize size = mainFrame()->canvas->GetClientSize();
    for (int k = 0; k < 5 && (gv[p].x < 10 || gv[p].y < 10 || gv[p].x > size.x - 10 || gv[p].y > size.y - 10); ++k) {
        ++t.actions;
        ++t.zooms;
        xdo("key minus");
        settle();
    }
    for (int k = 0; k < 3 && !shiftDoubleClick(p, t); ++k) {
    }
}

std::vector<int> boundaryLoop()
{
    std::vector<int> loop;
    const std::vector<BoundarySide> sides = boundarySides();
    if (sides.empty())
        return loop;
    std::vector<int> next(NOV, -1);
    for (const BoundarySide& s : sides)
        next[s.from] = s.to;
    for (int x = sides[0].from; x >= 0 && (loop.empty() || x != loop[0]) && loop.size() <= sides.size(); x = next[x])
        loop.push_back(x);
    return loop;
}
}  // namespace

TEST(UserRun, DISABLED_RingsOneAndTwoWithShiftDoubleClicks)
{
    MyFrame* frame = mainFrame();
    frame->Raise();
    settle();
    ReadSampleData(FIRST_SAMPLE);
    frame->canvas->Refresh();
    settle();
    Tally ring1, ring2;
    for (int p = 0; p < 7; ++p)
        grow(p, ring1);
    const int cells1 = NOS / 7;
    for (int p : boundaryLoop())
        if (p < NOV && vertexFans(p).faces < 6)
            grow(p, ring2);
    const int cells2 = NOS / 7;
    std::printf("ring 1: %d cells (8 wanted), %d actions (%d zooms), %d failures, %d silent\n", cells1,
                ring1.actions, ring1.zooms, ring1.failures, ring1.silent);
    std::printf("ring 2: %d cells (29 wanted), %d actions (%d zooms), %d failures, %d silent\n", cells2,
                ring2.actions, ring2.zooms, ring2.failures, ring2.silent);
    std::printf("surface: %d vertices, %d faces\n", NOV, NOS);
    EXPECT_EQ(cells1, 8);
    EXPECT_EQ(cells2, 29);
    EXPECT_EQ(ring1.silent + ring2.silent, 0);
}

