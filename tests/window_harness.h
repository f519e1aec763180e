// Helpers of the window tests: the running application's frame, event
// pumping, real key presses through the X server, and a recorder of commands.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <wx/event.h>

class MyFrame;

// The main window created by MyApp::OnInit.
MyFrame* mainFrame();

// Puts the program back as it starts: the start-up cell, a history of one
// snapshot, every variable at its start value, no check mark, the welcome
// status text, the frame's title, position and size. Runs before every test.
void resetWindowState();

// Handles pending events (paints, timers, X input) for about `ms` milliseconds.
void pumpEvents(int ms);

// Handles pending events until `done` holds or `ms` milliseconds have passed,
// and returns whether it holds. A key pressed through the X server arrives
// when the server and a busy machine let it, not after a fixed time.
bool pumpEventsUntil(const std::function<bool()>& done, int ms = 2000);

// Sends a real key press with xdotool (for example "ctrl+shift+z") to the
// main window, raised, with its canvas focused and the pointer resting on it;
// returns true when xdotool ran.
bool pressKey(const std::string& keys);

// Sends a mouse event of `type` at (x, y) to the canvas, with the left or
// right button held and Shift down as given, as the toolkit would deliver it.
void sendMouse(wxEventType type, int x, int y, bool left, bool right, bool shift);

// Sends `id` through the frame's command table, as choosing the menu item does.
void sendCommand(int id);

// Sits first in the frame's handler chain and records every command id that
// reaches the frame, without letting it run further.
class CommandRecorder : public wxEvtHandler {
public:
    CommandRecorder();
    ~CommandRecorder() override;
    std::vector<int> ids;

private:
    void OnMenu(wxCommandEvent& event) { ids.push_back(event.GetId()); }
};
