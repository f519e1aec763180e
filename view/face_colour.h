// Face colours: side (front or back), shading against a light from the upper
// right, and the tint of faces that touch a picked vertex.
#pragma once

#include "model/store.h"

// The fill colour of face f. Reads: v, face, faceColour, backColour,
// modifyColour, backmodifyColour, g_purtj, g_dragpurtj. Writes nothing.
RGBColour getcolor(int f);
