// Reading surface files (".kor"), in the sectioned "##korvith01" form and the
// older count-only form.
#pragma once

#include <string>
#include <vector>

#include <wx/string.h>

// Reads the surface file at `path`. With `append` false the file's surface
// replaces the current one; with `append` true it is added after it, its indices
// renumbered by the current counts and its vertices shifted 2.0 along x.
// A file that cannot be opened changes nothing (the toolkit reports it). Every
// file that opens records one undo snapshot. The whole file is checked before
// the store is touched: a malformed file (bad count or level line, too few
// lines, a missing section, counts beyond capacity, indices outside the file's
// vertices, numbers that are not finite) changes nothing and is reported through
// the error log with the file name, the line number and the fault.
// Reads: NOV, NOE, NOS (when appending). Writes: v, edge, phi, face, NOV, NOE,
// NOS, subdiv_level (when the file has a level section), undoList, currentState.
// Returns true when the surface was read into the store.
bool wxTranslateData(wxString path, bool append);

// The same for a surface already split into lines (as UTF-8), named `name` in
// messages: records the undo snapshot, checks, and fills the store. Used for a
// surface read from standard input. Returns true when it was read.
bool translateLines(const wxString& name, std::vector<std::string> lines, bool append);

// Splits the bytes of a surface file into lines as the text-file reader does:
// LF, CR LF and CR end lines, a last line without an ending counts, UTF-8 is
// read as such (its byte-order mark dropped) and anything else as Latin-1.
std::vector<std::string> surfaceTextLines(const std::string& bytes);
