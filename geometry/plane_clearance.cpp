#include "geometry/plane_clearance.h"

#include <cmath>

namespace {
// True when side (p, q) of one polygon keeps every corner of `other` clear:
// each corner is p or q bit for bit, or lies the gap beyond the side's line,
// or lies on the line (within the gap) at least the gap past one end of the
// side, so long as what lies on the line touches the side at most in one end
// (as two faces of a flat fan whose sides continue each other do).
bool sideSeparates(const Point2& p, const Point2& q, const Point2* other, int n, double gap)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0))
        return false;
    bool atP = false, atQ = false, pastP = false, pastQ = false;
    for (int k = 0; k < n; ++k) {
        const Point2& c = other[k];
        if (c == p) {
            atP = true;
            continue;
        }
        if (c == q) {
            atQ = true;
            continue;
        }
        // Left of p -> q is the polygon's inside.
        const double left = (dx * (c.y - p.y) - dy * (c.x - p.x)) / length;
        if (left <= -gap)
            continue;
        if (!(left < gap))
            return false;
        const double along = (dx * (c.x - p.x) + dy * (c.y - p.y)) / length;
        if (along <= -gap)
            pastP = true;
        else if (along >= length + gap)
            pastQ = true;
        else
            return false;
    }
    return !(pastP && (atQ || pastQ)) && !(pastQ && atP);
}
}  // namespace

bool polygonsClear(const Point2* a, int na, const Point2* b, int nb, double gap)
{
    for (int k = 0; k < na; ++k)
        if (sideSeparates(a[k], a[(k + 1) % na], b, nb, gap))
            return true;
    for (int k = 0; k < nb; ++k)
        if (sideSeparates(b[k], b[(k + 1) % nb], a, na, gap))
            return true;
    return false;
}
