// A window of read-only text beside the main window: Help > Getting started
// and Help > Keyboard and mouse. Closing it only hides it, so choosing the
// command again shows the same window rather than a second one.
#pragma once

#include <wx/frame.h>

class wxTextCtrl;

class HelpWindow : public wxFrame {
public:
    // `columns`: the text is laid out in columns (a fixed-width font).
    HelpWindow(wxWindow* parent, const wxString& title, const wxString& text, bool columns);
    // The text shown.
    wxString text() const;

private:
    void OnClose(wxCloseEvent& event);
    wxTextCtrl* m_text = nullptr;
};
