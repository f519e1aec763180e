// Whether the surface holds only finite numbers: what every writer checks
// before writing, and the precise relaxation after each step.
#pragma once

// True when every live position and target length is a finite number, so that
// the reader will read the written file back. Reads: NOV, NOE, v, phi.
bool surfaceIsFinite();
