#include "app/prompts.h"

#include <wx/colordlg.h>
#include <wx/filedlg.h>

FilePrompt& filePrompt()
{
    static FilePrompt prompt = [](wxWindow* parent, const wxString& message, const wxString& defaultName,
                                  const wxString& wildcard, long style) {
        wxFileDialog dialog(parent, message, "", defaultName, wildcard, style);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
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
