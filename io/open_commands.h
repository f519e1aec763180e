// What the Open, Open and append, and Sample commands do once the user has
// chosen a file or a sample.
#pragma once

#include <string>

#include <wx/string.h>

struct ParsedSurface;

// Open (append false) or Open and append (append true) of the file at
// `chosenPath`. The whole file is parsed and checked first; a refused file
// (or one that cannot be read) changes nothing at all: not the surface, the
// level, the derived-data flags, the labels, the history or the document
// names; the reader has logged why. An accepted file: sets the document names
// (g_Filename and g_Name to the file name, g_Name without ".kor" when the name
// contains it, g_Path to the path), then does what acceptSurface does; an
// opened (not appended) file is the saved document from then on
// (markSurfaceSaved, and g_documentPath the path). Returns true when the file
// was read.
bool openSurfaceFile(const wxString& chosenPath, bool append);

// The document names of an opened file at `path`: g_Filename and g_Name the
// file name, g_Name without ".kor" when the name contains it, g_Path the path.
void takeOpenedNames(const wxString& path);

// The model sequence of Open and Append once a file is accepted: records one
// undo snapshot, marks the derived data stale, sets subdiv_level to 1, stores
// the surface (its level section, if any, wins over the 1; appended parts are
// shifted 2.0 along x), relaxes one burst when appending, and relabels the
// components. Writes the model, the labels, the staleness flags, the history.
void acceptSurface(const ParsedSurface& parsed, bool append);

// Open (append false) or Open and append (append true) of a surface given as
// the bytes of a surface file (read from standard input), called `name` in
// messages: parsed and checked as a whole, then as openSurfaceFile, but the
// document names stay as they are. A refused surface changes nothing. Returns
// true when the surface was read.
bool openSurfaceBytes(const wxString& name, const std::string& bytes, bool append = false);

// The "Sample" menu's commands for the grown disc (DISC_SAMPLE) and the closed
// surface (CLOSED_SAMPLE).
constexpr int DISC_SAMPLE_COMMAND = 69;
constexpr int CLOSED_SAMPLE_COMMAND = 73;
constexpr int DISC4_SAMPLE_COMMAND = 77;

// A "Sample" menu command with id 12 .. 25: loads sample id + 116 (or, for
// DISC_SAMPLE_COMMAND and CLOSED_SAMPLE_COMMAND, the grown disc and the closed
// surface) through ReadSampleData (which accepts it as Open does), relaxes one
// burst (not the closed surface, which no relaxation leaves embedded) and sets
// subdiv_level to 1; the sample is then the saved document
// (markSurfaceSaved) without a file (g_documentPath empty). The document names
// stay. Writes what ReadSampleData, modify and markSurfaceSaved write,
// subdiv_level and g_documentPath.
void openSample(int commandId);
