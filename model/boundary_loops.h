// The surface's boundary as loops of boundary sides.
#pragma once

#include <vector>

#include "model/adjacency.h"

// Every boundary loop as its sides in walking order, each side's `to` the next
// side's `from`. A loop starts at the first of its sides in face order, and the
// loops come in the order of those first sides; where two sides leave one
// vertex (a pinched boundary), the walk takes the first unused one in face
// order, and a walk that finds none ends its loop there. Reads: NOS, face.
std::vector<std::vector<BoundarySide>> boundaryLoops();
