// Reading surface files (".kor"), in the sectioned "##korvith01" form and the
// older count-only form. A file is parsed and checked as a whole first; only an
// accepted file is stored.
#pragma once

#include <cstddef>
#include <vector>

#include <wx/string.h>

#include "model/store.h"

// The surface of one file, parsed and checked but not yet stored: indices are
// the file's own (0 .. vertices.size()-1), target lengths are finite.
struct ParsedSurface {
    std::vector<Point3> vertices;
    std::vector<int> edgeEnds;        // two vertices per edge
    std::vector<double> targetLengths;
    std::vector<int> faceCorners;     // three corners per face
    bool hasLevel = false;            // the file has a level section
    int level = 1;                    // its level (1 .. 6)
    int vertexCount() const { return static_cast<int>(vertices.size()); }
    int edgeCount() const { return static_cast<int>(targetLengths.size()); }
    int faceCount() const { return static_cast<int>(faceCorners.size() / 3); }
};

// Parses and checks the bytes `data[0 .. size-1]` as a surface file named `name`
// (the name only appears in messages). The counts must fit the room the store
// has left: all of it, or what the current surface leaves when `append` is true.
// A malformed file (bad count or level line, a section that ends before its
// count, a missing section, counts beyond capacity, indices outside the file's
// vertices, coordinates that are not finite or lie beyond MAX_COORDINATE,
// target lengths that are not positive and finite, a face with a repeated
// corner, a side shared by three faces, a last line cut short inside a
// record, bytes that are not text, UTF-16 or UTF-32 that is not Unicode) is
// refused:
// the error log gets one message with the file name, the line number where
// there is one, and the fault, and false is returned. Reads: NOV, NOE, NOS
// (when appending). Writes nothing of the store.
bool parseSurfaceText(const wxString& name, const char* data, size_t size, bool append, ParsedSurface* out);

// The largest surface file read: 1 GB (the largest surface the store holds
// takes a few MB).
constexpr long long MAX_FILE_BYTES = 1LL << 30;

// Reads the file at `path` and parses it as parseSurfaceText does. A file of
// more than MAX_FILE_BYTES is refused before anything is read. A path that
// is a folder, a pipe or anything but a regular file, or that cannot be opened,
// is refused with a message naming it and the reason (a pipe is never opened
// for reading, so nothing waits on it). Writes nothing of the store.
bool parseSurfaceFile(const wxString& path, bool append, ParsedSurface* out);

// Stores a parsed surface: it replaces the current one, or with `append` is
// added after it, its indices renumbered by the current counts and its
// vertices shifted 2.0 along x. The file's level section, if any, sets
// subdiv_level. Reads: NOV, NOE, NOS (when appending). Writes: v, edge, phi,
// face, NOV, NOE, NOS, subdiv_level.
void storeParsedSurface(const ParsedSurface& s, bool append);

// Reads the surface file at `path`: parses it (parseSurfaceFile), and only when
// it is accepted records one undo snapshot and stores it (storeParsedSurface).
// A refused file changes nothing, the history included. Returns true when the
// surface was read into the store. The program's own commands (Open, Append,
// the samples) read through acceptSurface instead; this whole read, a command
// of its own, serves the tests and benchmarks.
bool wxTranslateData(wxString path, bool append);
