#include "geometry/runaway_guard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double surfaceExtent()
{
    if (NOV <= 0)
        return 0;
    Point3 lo = v[0], hi = v[0];
    bool finite = true;
    for (int i = 0; i < NOV; ++i) {
        const Point3& p = v[i];
        finite = finite && std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
        lo = Point3{std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = Point3{std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    if (!finite)
        return std::nan("");
    return std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
}

int firstWildVertex()
{
    // Written so that a NaN fails each test.
    for (int i = 0; i < NOV; ++i)
        if (!(std::fabs(v[i].x) <= MAX_COORDINATE && std::fabs(v[i].y) <= MAX_COORDINATE &&
              std::fabs(v[i].z) <= MAX_COORDINATE))
            return i;
    return -1;
}

PositionsBefore takePositions()
{
    PositionsBefore before;
    before.positions.assign(v, v + std::max(NOV, 0));
    before.extent = surfaceExtent();
    return before;
}

std::string runawayFault(const PositionsBefore& before)
{
    char text[160];
    const int wild = firstWildVertex();
    if (wild >= 0) {
        const Point3& p = v[wild];
        const bool number = std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
        std::snprintf(text, sizeof text, "vertex %d would go %s", wild,
                      number ? "too far out (a coordinate beyond 1e30)" : "to a position that is not a number");
        return text;
    }
    for (int e = 0; e < NOE; ++e)
        if (!(phi[e] > 0 && phi[e] <= MAX_COORDINATE)) {
            std::snprintf(text, sizeof text, "edge %d would have a target length that is not a positive number", e);
            return text;
        }
    const double from = std::isfinite(before.extent) ? std::max(before.extent, 1.0) : 0;
    const double to = surfaceExtent();
    if (from > 0 && to > RUNAWAY_GROWTH * from) {
        std::snprintf(text, sizeof text, "the surface would grow %.2g times in one step", to / from);
        return text;
    }
    return std::string();
}

void restorePositions(const PositionsBefore& before)
{
    if (static_cast<int>(before.positions.size()) != NOV)
        return;
    std::copy(before.positions.begin(), before.positions.end(), v);
}
