// The picture of the surface as a list of shapes: one scene that the window,
// the printed page and the picture files all paint, so they cannot drift apart.
#pragma once

#include <vector>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "model/store.h"

// Who the scene is for. The window refreshes the derived data, marks vertices
// and shows the status message; the printed page does none of these and
// outlines selected components in white; a picture file marks vertices but
// shows no message.
enum class SceneUse { Window, Print, Picture };

// How a face's outline is drawn.
enum class Outline : unsigned char {
    Solid,   // black, one pixel
    Dashed,  // black, one pixel, short dashes (a selected component on screen)
    White,   // white, one pixel (a selected component on paper)
};

// A disc of diameter 10 on a vertex, outlined with its face's outline.
struct SceneDisc {
    int vertex;
    RGBColour fill;
};

// A filled triangle, painted after every face before it in the list, followed
// by its discs [previous face's discEnd, discEnd).
struct SceneFace {
    int index;      // the face's index in the store
    int corner[3];
    RGBColour fill;
    Outline outline;
    int discEnd;
};

// A mark painted over every face, so that it shows through them: a ring
// around a vertex, or a line between two vertices; both one pixel wide.
struct SceneMark {
    enum class Kind : unsigned char { Ring, Line };
    Kind kind;
    int a, b;        // the vertex of a ring (b unused); the two ends of a line
    double radius;   // of a ring, in logical pixels
    RGBColour colour;
};

// A filled rectangle painted over everything else (the strain key), in
// logical pixels.
struct SceneRect {
    int x, y, width, height;
    RGBColour colour;
};

struct Scene {
    int width = 0, height = 0;    // the background rectangle: 2 g_centerx + 1 by 2 g_centery + 1
    RGBColour background{255, 255, 255};
    std::vector<wxPoint> points;  // each vertex in whole pixels (gv)
    std::vector<double> exactX;   // each vertex before rounding: g_centerx + g_rate x
    std::vector<double> exactY;   //                              g_centery - g_rate y
    std::vector<SceneFace> faces; // back to front
    std::vector<SceneDisc> discs;
    std::vector<SceneMark> marks; // over every face, in order
    wxString message;             // drawn at the top-left; empty for none
    bool strainKey = false;       // the faces show strain colours: the key goes in a corner
    std::vector<SceneRect> overlay; // over every face and mark, in order: the strain key (placeStrainKey)

    int discBegin(size_t faceIndex) const { return faceIndex == 0 ? 0 : faces[faceIndex - 1].discEnd; }
};

// Builds the scene of the current surface and view, reusing the scene's storage.
// For the window it first brings the derived data up to date as a repaint does;
// every use computes the depth keys, the painter's order and the projection and
// for the window and pictures the face counts and angle sums. Faces come in
// painting order with their colours; for the window and pictures each face is
// followed by the angle-sum discs of its corners (none on a thickened solid,
// g_solid) and the red discs of the picked vertices among them; after every
// face the marks: with "Show hidden vertices" a blue ring on each boundary
// vertex, while a glue is aimed a green ring on each vertex the picked one may
// be glued to and an orange ring and line to the aimed one, and a red ring on
// the picked vertices. With "Show edge strain" (g_show_strain; not on a
// thickened solid) each face's colour is shaded from its strain colour
// instead of the side's colour, and the key of the strain colours goes in the
// bottom-right corner of the background rectangle (placeStrainKey puts it
// elsewhere). Reads the model, the view state (g_rate, g_centerx,
// g_centery, the colours, g_purtj, g_dragpurtj, g_gluable, g_aimpurtj,
// g_show_hidden, g_show_strain, g_solid, hilighted, conn_comp, subdiv_level, messagetxt).
// Writes center, order, gv and, for the window and pictures, the derived
// data, NOfaceOfVertex and curvature.
void buildScene(Scene& scene, SceneUse use);
