// The window as a place to work: no changed surface is replaced or closed
// without a question, the status bar's second field tells what is open, Fit
// to window, Ctrl + wheel and the arrow keys.
#include <wx/statusbr.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/frame.h"
#include "app/prompts.h"
#include "construct/grow_ring.h"
#include "model/document.h"
#include "model/store.h"
#include "tests/window_harness.h"
#include "view/canvas.h"
#include "view/projection.h"

namespace {
// Answers the save question with `answer` and keeps what it asked.
struct SaveAnswers {
    explicit SaveAnswers(int answer) : kept(savePrompt())
    {
        savePrompt() = [this, answer](wxWindow*, const wxString& message) {
            asked.push_back(message);
            return answer;
        };
    }
    ~SaveAnswers() { savePrompt() = kept; }
    SavePrompt kept;
    std::vector<wxString> asked;
};

wxString documentField()
{
    return mainFrame()->GetStatusBar()->GetStatusText(1);
}
}  // namespace

// A report in the first field is about the surface it was made on.
TEST(Document, AnotherSurfaceTakesTheFormerOnesReportAway)
{
    sendCommand(12);  // the "single" sample
    sendCommand(ID_CURVATURE_RANGE);
    ASSERT_FALSE(mainFrame()->GetStatusBar()->GetStatusText(0).empty());
    sendCommand(13);  // the torio
    pumpEvents(20);
    EXPECT_EQ(mainFrame()->GetStatusBar()->GetStatusText(0), "");
}

TEST(Document, ReplacingOrClosingAChangedSurfaceAsksFirst)
{
    MyFrame* frame = mainFrame();
    {
        SaveAnswers cancel(wxID_CANCEL);
        EXPECT_TRUE(frame->keepOrDiscardChanges()) << "the start-up cell as it opened";
        sendCommand(ID_GROW_RING);
        pumpEvents(50);
        ASSERT_EQ(NOS, 56);
        EXPECT_FALSE(frame->keepOrDiscardChanges());
        sendCommand(ID_QUIT);
        pumpEvents(50);
        EXPECT_TRUE(frame->IsShown()) << "Cancel keeps the window open";
        sendCommand(12);  // the "single" sample
        EXPECT_EQ(NOS, 56) << "Cancel keeps the surface";
        ASSERT_EQ(cancel.asked.size(), 3u);
        EXPECT_EQ(cancel.asked[0], "Save changes to untitled?");
    }
    {
        SaveAnswers discard(wxID_NO);
        sendCommand(12);
        EXPECT_EQ(NOS, 7) << "Discard goes on";
        EXPECT_EQ(discard.asked.size(), 1u);
        EXPECT_TRUE(frame->keepOrDiscardChanges()) << "a sample just chosen has nothing unsaved";
    }
    {
        // Saving answers the question for good: nothing is asked until the next change.
        const std::string path = "/tmp/korvith-document-test.kor";
        const FilePrompt kept = filePrompt();
        filePrompt() = [&](wxWindow*, const wxString&, const wxString&, const wxString&, long) {
            return wxString(path);
        };
        SaveAnswers save(wxID_YES);
        sendCommand(ID_GROW_RING);
        EXPECT_TRUE(frame->keepOrDiscardChanges()) << "Save writes the file and goes on";
        EXPECT_EQ(save.asked.size(), 1u);
        EXPECT_FALSE(surfaceChanged());
        EXPECT_TRUE(frame->keepOrDiscardChanges());
        EXPECT_EQ(save.asked.size(), 1u);
        filePrompt() = kept;
        std::remove(path.c_str());
    }
}

TEST(Document, TheStatusBarTellsTheFileAndItsChangesButTurningIsNoChange)
{
    pumpEvents(50);
    EXPECT_TRUE(documentField().StartsWith("untitled \xE2\x80\x94 1 cell \xC2\xB7 7 faces \xC2\xB7 level 1")) << documentField();
    const Point3 before = v[1];  // a rim vertex, away from the axes
    ASSERT_TRUE(pressKey("Left"));
    ASSERT_TRUE(pressKey("Up"));
    EXPECT_TRUE(pumpEventsUntil([&] { return v[1].x != before.x && v[1].y != before.y; })) << "the keys turn it";
    EXPECT_FALSE(surfaceChanged()) << "turning the model to look at it";
    EXPECT_FALSE(documentField().Contains("*")) << documentField();
    sendCommand(ID_GROW_RING);
    pumpEvents(100);
    EXPECT_TRUE(documentField().StartsWith("untitled* \xE2\x80\x94 8 cells \xC2\xB7 56 faces")) << documentField();
}

TEST(Document, FitToWindowShowsEveryVertexAndCtrlWheelZoomsAboutThePointer)
{
    MyFrame* frame = mainFrame();
    sendCommand(25);  // Diamond Lattice 2, larger than the window
    int w = 0, h = 0;
    frame->canvas->GetClientSize(&w, &h);
    sendCommand(ID_FIT_TO_WINDOW);  // what Home does; the key itself is pressed in the accelerator test
    pumpEvents(100);
    projectVertices();
    for (int i = 0; i < NOV; ++i) {
        EXPECT_GE(gv[i].x, 0) << i;
        EXPECT_LT(gv[i].x, w) << i;
        EXPECT_GE(gv[i].y, 0) << i;
        EXPECT_LT(gv[i].y, h) << i;
    }

    // The model point under the pointer stays under it, in and out.
    for (int rotation : {120, 120, -120, -120, -120}) {
        const int px = w / 3, py = h / 4;
        const double mx = (px - g_centerx) / g_rate, my = (g_centery - py) / g_rate;
        const double rate = g_rate;
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.SetPosition(wxPoint(px, py));
        wheel.SetControlDown(true);
        wheel.m_wheelRotation = rotation;
        wheel.m_wheelDelta = 120;
        wheel.SetEventObject(frame->canvas);
        frame->canvas->GetEventHandler()->ProcessEvent(wheel);
        EXPECT_NEAR(g_rate, rotation > 0 ? rate * 1.25 : rate * 0.8, 1e-9);
        EXPECT_LE(std::fabs(g_centerx + g_rate * mx - px), 1.0);
        EXPECT_LE(std::fabs(g_centery - g_rate * my - py), 1.0);
    }
    // The plain wheel zooms nothing.
    const double rate = g_rate;
    wxMouseEvent plain(wxEVT_MOUSEWHEEL);
    plain.m_wheelRotation = 120;
    plain.m_wheelDelta = 120;
    frame->canvas->GetEventHandler()->ProcessEvent(plain);
    EXPECT_EQ(g_rate, rate);
}
