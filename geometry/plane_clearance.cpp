#include "geometry/plane_clearance.h"

#include <algorithm>
#include <cmath>

namespace {
// True when side (p, q) of one polygon keeps every corner of `other` clear:
// each corner is p or q bit for bit, or lies the gap beyond the side's line,
// or lies on the line (to rounding) at least the gap past one end of the
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
        // Only a corner on the line itself (to rounding) may lie nearer.
        if (!(std::fabs(left) <= 1e-9 * length))
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

std::vector<Point2> convexHull(std::vector<Point2> points)
{
    std::sort(points.begin(), points.end(),
              [](const Point2& a, const Point2& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (points.size() < 3)
        return points;
    auto cross = [](const Point2& o, const Point2& a, const Point2& b) {
        return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
    };
    std::vector<Point2> h(2 * points.size());
    size_t k = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], points[i]) <= 0)
            --k;
        h[k++] = points[i];
    }
    for (size_t i = points.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], points[i - 1]) <= 0)
            --k;
        h[k++] = points[i - 1];
    }
    h.resize(k - 1);
    return h;
}
