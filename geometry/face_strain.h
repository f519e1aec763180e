// How far each face is from its shape: the largest relative error
// |L - phi| / phi of the edges along its sides, what the strain colours show.
#pragma once

#include <vector>

// Fills `out` with one number per face (NOS of them): the largest relative
// error of an edge joining two of its corners (of several edges joining the
// same two, the largest); a side that no edge joins adds nothing, and an error
// that is not a number (a degenerate edge) makes the face's not a number.
// Works on any level of subdivision (it needs no face-to-edge table). Reads:
// NOV, NOE, NOS, v, edge, phi, face. Writes nothing else.
void faceStrain(std::vector<double>& out);
