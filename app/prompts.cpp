#include "app/prompts.h"

#include <wx/choicdlg.h>
#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include <cmath>

FilePrompt& filePrompt()
{
    static FilePrompt prompt = [](wxWindow* parent, const wxString& message, const wxString& defaultName,
                                  const wxString& wildcard, long style) {
        wxFileDialog dialog(parent, message, "", defaultName, wildcard, style);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    };
    return prompt;
}

NumberPrompt& numberPrompt()
{
    static NumberPrompt prompt = [](wxWindow* parent, const wxString& message, double initial, double* value) {
        wxString text = wxString::FromCDouble(initial);
        for (;;) {
            wxTextEntryDialog dialog(parent, message, "Export", text);
            if (dialog.ShowModal() != wxID_OK)
                return false;
            text = dialog.GetValue();
            double number = 0;
            if ((text.Trim().Trim(false).ToCDouble(&number) || text.ToDouble(&number)) && number > 0 &&
                std::isfinite(number)) {
                *value = number;
                return true;
            }
            wxMessageBox("Please give a positive number, such as " + wxString::FromCDouble(initial) + ".", "Export",
                         wxOK | wxICON_INFORMATION, parent);
        }
    };
    return prompt;
}

ColourPrompt& colourPrompt()
{
    static ColourPrompt prompt = [](wxWindow* parent, const wxColour& initial) {
        return wxGetColourFromUser(parent, initial);
    };
    return prompt;
}

ChoicePrompt& choicePrompt()
{
    static ChoicePrompt prompt = [](wxWindow* parent, const wxString& message, const wxArrayString& choices,
                                    int initial) {
        wxSingleChoiceDialog dialog(parent, message, "Export", choices);
        dialog.SetSelection(initial);
        return dialog.ShowModal() == wxID_OK ? dialog.GetSelection() : -1;
    };
    return prompt;
}
