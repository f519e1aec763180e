#include "tests/reference/literal_wall_distances.h"

#include <algorithm>
#include <cmath>

#include "geometry/face_clearance.h"

namespace {
Point3 unitNormal(const TriangleMesh& m, const std::array<int, 3>& t)
{
    const Point3 &a = m.vertices[t[0]], &b = m.vertices[t[1]], &c = m.vertices[t[2]];
    const Point3 u{b.x - a.x, b.y - a.y, b.z - a.z}, w{c.x - a.x, c.y - a.y, c.z - a.z};
    const Point3 n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
    const double l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return l > 0 ? Point3{n.x / l, n.y / l, n.z / l} : Point3{0, 0, 0};
}
}  // namespace

std::vector<double> literalWallDistances(const TriangleMesh& solid, double reach)
{
    const int half = static_cast<int>(solid.vertices.size() / 2);
    auto layer = [&](const std::array<int, 3>& t) {
        const int n = (t[0] >= half) + (t[1] >= half) + (t[2] >= half);
        return n == 0 ? 0 : n == 3 ? 1 : -1;
    };
    std::vector<Point3> outward(solid.vertices.size(), Point3{0, 0, 0});
    for (const auto& t : solid.triangles)
        if (layer(t) >= 0) {
            const Point3 n = unitNormal(solid, t);
            for (int i : t)
                outward[i] = {outward[i].x + n.x, outward[i].y + n.y, outward[i].z + n.z};
        }
    auto distance = [&](const Point3& p, const Point3& out, int otherLayer) {
        double best = reach;
        for (const auto& t : solid.triangles) {
            if (layer(t) != otherLayer)
                continue;
            Point3 c;
            closestPointOnTriangle(&p.x, &solid.vertices[t[0]].x, &solid.vertices[t[1]].x, &solid.vertices[t[2]].x,
                                   &c.x);
            const Point3 d{c.x - p.x, c.y - p.y, c.z - p.z};
            if (d.x * out.x + d.y * out.y + d.z * out.z <= 0)
                best = std::min(best, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z));
        }
        return best;
    };
    std::vector<double> out;
    for (int i = 0; i < static_cast<int>(solid.vertices.size()); ++i)
        out.push_back(distance(solid.vertices[i], outward[i], i < half ? 1 : 0));
    for (const auto& t : solid.triangles) {
        const int l = layer(t);
        if (l < 0)
            continue;
        const Point3 &a = solid.vertices[t[0]], &b = solid.vertices[t[1]], &c = solid.vertices[t[2]];
        out.push_back(distance(Point3{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3},
                               unitNormal(solid, t), 1 - l));
    }
    return out;
}
