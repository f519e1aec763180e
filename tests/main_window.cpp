// Test runner of the window program: starts MyApp as the program does (under
// Xvfb), then runs the tests against its frame.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/app.h"
#include "app/command_ids.h"
#include "app/frame.h"
#include "app/prompts.h"
#include "geometry/gap_relaxation.h"
#include "io/autosave.h"
#include "io/sample_loader.h"
#include "model/store.h"
#include "view/canvas.h"
#include "view/mouse.h"
#include "tests/window_harness.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

MyFrame* mainFrame()
{
    return wxDynamicCast(wxTheApp->GetTopWindow(), MyFrame);
}

void pumpEvents(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
}

bool pumpEventsUntil(const std::function<bool()>& done, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        pumpEvents(10);
    }
    return true;
}

void sendMouse(wxEventType type, int x, int y, bool left, bool right, bool shift)
{
    MyCanvas* canvas = mainFrame()->canvas;
    wxMouseEvent event(type);
    event.SetEventObject(canvas);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.m_shiftDown = shift;
    canvas->GetEventHandler()->ProcessEvent(event);
}

bool pressKey(const std::string& keys)
{
    // The keyboard goes to this program's window first: a window that had it
    // (another program a test started and closed) may be gone, and with it
    // the focus. On a bare X server keys go to the window under the pointer,
    // so the pointer rests on the canvas too.
    MyFrame* frame = mainFrame();
    frame->Raise();
    frame->canvas->SetFocus();
    const wxPoint middle = frame->canvas->GetScreenPosition() + frame->canvas->GetClientSize() / 2;
    const std::string focus = "xdotool mousemove " + std::to_string(middle.x) + " " + std::to_string(middle.y) +
                              " search --onlyvisible --pid " + std::to_string(getpid()) +
                              " --name . windowfocus %1 sleep 0.05 2>/dev/null; ";
    return std::system((focus + "xdotool key --delay 20 " + keys).c_str()) == 0;
}

void sendCommand(int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(mainFrame());
    mainFrame()->ProcessWindowEvent(event);
}

CommandRecorder::CommandRecorder()
{
    Bind(wxEVT_MENU, &CommandRecorder::OnMenu, this);
    mainFrame()->PushEventHandler(this);
}

CommandRecorder::~CommandRecorder()
{
    mainFrame()->RemoveEventHandler(this);
}

void resetWindowState()
{
    MyFrame* frame = mainFrame();
    frame->canvas->m_timer.Stop();
    endOpeningRing();  // a ring a test grew stops opening with the timer
    resetMouseState();
    resetStore();
    initializeSurfaceStore();  // as the program starts
    for (int id : {ID_TOUCH_PURTURB, ID_BURU_LOOP, ID_REPEAT_SMOOTHING, ID_MODIFY_UNTIL_VALID, ID_RELAX_PRECISELY,
                   ID_MODIFY_OFF})
        frame->swayMenu->Check(id, false);
    frame->GetMenuBar()->Check(ID_SHOW_HIDDEN, false);
    frame->GetMenuBar()->Check(ID_SHOW_STRAIN, false);
    frame->SetStatusText("Welcome to Korvith!", 0);
    frame->SetStatusText("", 1);
    frame->SetTitle("Korvith");
    frame->SetSize(50, 50, 640, 480);
    // Commands that would replace a changed surface ask first; a test that
    // does not answer for itself discards, as the window did before it asked.
    savePrompt() = [](wxWindow*, const wxString&) { return static_cast<int>(wxID_NO); };
    // Nothing waits for a person: a notice is let pass, an autosave is kept.
    noticePrompt() = [](wxWindow*, const wxString&, const wxString&) {};
    restorePrompt() = [](wxWindow*, const wxString&) { return static_cast<int>(wxID_CANCEL); };
    removeAutosave();
    // A window another test left open (a Help window) would take the keys the
    // next test presses: the main window is the only one shown, and has them.
    for (wxWindow* window : wxTopLevelWindows)
        if (window != frame && window->IsShown())
            window->Hide();
    frame->Raise();
    frame->canvas->SetFocus();
    // The size set above reaches the canvas (which recentres the projection)
    // only when the toolkit delivers it: before the test starts, not during it.
    pumpEvents(60);
}

namespace {
// Every test starts from the window as the program opens it, whatever ran before.
class FreshWindowPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { resetWindowState(); }
};
}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshWindowPerTest);
    if (chdir(KORVITH_SOURCE_DIR) != 0)
        return 1;
    // Autosaves and the recent files go to folders of this run, never the user's.
    char folder[] = "/tmp/korvith-window-tests-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string userFolders = folder;
    setenv("XDG_STATE_HOME", (userFolders + "/state").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (userFolders + "/config").c_str(), 1);
    unsetenv("KORVITH_AUTOSAVE_SECONDS");
    wxApp::SetInstance(new MyApp);
    if (!wxEntryStart(argc, argv))
        return 1;
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    if (!wxTheApp->CallOnInit())
        return 1;
    pumpEvents(300);
    const int result = RUN_ALL_TESTS();
    if (MyFrame* frame = mainFrame())
        frame->Destroy();
    pumpEvents(50);
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::system(("rm -rf '" + userFolders + "'").c_str());
    return result;
}
