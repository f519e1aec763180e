// What the Open, Open and append, and Sample commands do once the user has
// chosen a file or a sample.
#pragma once

#include <string>

#include <wx/string.h>

// Open (append false) or Open and append (append true) of the file at
// `chosenPath`: sets the document names (g_Filename and g_Name to the file
// name, g_Name without ".kor" when the name contains it, g_Path to the path),
// marks the derived data stale, sets subdiv_level to 1 (a level section in the
// file wins), reads the file (replacing, or appending 2.0 along x and then
// relaxing one burst), and relabels the components. All of this also runs when
// the file cannot be read. Writes the model, the document names, the labels,
// the staleness flags, the undo history. Returns true when the file was read.
bool openSurfaceFile(const wxString& chosenPath, bool append);

// Open of a surface given as the bytes of a surface file (read from standard
// input), called `name` in messages: as openSurfaceFile replacing, but the
// document names stay as they are. Returns true when the surface was read.
bool openSurfaceBytes(const wxString& name, const std::string& bytes);

// A "Sample" menu command with id 12 .. 25: loads sample id + 116, relaxes one
// burst and sets subdiv_level to 1. The document names stay. Writes what
// ReadSampleData and modify write, and subdiv_level.
void openSample(int commandId);
