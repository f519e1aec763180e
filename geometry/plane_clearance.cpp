#include "geometry/plane_clearance.h"

#include <cmath>

namespace {
// True when side (p, q) of one polygon keeps every corner of `other` clear.
bool sideSeparates(const Point2& p, const Point2& q, const Point2* other, int n, double gap)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0))
        return false;
    for (int k = 0; k < n; ++k) {
        const Point2& c = other[k];
        if (c == p || c == q)
            continue;
        // Left of p -> q is the polygon's inside; the corner must lie right of
        // the line by the gap.
        const double left = (dx * (c.y - p.y) - dy * (c.x - p.x)) / length;
        if (!(left <= -gap))
            return false;
    }
    return true;
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
