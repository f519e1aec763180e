// Face colours: side (front or back), shading against a light from the upper
// right, and the tint of faces that touch a picked vertex.
#pragma once

#include "model/store.h"

// The fill colour of face f. Reads: v, face, faceColour, backColour,
// modifyColour, backmodifyColour, g_purtj, g_dragpurtj. Writes nothing.
RGBColour getcolor(int f);

// The fill colour of face f shaded and tinted as getcolor does, from the base
// colours given for its front and back instead of faceColour and backColour
// (the strain colours). Reads: v, face, modifyColour, backmodifyColour,
// g_purtj, g_dragpurtj. Writes nothing.
RGBColour faceColourFrom(int f, RGBColour frontBase, RGBColour backBase);
