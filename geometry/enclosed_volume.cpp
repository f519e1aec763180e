#include "geometry/enclosed_volume.h"

#include <vector>

#include "model/boundary_loops.h"
#include "model/store.h"

namespace {
// p0 . (p1 x p2): six times the signed volume of the tetrahedron on the origin.
double tripleProduct(const Point3& p0, const Point3& p1, const Point3& p2)
{
    return p0.x * (p1.y * p2.z - p1.z * p2.y) + p0.y * (p1.z * p2.x - p1.x * p2.z) +
           p0.z * (p1.x * p2.y - p1.y * p2.x);
}
}  // namespace

double enclosedVolume()
{
    double six = 0;
    for (int f = 0; f < NOS; ++f)
        six += tripleProduct(v[face[f][0]], v[face[f][1]], v[face[f][2]]);
    // Each boundary side a -> b is closed by the cap triangle (b, a, centroid of its loop).
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        Point3 c{0, 0, 0};
        for (const BoundarySide& side : loop) {
            c.x += v[side.from].x;
            c.y += v[side.from].y;
            c.z += v[side.from].z;
        }
        c = Point3{c.x / loop.size(), c.y / loop.size(), c.z / loop.size()};
        for (const BoundarySide& side : loop)
            six += tripleProduct(v[side.to], v[side.from], c);
    }
    return six / 6;
}
