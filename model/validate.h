// Consistency check of the surface store, run by the tests after every mutation.
#pragma once

#include <string>

// Checks the store's invariants: counts within [0, capacity], every index in
// `edge` and `face` within [0, NOV), every live `phi` finite and positive, every
// live position finite, component labels and NOcomp within the component tables.
// Reads the model and the component tables. Returns an empty string when the
// store is sound, otherwise a description of the first fault found.
std::string validateStore();
