#include "app/prompts.h"

#include <wx/choicdlg.h>
#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

#include <cmath>

#include "model/store.h"

FilePrompt& filePrompt()
{
    static FilePrompt prompt = [](wxWindow* parent, const wxString& message, const wxString& defaultName,
                                  const wxString& wildcard, long style) {
        // A file saved where the user did not expect it is work they cannot find.
        const wxString folder = g_Path.empty() ? wxString() : wxFileName(g_Path).GetPath();
        wxFileDialog dialog(parent, message, folder, defaultName, wildcard, style);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    };
    return prompt;
}

wxString promptFolder()
{
    // A file saved where the user did not expect is work they cannot find.
    return g_Path.empty() ? wxString() : wxFileName(g_Path).GetPath();
}

namespace {
// A question with three answers, given as wxID_YES, wxID_NO and wxID_CANCEL.
int askThreeWays(wxWindow* parent, const wxString& message, const wxString& yes, const wxString& no,
                 const wxString& cancel)
{
    wxMessageDialog dialog(parent, message, "Korvith", wxYES_NO | wxCANCEL | wxICON_QUESTION);
    dialog.SetYesNoCancelLabels(yes, no, cancel);
    return dialog.ShowModal();
}
}  // namespace

RestorePrompt& restorePrompt()
{
    static RestorePrompt prompt = [](wxWindow* parent, const wxString& message) {
        return askThreeWays(parent, message, "&Restore", "&Discard", "&Later");
    };
    return prompt;
}

NoticePrompt& noticePrompt()
{
    static NoticePrompt prompt = [](wxWindow* parent, const wxString& message, const wxString& caption) {
        wxMessageBox(message, caption, wxOK | wxICON_INFORMATION, parent);
    };
    return prompt;
}

SavePrompt& savePrompt()
{
    static SavePrompt prompt = [](wxWindow* parent, const wxString& message) {
        return askThreeWays(parent, message, "&Save", "&Discard", "&Cancel");
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
