#include "view/glue_aim.h"

#include <vector>

#include "construct/add_glued.h"
#include "construct/glue.h"
#include "model/store.h"

void startAiming(int picked)
{
    g_gluable.clear();
    g_aimpurtj = -1;
    if (picked < 0 || picked >= NOV)
        return;
    std::vector<int> faces(NOV, 0);
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] >= 0 && face[f][k] < NOV && (k == 0 || face[f][k] != face[f][0]) &&
                (k < 2 || face[f][k] != face[f][1]))
                ++faces[face[f][k]];
    for (int k = 0; k < NOV; ++k)
        if (faces[k] <= 5 && k != picked && pasteRefusal(k, picked).empty())
            g_gluable.push_back(k);
}

int aimAt(wxPoint pt)
{
    g_aimpurtj = -1;
    long best = 0;
    for (int k : g_gluable) {
        if (k >= NOV)
            continue;
        const long dx = gv[k].x - pt.x, dy = gv[k].y - pt.y;
        const long d2 = dx * dx + dy * dy;
        if (d2 > long(AIM_RADIUS) * AIM_RADIUS)
            continue;
        if (g_aimpurtj < 0 || d2 < best || (d2 == best && v[k].z < v[g_aimpurtj].z)) {
            g_aimpurtj = k;
            best = d2;
        }
    }
    return g_aimpurtj;
}

void stopAiming()
{
    g_gluable.clear();
    g_aimpurtj = -1;
}

int aimCellAt(wxPoint pt)
{
    if (g_purtj >= 0 && g_purtj < NOV && addCellRefusal(g_purtj).empty())
        return g_purtj;
    int found = -1;
    long best = 0;
    for (int k = 0; k < NOV; ++k) {
        const long dx = gv[k].x - pt.x, dy = gv[k].y - pt.y;
        const long d2 = dx * dx + dy * dy;
        if (d2 > long(AIM_RADIUS) * AIM_RADIUS)
            continue;
        if (found >= 0 && (d2 > best || (d2 == best && v[k].z >= v[found].z)))
            continue;
        if (!addCellRefusal(k).empty())
            continue;
        found = k;
        best = d2;
    }
    return found;
}
