#include "geometry/enclosed_volume.h"

#include <map>
#include <vector>

#include "model/adjacency.h"
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
    std::map<int, int> next;  // boundary side from -> to
    for (const BoundarySide& side : boundarySides())
        next[side.from] = side.to;
    while (!next.empty()) {
        std::vector<int> loop;
        for (int at = next.begin()->first; next.count(at);) {
            loop.push_back(at);
            const int to = next[at];
            next.erase(at);
            at = to;
        }
        Point3 c{0, 0, 0};
        for (int i : loop) {
            c.x += v[i].x;
            c.y += v[i].y;
            c.z += v[i].z;
        }
        c = Point3{c.x / loop.size(), c.y / loop.size(), c.z / loop.size()};
        for (size_t k = 0; k + 1 < loop.size(); ++k)
            six += tripleProduct(v[loop[k + 1]], v[loop[k]], c);
        six += tripleProduct(v[loop.front()], v[loop.back()], c);
    }
    return six / 6;
}
