// File names as the system hands them over (any bytes but '\0' and '/'
// between folders) and as messages show them.
#pragma once

#include <string>

#include <wx/string.h>

// The path `bytes` as a string of the program: valid UTF-8 as its characters,
// any other byte kept in the toolkit's private-use mapping, so that
// pathBytes gives back the very same bytes whatever the locale.
wxString pathFromBytes(const std::string& bytes);

// The bytes to hand to the system for `path` (the inverse of pathFromBytes;
// characters typed or chosen in a dialog become UTF-8).
std::string pathBytes(const wxString& path);

// `name` in double quotes on one line, for a message: printable text as it is,
// a quote or backslash with a backslash before it, a line end as \n, a tab as
// \t, other control characters and bytes that are not UTF-8 as \xNN.
wxString quotedName(const wxString& name);
std::string quotedName(const std::string& bytes);

// The program's folder under the base folder the environment variable
// `variable` names (as XDG_STATE_HOME or XDG_CONFIG_HOME), when it names an
// absolute path; otherwise under `underHome` in $HOME (or /tmp without one):
// ".../korvith".
std::string programFolder(const char* variable, const char* underHome);
