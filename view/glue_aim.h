// Aiming a glue: while the picked vertex is dragged, the vertices the gluing
// rule lets it be glued to, and the one of them a release would glue to.
#pragma once

#include <wx/gdicmn.h>

// How far from the pointer, in pixels, a vertex may be glued to by aiming.
constexpr int AIM_RADIUS = 15;

// Fills g_gluable with every vertex that `picked` may be glued to
// (pasteRefusal says nothing; vertices in more than 5 faces are passed over
// without asking, as the rule refuses them) and clears g_aimpurtj. Reads the
// model. Writes g_gluable, g_aimpurtj.
void startAiming(int picked);

// Sets g_aimpurtj to the vertex of g_gluable drawn nearest to `pt` within
// AIM_RADIUS pixels (straight-line distance between projected positions gv);
// of vertices drawn at the same pixel the one nearest the viewer (least z).
// -1 when there is none. Returns g_aimpurtj. Reads g_gluable, gv, v.
int aimAt(wxPoint pt);

// Empties g_gluable and clears g_aimpurtj.
void stopAiming();

// Where a Shift + double click adds a glued cell: the picked vertex when a
// cell can be added there (addCellRefusal says nothing), else the vertex that
// can take one drawn nearest to `pt` within AIM_RADIUS pixels (of vertices at
// one pixel, the nearest the viewer); -1 when there is none. Reads g_purtj,
// gv, v and the model.
int aimCellAt(wxPoint pt);
