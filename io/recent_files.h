// The list of recently opened and saved surface files behind File > Open
// recent: the newest first, at most RECENT_FILES_KEPT, kept in the user's
// config folder so that every window and every later run shares it.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

constexpr int RECENT_FILES_KEPT = 8;

// $XDG_CONFIG_HOME/korvith/recent-files, or ~/.config/korvith/recent-files when
// XDG_CONFIG_HOME is unset, empty or not absolute. One path a line, as the
// bytes the system knows it by.
std::string recentFilesPath();

// The list as stored: newest first, empty lines and repeats dropped, at most
// RECENT_FILES_KEPT; empty when there is no list yet. Reads the file.
std::vector<wxString> readRecentFiles();

// Puts `path` first in the list (dropping its older place and the ninth
// entry) and writes the list back by the safe replace, creating the folder
// when missing. A path that holds a line end is not kept. Returns false with
// the reason in *error when the list could not be written.
bool rememberRecentFile(const wxString& path, std::string* error = nullptr);

// Takes `path` out of the list and writes it back; false when it could not
// be written.
bool forgetRecentFile(const wxString& path);
