// The file and colour dialogs of the commands, behind replaceable functions so
// that the commands can be driven without a person at the screen.
#pragma once

#include <functional>

#include <wx/arrstr.h>
#include <wx/colour.h>
#include <wx/string.h>

class wxWindow;

// Shows a file dialog (`style` wxFD_OPEN or wxFD_SAVE) and returns the chosen
// full path, or an empty string when the user cancels. The dialog starts in
// promptFolder().
using FilePrompt = std::function<wxString(wxWindow* parent, const wxString& message, const wxString& defaultName,
                                          const wxString& wildcard, long style)>;

// Shows the colour chooser starting at `initial` and returns the chosen
// colour, or an invalid colour when the user cancels.
using ColourPrompt = std::function<wxColour(wxWindow* parent, const wxColour& initial)>;

// The prompts the commands use: the toolkit's dialogs unless replaced.
FilePrompt& filePrompt();
// The folder the file dialogs start in: that of the file last opened or saved
// (g_Path), or empty (the working folder) when there is none.
wxString promptFolder();

// Asks for a positive number with `message`, offering `initial`; puts it in
// *value and returns true, or returns false when the user cancels.
using NumberPrompt = std::function<bool(wxWindow* parent, const wxString& message, double initial, double* value)>;
NumberPrompt& numberPrompt();
ColourPrompt& colourPrompt();

// Asks "Save changes to NAME?" (`message`) with Save, Discard and Cancel, and
// returns wxID_YES (save), wxID_NO (discard) or wxID_CANCEL.
using SavePrompt = std::function<int(wxWindow* parent, const wxString& message)>;
SavePrompt& savePrompt();
// Asks the user to choose one of `choices` with `message`, offering the one at
// `initial`; returns the index chosen, or -1 when the user cancels.
using ChoicePrompt =
    std::function<int(wxWindow* parent, const wxString& message, const wxArrayString& choices, int initial)>;
ChoicePrompt& choicePrompt();

// Asks "Restore the surface from 14:32?" (`message`) with Restore and Discard;
// returns wxID_YES (restore), wxID_NO (discard) or anything else to keep it
// for the next start (the dialog closed without an answer).
using RestorePrompt = std::function<int(wxWindow* parent, const wxString& message)>;
RestorePrompt& restorePrompt();

// Tells the user `message` in a box with an OK button, captioned `caption`.
using NoticePrompt = std::function<void(wxWindow* parent, const wxString& message, const wxString& caption)>;
NoticePrompt& noticePrompt();
