// The surface file reader as it was first written: the file read line by line
// through the toolkit's text file class into strings, every record split into
// a vector of fields. Kept to check the fast reader against, and to measure it.
#pragma once

#include "io/reader.h"

// Parses the file at `path` as the first reader did, into `out`, with the same
// checks (the room counts the current surface when `append` is true). Returns
// false when the file cannot be opened or is refused (the message goes to the log).
bool literalParseSurfaceFile(const wxString& path, bool append, ParsedSurface* out);
