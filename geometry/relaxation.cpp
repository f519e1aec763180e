#include "geometry/relaxation.h"

#include <cmath>
#include <vector>

#include "model/store.h"

double modifyonce()
{
    static std::vector<Point3> d(MAX_VERTICES);
    for (int i = 0; i < NOV; ++i)
        d[i] = Point3{0, 0, 0};
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        const double dx = v[b].x - v[a].x, dy = v[b].y - v[a].y, dz = v[b].z - v[a].z;
        const double len = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (len == 0.0)
            continue;
        const double k = 1 - phi[e] / len;
        d[a].x += k * dx;
        d[a].y += k * dy;
        d[a].z += k * dz;
        d[b].x -= k * dx;
        d[b].y -= k * dy;
        d[b].z -= k * dz;
    }
    double m = 0;
    for (int i = 0; i < NOV; ++i) {
        v[i].x += 0.1 * d[i].x;
        v[i].y += 0.1 * d[i].y;
        v[i].z += 0.1 * d[i].z;
        const double len = std::sqrt(d[i].x * d[i].x + d[i].y * d[i].y + d[i].z * d[i].z);
        if (len > m)
            m = len;
    }
    return m;
}

bool modify()
{
    if (modify_off)
        return false;
    const int steps = touch_purturb ? 100 : 20;
    for (int n = 0; n < steps; ++n)
        if (modifyonce() < RELAX_TOLERANCE)
            return true;
    return false;
}
