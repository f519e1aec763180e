// Surfaces for the benchmarks: real samples (found from any working folder)
// and copies of them, made once and kept, and a loud end when one cannot be made.
#pragma once

#include <string>

#include "tests/model_copy.h"

// Prints `why` and ends the benchmark program with a failure.
[[noreturn]] void benchFailure(const std::string& why);

// The folder holding the samples: the source tree's "sample/" as built, else
// one beside or above the program, else "sample/" under the working folder.
// Ends the program when none holds the start-up cell.
const std::string& sampleFolder();

// The sample file `fileName`, subdivided at `level` when above 1, then laid
// `copies` times side by side; made on first use and kept. Ends the program when
// the file cannot be read, the copies do not fit the store or the subdivision
// is refused.
const Model& sampleSurface(const std::string& fileName, int copies, int level = 1);
