// Writing the surface: the surface file (".kor") and the header export (".h"),
// built in memory and written in one go.
#pragma once

#include <string>

#include <wx/string.h>

// The surface file text of the current surface: "##korvith01", the vertex,
// edge, face and level sections, "##end"; integers as "%d", coordinates and
// target lengths as "%g" with '.' (or with `digits` significant digits, 1 to
// 17; 17 keeps every double exactly), every line ending in LF.
// Reads: NOV, NOE, NOS, v, edge, phi, face, subdiv_level.
std::string surfaceFileText(int digits = 6);

// The header export: three lines "char *<prefix>_v=\"...\";" (and _e, _f),
// each string holding the count and then the records, every record followed
// by ':' and its fields separated by ','. Reads the model (not the level).
std::string headerExportText(const wxString& prefix);

// `name` made into a C identifier: every character outside [A-Za-z0-9_] becomes
// '_', and a leading digit gets the prefix 'd'. Identifiers stay as they are.
wxString cIdentifier(const wxString& name);

// Which file a save dialog's choice names.
enum class SaveKind { Surface, Header };

// Updates the document names for a file chosen in a save dialog (file name and
// base name as the dialog gave them; the extension ".kor" or ".h" dropped from
// the base name when the name contains it) and returns the full path to write,
// with the extension appended when the path does not contain it anywhere.
// Writes: g_Filename, g_Name, g_Path.
wxString takeSaveChoice(const wxString& chosenPath, SaveKind kind);

// Writes `text` to `path` so that the old file survives any failure: into a new
// file beside it, renamed over `path` only after a complete write (every byte
// written, synced and closed without error, so a full disk fails here). A
// symbolic link is followed and its target replaced; the temporary name is
// shortened to fit the folder's name-length limit. New files get the usual
// permissions (0666 less the umask); an existing file keeps its own.
// On failure returns false and puts the reason in *error.
bool writeFileReplacing(const wxString& path, const std::string& text, wxString* error);

// Renames the completely written file `finished` to `path`, replacing what was
// there (through a symbolic link: its target); on failure removes `finished`
// and returns false with the reason.
bool moveIntoPlace(const std::string& finished, const std::string& path, std::string* error);
