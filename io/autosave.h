// Autosave: while a window has unsaved changes it writes the surface now and
// then to the user's state folder, one file per process, so that a crash or a
// kill loses at most one interval of work; the next start offers it back.
//
// Files, in autosaveFolder():
//   autosave-<pid>.kor   the surface, written by the same safe replace as Save
//   autosave-<pid>.lock  held locked (flock) by the process while its autosave
//                        may exist; holds the path of the surface file the
//                        surface came from (empty for none)
// A lock the system released (the process ended, however) marks an autosave
// left behind; a held lock marks another window's, which is never offered,
// restored or removed by anyone else.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// The environment variable that sets the interval, in seconds (a positive
// number, fractions allowed; the window tests use it). Unset: 60 s.
constexpr const char* AUTOSAVE_SECONDS_VARIABLE = "KORVITH_AUTOSAVE_SECONDS";
constexpr double DEFAULT_AUTOSAVE_SECONDS = 60;

// The interval the text of AUTOSAVE_SECONDS_VARIABLE asks for (`text` null
// when it is unset): a positive finite number of seconds, or
// DEFAULT_AUTOSAVE_SECONDS for anything else.
double autosaveSeconds(const char* text);

// $XDG_STATE_HOME/korvith, or ~/.local/state/korvith when XDG_STATE_HOME is
// unset, empty or not an absolute path (as the XDG rules say). Reads the
// environment only.
std::string autosaveFolder();

// This process's autosave file: <folder>/autosave-<pid>.kor.
std::string ownAutosavePath();

// Writes the surface (every coordinate exactly, as 17 digits) as this
// process's autosave: creates the folder (0700) when missing, takes the lock
// (g_autosaveLock) when not yet held (moving an autosave an earlier process
// with the same id left under this name to a name of its own, so it is still
// offered), records g_documentPath in the lock file,
// then writes by writeFileReplacing, so a failed write leaves the previous
// autosave whole. Returns false with the reason in *error.
// Reads the model, g_documentPath; writes g_autosaveLock.
bool writeAutosave(std::string* error);

// Removes this process's autosave and lock file and releases the lock;
// nothing when it has none. Writes g_autosaveLock.
void removeAutosave();

// An autosave left behind by a process that is gone, locked by this process
// while it is offered.
struct FoundAutosave {
    std::string surfacePath;   // .../autosave-<pid>.kor
    std::string lockPath;      // .../autosave-<pid>.lock
    std::string documentPath;  // the surface file it came from (bytes); empty for none
    std::time_t savedAt = 0;   // when it was written (the file's modification time)
    int lock = -1;             // this process's locked descriptor of lockPath
};

// The autosaves in the folder whose process has ended without removing them,
// newest first, each locked by this process (so that a window starting at the
// same moment does not offer it too). This process's own is never among them.
std::vector<FoundAutosave> claimLeftAutosaves();

// "Restore the surface from 14:32?" (the local time it was written; with the
// date when it is not the day of `now`), and on a second line the file it
// came from, or that it was never saved.
std::string restoreQuestion(const FoundAutosave& found, std::time_t now);

// Reads the found autosave as the surface, as Open does (checked first, one
// undo step; a refused file changes nothing, the reader has logged why), sets
// the document names to the file it came from (untitled when none) and leaves
// the surface marked as changed, since it was never saved there. Returns true
// when it was read. Writes the model, the history, the document names,
// g_documentPath, g_savedFingerprint.
bool restoreAutosave(const FoundAutosave& found);

// Removes the found autosave's files and releases its lock.
void dropAutosave(FoundAutosave& found);
// Releases the found autosave's lock and keeps its files (offered again at
// the next start).
void releaseAutosave(FoundAutosave& found);
