#include "construct/add_glued.h"

#include <vector>

#include "construct/add_cell.h"
#include "construct/glue.h"
#include "geometry/relaxation.h"
#include "model/history.h"
#include "geometry/rigid_motion.h"
#include "model/store.h"
#include "model/vertex_fans.h"

namespace {
// Pastes a and b and moves every index in `tracked` along with the
// renumbering pasteVertices makes.
void pasteTracking(int a, int b, std::vector<int*>& tracked)
{
    const int lo = a < b ? a : b, hi = a < b ? b : a;
    pasteVertices(a, b);
    for (int* x : tracked) {
        if (*x == hi)
            *x = lo;
        else if (*x > hi)
            --*x;
    }
}
}  // namespace

AddGluedReport addGluedCommand()
{
    AddGluedReport report;
    int P = pickedVertex();
    report.refusal = subdiv_level != 1 ? CELLS_NEED_LEVEL_ONE : addCellRefusal(P);
    if (!report.refusal.empty())
        return report;
    const VertexFans before = vertexFans(P);
    const int N = NOV;
    saveState();
    addnewpolygon();
    report.added = true;
    // The new cell's rim vertex N+5 lies beside the side P -> start, N beside end -> P.
    int start = before.start, end = before.end, towardsStart = N + 5, towardsEnd = N;
    std::vector<int*> tracked = {&P, &start, &end, &towardsStart, &towardsEnd, &g_purtj};
    if (pasteRefusal(towardsStart, start).empty()) {
        pasteTracking(towardsStart, start, tracked);
        ++report.glued;
    }
    if (before.faces == 4 && pasteRefusal(towardsEnd, end).empty()) {
        pasteTracking(towardsEnd, end, tracked);
        ++report.glued;
    }
    // Close the seams the glues left open at a vertex with six faces.
    std::vector<int> look = {start, end, P};
    for (int round = 0; !look.empty() && round < 64; ++round) {
        int w = look.back();
        look.pop_back();
        if (w < 0 || w >= NOV)
            continue;
        const VertexFans fans = vertexFans(w);
        if (fans.faces != 6 || fans.fans != 1 || fans.closed || fans.start < 0 || fans.end < 0 ||
            fans.start == fans.end || !pasteRefusal(fans.start, fans.end).empty())
            continue;
        int a = fans.start, b = fans.end;
        std::vector<int*> all = tracked;
        for (int& x : look)
            all.push_back(&x);
        all.push_back(&a);
        all.push_back(&b);
        pasteTracking(a, b, all);
        ++report.zipped;
        look.push_back(a < b ? a : b);
    }
    modify();
    return report;
}
