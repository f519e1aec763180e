#include "view/mouse.h"

#include <string>

#include "construct/edit_commands.h"
#include "geometry/rigid_motion.h"
#include "geometry/runaway_guard.h"
#include "model/store.h"
#include "model/vertex_fans.h"
#include "view/glue_aim.h"
#include "view/projection.h"

namespace {
// Pointer position at the previous step of the current drag.
wxPoint dragpoint(0, 0);
// The picked vertex the gluable vertices were found for in this drag; -1 none.
int aimedFrom = -1;

constexpr int PICK_RADIUS = 6;
constexpr int SELECT_RADIUS = 10;
}  // namespace

void resetMouseState()
{
    dragpoint = wxPoint(0, 0);
    aimedFrom = -1;
    stopAiming();
}

MouseOutcome handleMouseEvent(MouseKind kind, bool leftIsDown, bool rightIsDown, wxPoint pt)
{
    MouseOutcome out;
    if (kind == MouseKind::LeftDown) {
        dragpoint = pt;
        g_dragpurtj = -1;
        stopAiming();
        aimedFrom = -1;
    } else if (leftIsDown) {
        if (g_purtj >= 0) {
            messagetxt = "select another vertex...";
            out.repaint = true;
            for (int i = 0; i < NOV; ++i) {
                if (distance(gv[i], pt) < PICK_RADIUS) {
                    out.handCursor = true;
                    g_dragpurtj = i;
                    break;
                }
                g_dragpurtj = -1;
            }
            if (aimedFrom != g_purtj) {
                startAiming(g_purtj);
                aimedFrom = g_purtj;
            }
            if (aimAt(pt) >= 0)
                out.handCursor = true;
        } else {
            g_vangle = 0.01 * (pt.x - dragpoint.x);
            g_hangle = 0.01 * (pt.y - dragpoint.y);
            if (interface_mode != 0) {
                g_rotate = 50;
            } else {
                rotatepoly(g_vangle, g_hangle);
                out.repaint = true;
            }
            dragpoint = pt;
        }
    } else if (kind == MouseKind::LeftUp) {
        const int picked = pickedVertex();
        bool pasted = false;
        // After `other` was glued to the picked vertex: the drag and the pick end.
        auto glued = [&](int other) {
            g_purturb = 0;
            messagetxt = "Now pasting vertices...";
            out.repaint = true;
            out.status = pinchWarning(other < picked ? other : picked);
            g_dragpurtj = -1;
            g_purtj = -1;
            pasted = true;
        };
        int refused = -1;  // the nearest other vertex under the pointer
        std::string why;   // and why it may not be glued
        for (int i = 0; picked >= 0 && i < NOV; ++i) {
            if (distance(gv[i], pt) >= PICK_RADIUS)
                continue;
            const std::string refusal = pasteCommand(i, picked);
            if (refusal.empty()) {
                glued(i);
                break;
            }
            if (i != picked && (refused < 0 || distance(gv[i], pt) < distance(gv[refused], pt))) {
                refused = i;
                why = refusal;
            }
        }
        // Where the pick finds nothing to glue, the aimed vertex is glued.
        const int aimed = g_aimpurtj;
        if (!pasted && picked >= 0 && aimed >= 0 && pasteCommand(aimed, picked).empty())
            glued(aimed);
        if (!pasted && refused >= 0)
            out.status = "Cannot glue " + std::to_string(refused) + " to " + std::to_string(picked) + ": " + why;
        else if (!pasted && picked >= 0 && aimedFrom == picked && distance(pt, dragpoint) >= PICK_RADIUS)
            out.status = "Nothing to glue " + std::to_string(picked) + " to here: no vertex it may be glued to lies within " +
                         std::to_string(AIM_RADIUS) + " pixels";
        if (aimedFrom >= 0 || !g_gluable.empty())
            out.repaint = true;
        stopAiming();
        aimedFrom = -1;
    } else if (kind == MouseKind::RightDown) {
        dragpoint = pt;
        g_dragcomponent = 0;
        for (int i = 0; i < NOV; ++i) {
            if (distance(gv[i], pt) < SELECT_RADIUS) {
                const int label = conn_comp[i];
                if (label > 0 && label < MAX_COMPONENTS) {
                    g_dragcomponent = label;
                    hilighted[label] = true;
                }
                break;
            }
        }
        if (g_dragcomponent == 0)
            for (int c = 0; c < MAX_COMPONENTS; ++c)
                hilighted[c] = false;
    } else if (rightIsDown && g_dragcomponent > 0) {
        const std::string fault = guardedStep([&] {
            for (int i = 0; i < NOV; ++i) {
                if (conn_comp[i] == g_dragcomponent) {
                    v[i].x += (pt.x - dragpoint.x) / g_rate;
                    v[i].y -= (pt.y - dragpoint.y) / g_rate;
                }
            }
        });
        if (!fault.empty())
            messagetxt = wxString::FromUTF8(("Not moved: " + fault).c_str());
        dragpoint = pt;
        out.repaint = true;
    } else {
        for (int i = 0; i < NOV; ++i) {
            if (distance(gv[i], pt) < PICK_RADIUS) {
                out.handCursor = true;
                g_purtj = i;
                if (touch_purturb && (interface_mode == 0 || g_purturb == 0))
                    g_purturb = 1;
                break;
            }
            g_dragpurtj = -1;
            if (interface_mode == 0 || !touch_purturb)
                g_purtj = -1;
        }
    }
    return out;
}
