#include "geometry/wall_thickness.h"

#include <algorithm>
#include <cmath>

#include "geometry/face_clearance.h"

namespace {
// 0 front, 1 back, -1 a wall triangle.
int layerOf(const std::array<int, 3>& t, int half)
{
    const int a = t[0] >= half, b = t[1] >= half, c = t[2] >= half;
    return a == b && b == c ? a : -1;
}

// The triangles of one layer in a grid of cubic cells: each triangle in every
// cell its bounding box touches.
class LayerGrid {
public:
    LayerGrid(const TriangleMesh& m, const std::vector<int>& triangles, double reach) : mesh(m), reach(reach)
    {
        if (triangles.empty())
            return;
        lo = {INFINITY, INFINITY, INFINITY};
        Point3 hi{-INFINITY, -INFINITY, -INFINITY};
        double size = 0;
        for (int t : triangles)
            for (int i : m.triangles[t]) {
                const Point3& p = m.vertices[i];
                lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
                hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            }
        for (int t : triangles) {
            const Point3 &a = m.vertices[m.triangles[t][0]], &b = m.vertices[m.triangles[t][1]];
            size += std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
        }
        cell = std::max(reach, size / triangles.size());
        for (;;) {
            dims[0] = static_cast<long>(std::min((hi.x - lo.x) / cell, 1e6)) + 1;
            dims[1] = static_cast<long>(std::min((hi.y - lo.y) / cell, 1e6)) + 1;
            dims[2] = static_cast<long>(std::min((hi.z - lo.z) / cell, 1e6)) + 1;
            if (dims[0] * dims[1] * dims[2] <= 8 * static_cast<long>(triangles.size()) + 64)
                break;
            cell *= 2;
        }
        start.assign(dims[0] * dims[1] * dims[2] + 1, 0);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<int> fill;
            if (pass == 1) {
                for (size_t c = 1; c < start.size(); ++c)
                    start[c] += start[c - 1];
                members.resize(start.back());
                fill.assign(start.begin(), start.end() - 1);
            }
            for (int t : triangles) {
                Point3 a = m.vertices[m.triangles[t][0]], b = a;
                for (int i : m.triangles[t]) {
                    const Point3& p = m.vertices[i];
                    a = {std::min(a.x, p.x), std::min(a.y, p.y), std::min(a.z, p.z)};
                    b = {std::max(b.x, p.x), std::max(b.y, p.y), std::max(b.z, p.z)};
                }
                forCells(a, b, [&](long c) {
                    if (pass == 0)
                        ++start[c + 1];
                    else
                        members[fill[c]++] = t;
                });
            }
        }
        stamp.assign(m.triangles.size(), -1);
    }

    // The distance from p to the nearest triangle behind it (its nearest
    // point not in front of the plane through p across `outward`), at most
    // reach.
    double nearest(const Point3& p, const Point3& outward, int query)
    {
        double best = reach;
        if (members.empty())
            return best;
        forCells(Point3{p.x - reach, p.y - reach, p.z - reach}, Point3{p.x + reach, p.y + reach, p.z + reach},
                 [&](long c) {
                     for (int k = start[c]; k < start[c + 1]; ++k) {
                         const int t = members[k];
                         if (stamp[t] == query)
                             continue;
                         stamp[t] = query;
                         const auto& tri = mesh.triangles[t];
                         Point3 c;
                         closestPointOnTriangle(&p.x, &mesh.vertices[tri[0]].x, &mesh.vertices[tri[1]].x,
                                                &mesh.vertices[tri[2]].x, &c.x);
                         const Point3 d{c.x - p.x, c.y - p.y, c.z - p.z};
                         if (d.x * outward.x + d.y * outward.y + d.z * outward.z > 0)
                             continue;  // across a gap to another part, not through the wall
                         best = std::min(best, std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z));
                     }
                 });
        return best;
    }

private:
    long slot(double x, double origin, int d) const
    {
        const double s = std::floor((x - origin) / cell);
        return static_cast<long>(std::clamp(s, 0.0, static_cast<double>(dims[d] - 1)));
    }

    template <class Visit>
    void forCells(const Point3& a, const Point3& b, Visit visit) const
    {
        const long x0 = slot(a.x, lo.x, 0), x1 = slot(b.x, lo.x, 0), y0 = slot(a.y, lo.y, 1),
                   y1 = slot(b.y, lo.y, 1), z0 = slot(a.z, lo.z, 2), z1 = slot(b.z, lo.z, 2);
        for (long x = x0; x <= x1; ++x)
            for (long y = y0; y <= y1; ++y)
                for (long z = z0; z <= z1; ++z)
                    visit((x * dims[1] + y) * dims[2] + z);
    }

    const TriangleMesh& mesh;
    double reach, cell = 1;
    Point3 lo{0, 0, 0};
    long dims[3] = {1, 1, 1};
    std::vector<int> start, members, stamp;
};
}  // namespace

namespace {
Point3 normalOf(const TriangleMesh& m, const std::array<int, 3>& t)
{
    const Point3 &a = m.vertices[t[0]], &b = m.vertices[t[1]], &c = m.vertices[t[2]];
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
    Point3 n{uy * wz - uz * wy, uz * wx - ux * wz, ux * wy - uy * wx};
    const double l = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return l > 0 ? Point3{n.x / l, n.y / l, n.z / l} : Point3{0, 0, 0};
}
}  // namespace

std::vector<double> wallDistances(const TriangleMesh& solid, double reach)
{
    const int half = static_cast<int>(solid.vertices.size() / 2);
    std::vector<int> layer[2];
    // Outward at a vertex: the sum of its layer triangles' unit normals.
    std::vector<Point3> outward(solid.vertices.size(), Point3{0, 0, 0});
    for (size_t t = 0; t < solid.triangles.size(); ++t) {
        const int l = layerOf(solid.triangles[t], half);
        if (l < 0)
            continue;
        layer[l].push_back(static_cast<int>(t));
        const Point3 n = normalOf(solid, solid.triangles[t]);
        for (int i : solid.triangles[t])
            outward[i] = Point3{outward[i].x + n.x, outward[i].y + n.y, outward[i].z + n.z};
    }
    LayerGrid grid[2] = {LayerGrid(solid, layer[0], reach), LayerGrid(solid, layer[1], reach)};
    std::vector<double> out;
    out.reserve(solid.vertices.size() + layer[0].size() + layer[1].size());
    int query = 0;
    for (size_t i = 0; i < solid.vertices.size(); ++i)
        out.push_back(grid[static_cast<int>(i) < half ? 1 : 0].nearest(solid.vertices[i], outward[i], query++));
    for (size_t t = 0; t < solid.triangles.size(); ++t) {
        const int l = layerOf(solid.triangles[t], half);
        if (l < 0)
            continue;
        const Point3 &a = solid.vertices[solid.triangles[t][0]], &b = solid.vertices[solid.triangles[t][1]],
                     &c = solid.vertices[solid.triangles[t][2]];
        out.push_back(grid[1 - l].nearest(Point3{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3},
                                          normalOf(solid, solid.triangles[t]), query++));
    }
    return out;
}

double smallestWall(const TriangleMesh& solid, double reach, WallSpot* where)
{
    const std::vector<double> d = wallDistances(solid, reach);
    const int half = static_cast<int>(solid.vertices.size() / 2);
    WallSpot spot;
    spot.distance = reach;
    const size_t nv = solid.vertices.size();
    size_t k = 0;
    for (size_t i = 0; i < nv; ++i, ++k)
        if (d[k] < spot.distance)
            spot = WallSpot{d[k], static_cast<int>(i) % std::max(half, 1), false};
    for (size_t t = 0; t < solid.triangles.size(); ++t) {
        if (layerOf(solid.triangles[t], half) < 0)
            continue;
        if (d[k] < spot.distance)
            spot = WallSpot{d[k], solid.triangles[t][0] % std::max(half, 1), true};
        ++k;
    }
    if (where)
        *where = spot;
    return spot.distance;
}
