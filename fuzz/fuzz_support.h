// Shared set-up of the fuzz targets.
#pragma once

// Starts one input: a fresh store and history, error messages swallowed.
void startFuzzCase();

// Reads the start-up cell (compiled in) as Open would; false if that fails.
bool openStartUpCell();
