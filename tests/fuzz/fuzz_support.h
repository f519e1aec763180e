// Shared set-up of the fuzz targets.
#pragma once

// Starts one input: an empty surface, history and selection, relaxation on,
// error messages swallowed. Writes the store's counts and interface state.
void startFuzzCase();

// Reads the start-up cell (compiled in) as Open would; false if that fails.
bool openStartUpCell();

// Aborts, naming `after` and the fault, when the store breaks an invariant
// validateStore checks: run after every accepted input and every operation.
void checkStore(const char* after);
