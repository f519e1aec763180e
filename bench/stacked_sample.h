// Large benchmark surfaces made from a shipped sample: copies of it stacked
// along the viewing axis, so that every copy lies in the picture.
#pragma once

#include <string>

// The path of sample file `name` in the source tree, wherever the benchmark runs.
std::string benchSamplePath(const std::string& name);

// Replaces the surface with `copies` copies of sample `name` (each 3 units
// deeper than the one before), smoothed once when `smoothed`, with the derived
// data brought up to date. Ends the program with a message when the sample
// cannot be read or the copies do not fit the store.
void stackedSample(const std::string& name, int copies, bool smoothed);

// Sets the view as a window of width x height shows it after the user has
// zoomed out (each step 1/1.25) until the whole surface lies in the picture.
void viewAsZoomedOut(int width, int height);
