// The file and colour dialogs of the commands, behind replaceable functions so
// that the commands can be driven without a person at the screen.
#pragma once

#include <functional>

#include <wx/colour.h>
#include <wx/string.h>

class wxWindow;

// Shows a file dialog (`style` wxFD_OPEN or wxFD_SAVE) and returns the chosen
// full path, or an empty string when the user cancels. The dialog starts in
// the folder of the file last opened or saved (g_Path), when there is one.
using FilePrompt = std::function<wxString(wxWindow* parent, const wxString& message, const wxString& defaultName,
                                          const wxString& wildcard, long style)>;

// Shows the colour chooser starting at `initial` and returns the chosen
// colour, or an invalid colour when the user cancels.
using ColourPrompt = std::function<wxColour(wxWindow* parent, const wxColour& initial)>;

// The prompts the commands use: the toolkit's dialogs unless replaced.
FilePrompt& filePrompt();

// Asks for a positive number with `message`, offering `initial`; puts it in
// *value and returns true, or returns false when the user cancels.
using NumberPrompt = std::function<bool(wxWindow* parent, const wxString& message, double initial, double* value)>;
NumberPrompt& numberPrompt();
ColourPrompt& colourPrompt();

// Asks "Save changes to NAME?" (`message`) with Save, Discard and Cancel, and
// returns wxID_YES (save), wxID_NO (discard) or wxID_CANCEL.
using SavePrompt = std::function<int(wxWindow* parent, const wxString& message)>;
SavePrompt& savePrompt();
