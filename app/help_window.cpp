#include "app/help_window.h"

#include <wx/gdicmn.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

HelpWindow::HelpWindow(wxWindow* parent, const wxString& title, const wxString& text, bool columns)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, columns ? wxSize(620, 560) : wxSize(560, 520),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT)
{
    m_text = new wxTextCtrl(this, wxID_ANY, text, wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_READONLY | (columns ? wxTE_DONTWRAP : wxTE_BESTWRAP));
    if (columns)
        m_text->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE)));
    m_text->SetInsertionPoint(0);  // read from the top
    m_text->ShowPosition(0);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_text, 1, wxEXPAND);
    SetSizer(sizer);
    Bind(wxEVT_CLOSE_WINDOW, &HelpWindow::OnClose, this);
    // Beside the main window when the screen has room, over its middle when not.
    const wxRect owner = parent->GetScreenRect();
    const wxPoint beside(owner.GetRight() + 8, owner.GetTop());
    if (beside.x + GetSize().x <= wxGetDisplaySize().x)
        Move(beside);
    else
        CentreOnParent();
}

wxString HelpWindow::text() const
{
    return m_text->GetValue();
}

void HelpWindow::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto()) {
        Hide();
        return;
    }
    event.Skip();
}
