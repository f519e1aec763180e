// The straightforward form of the face clearance: every pair of faces
// measured (O(NOS^2)), kept as the reference for the grid the program uses.
#pragma once

// The smallest triangleDistance between two faces without a common corner,
// over all pairs; +infinity when there is no such pair. Reads: NOS, face, v.
double literalSmallestFaceClearance();
