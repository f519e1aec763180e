#include "geometry/self_intersection.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/face_boxes.h"
#include "model/store.h"
#include "model/vec3.h"

namespace {
// Faces as three vertex indices each, into a list of positions: the store's
// surface or a detached mesh.
struct Faces {
    const Point3* points;
    const int* corners;  // three per face
    int count;
    int at(int f, int k) const { return corners[3 * f + k]; }
    const double* corner(int f, int k) const { return &points[at(f, k)].x; }
    FaceBox box(int f) const
    {
        FaceBox b;
        for (int d = 0; d < 3; ++d) {
            const double a0 = corner(f, 0)[d], a1 = corner(f, 1)[d], a2 = corner(f, 2)[d];
            b[d] = std::min({a0, a1, a2});
            b[d + 3] = std::max({a0, a1, a2});
        }
        return b;
    }
};

// The two corners of f other than vertex x, or false when f has no two.
bool sideOpposite(const Faces& s, int f, int x, const double** a, const double** b)
{
    int found = 0;
    for (int k = 0; k < 3; ++k)
        if (s.at(f, k) != x)
            (found++ == 0 ? *a : *b) = s.corner(f, k);
    return found == 2;
}

// facesCross without the bounding-box test.
bool facesCrossInside(const Faces& s, int f, int g)
{
    auto corner = [&](int h, int k) { return s.corner(h, k); };
    int shared = 0, sharedVertex = -1;
    for (int i = 0; i < 3; ++i) {
        bool earlier = false;
        for (int j = 0; j < i; ++j)
            earlier = earlier || s.at(f, j) == s.at(f, i);
        if (earlier)
            continue;
        for (int j = 0; j < 3; ++j)
            if (s.at(f, i) == s.at(g, j)) {
                ++shared;
                sharedVertex = s.at(f, i);
                break;
            }
    }
    if (shared == 0) {
        for (int k = 0; k < 3; ++k)
            if (segmentMeetsTriangle(corner(f, k), corner(f, (k + 1) % 3), corner(g, 0), corner(g, 1), corner(g, 2)) ||
                segmentMeetsTriangle(corner(g, k), corner(g, (k + 1) % 3), corner(f, 0), corner(f, 1), corner(f, 2)))
                return true;
    } else if (shared == 1) {
        // The two faces' planes meet in a line through the shared corner; each
        // face cuts it in a segment from that corner, and the faces cross when
        // both segments run the same way: the shorter one ends on the side
        // of its face opposite the corner, inside the other face.
        const double *a = nullptr, *b = nullptr;
        if (sideOpposite(s, f, sharedVertex, &a, &b) &&
            segmentMeetsTriangle(a, b, corner(g, 0), corner(g, 1), corner(g, 2)))
            return true;
        if (sideOpposite(s, g, sharedVertex, &a, &b) &&
            segmentMeetsTriangle(a, b, corner(f, 0), corner(f, 1), corner(f, 2)))
            return true;
    }
    return trianglesOverlapInPlane(corner(f, 0), corner(f, 1), corner(f, 2), corner(g, 0), corner(g, 1), corner(g, 2));
}
}  // namespace

bool segmentMeetsTriangle(const double* a, const double* b, const double* p, const double* q, const double* r)
{
    // Moeller and Trumbore: solve a + t (b - a) = p + u (q - p) + w (r - p).
    const Point3 A = pointAt(a), P = pointAt(p);
    const Point3 dir = pointAt(b) - A, e1 = pointAt(q) - P, e2 = pointAt(r) - P;
    const Point3 h = cross(dir, e2);
    const double det = dot(e1, h);
    const double scale = std::sqrt(dot(e1, e1) * dot(e2, e2) * dot(dir, dir));
    if (std::fabs(det) <= 1e-12 * scale)
        return false;  // parallel to the triangle's plane
    const double inv = 1.0 / det;
    const Point3 s = A - P;
    const double u = inv * dot(s, h);
    if (u < 0 || u > 1)
        return false;
    const Point3 qv = cross(s, e1);
    const double w = inv * dot(dir, qv);
    if (w < 0 || u + w > 1)
        return false;
    const double t = inv * dot(e2, qv);
    return t >= 0 && t <= 1;
}

bool trianglesOverlapInPlane(const double* a0, const double* a1, const double* a2, const double* b0,
                             const double* b1, const double* b2)
{
    const double* t[2][3] = {{a0, a1, a2}, {b0, b1, b2}};
    double longest = 0;
    for (auto& tri : t)
        for (int k = 0; k < 3; ++k)
            longest = std::max(longest, length(pointAt(tri[k]) - pointAt(tri[(k + 1) % 3])));
    const double tol = 1e-11 * longest;
    if (!(tol > 0))
        return false;
    // Both in one plane: every corner of each within tol of the other's plane.
    Point3 normal[2];
    for (int s = 0; s < 2; ++s) {
        const Point3 n = cross(pointAt(t[s][1]) - pointAt(t[s][0]), pointAt(t[s][2]) - pointAt(t[s][0]));
        const double len = length(n);
        if (!(len > tol * longest))
            return false;  // no area
        normal[s] = n / len;
    }
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 3; ++k)
            if (!(std::fabs(dot(normal[s], pointAt(t[1 - s][k]) - pointAt(t[s][0]))) <= tol))
                return false;
    // Drop the coordinate along which the plane faces most, then look for a
    // separating line along a side of either triangle.
    const double facing[3] = {std::fabs(normal[0].x), std::fabs(normal[0].y), std::fabs(normal[0].z)};
    int drop = 0;
    for (int d = 1; d < 3; ++d)
        if (facing[d] > facing[drop])
            drop = d;
    const int x = (drop + 1) % 3, y = (drop + 2) % 3;
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 3; ++k) {
            const double* p = t[s][k];
            const double* q = t[s][(k + 1) % 3];
            double ax = q[y] - p[y], ay = p[x] - q[x];
            const double len = std::hypot(ax, ay);
            if (!(len > tol))
                continue;  // a side seen end on
            ax /= len;
            ay /= len;
            double lo[2], hi[2];
            for (int r = 0; r < 2; ++r) {
                lo[r] = hi[r] = t[r][0][x] * ax + t[r][0][y] * ay;
                for (int c = 1; c < 3; ++c) {
                    const double proj = t[r][c][x] * ax + t[r][c][y] * ay;
                    lo[r] = std::min(lo[r], proj);
                    hi[r] = std::max(hi[r], proj);
                }
            }
            if (std::min(hi[0], hi[1]) - std::max(lo[0], lo[1]) <= tol)
                return false;
        }
    return true;
}

namespace {
std::vector<std::pair<int, int>> crossingPairs(const Faces& s)
{
    const int count = s.count;
    std::vector<std::pair<int, int>> found;
    std::vector<FaceBox> boxes(count);
    // Faces with a coordinate that is not finite have no place in the grid;
    // they are tested against every other face.
    std::vector<int> wild, placed;
    std::vector<bool> isWild(count, false);
    double size = 0;
    for (int f = 0; f < count; ++f) {
        boxes[f] = s.box(f);
        bool finite = true;
        for (double c : boxes[f])
            finite = finite && std::isfinite(c);
        if (!finite) {
            wild.push_back(f);
            isWild[f] = true;
            continue;
        }
        size += std::max({boxes[f][3] - boxes[f][0], boxes[f][4] - boxes[f][1], boxes[f][5] - boxes[f][2]});
        placed.push_back(f);
    }
    // Cells about as wide as a face.
    const double cell = placed.empty() ? 1.0 : size / placed.size();
    forEachNearBoxPair(boxes, placed, cell, 0, [&](int f, int g) {
        if (facesCrossInside(s, f, g))
            found.emplace_back(f, g);
    });
    for (int f : wild)
        for (int g = 0; g < count; ++g)
            if (g != f && !(isWild[g] && g < f) && !boxesApart(boxes[f], boxes[g]) && facesCrossInside(s, f, g))
                found.emplace_back(std::min(f, g), std::max(f, g));
    std::sort(found.begin(), found.end());
    return found;
}

Faces storeFaces()
{
    return Faces{v, NOS > 0 ? &face[0][0] : nullptr, NOS};
}
}  // namespace

bool facesCross(int f, int g)
{
    return f != g && !boxesApart(faceBox(f), faceBox(g)) && facesCrossInside(storeFaces(), f, g);
}

std::vector<std::pair<int, int>> selfIntersections()
{
    return crossingPairs(storeFaces());
}

std::vector<std::pair<int, int>> meshSelfIntersections(const TriangleMesh& mesh)
{
    std::vector<int> corners;
    corners.reserve(3 * mesh.triangles.size());
    for (const auto& t : mesh.triangles)
        corners.insert(corners.end(), t.begin(), t.end());
    return crossingPairs(Faces{mesh.vertices.data(), corners.data(), static_cast<int>(mesh.triangles.size())});
}
