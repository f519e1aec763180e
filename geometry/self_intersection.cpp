#include "geometry/self_intersection.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/store.h"

namespace {
void sub(const double* a, const double* b, double* out)
{
    for (int k = 0; k < 3; ++k)
        out[k] = a[k] - b[k];
}
void cross(const double* a, const double* b, double* out)
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}
double dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
}  // namespace

bool segmentMeetsTriangle(const double* a, const double* b, const double* p, const double* q, const double* r)
{
    // Moeller and Trumbore: solve a + t (b - a) = p + u (q - p) + w (r - p).
    double dir[3], e1[3], e2[3], h[3], s[3], qv[3];
    sub(b, a, dir);
    sub(q, p, e1);
    sub(r, p, e2);
    cross(dir, e2, h);
    const double det = dot(e1, h);
    const double scale = std::sqrt(dot(e1, e1) * dot(e2, e2) * dot(dir, dir));
    if (std::fabs(det) <= 1e-12 * scale)
        return false;  // parallel to the triangle's plane
    const double inv = 1.0 / det;
    sub(a, p, s);
    const double u = inv * dot(s, h);
    if (u < 0 || u > 1)
        return false;
    cross(s, e1, qv);
    const double w = inv * dot(dir, qv);
    if (w < 0 || u + w > 1)
        return false;
    const double t = inv * dot(e2, qv);
    return t >= 0 && t <= 1;
}

std::vector<std::pair<int, int>> selfIntersections()
{
    std::vector<std::pair<int, int>> found;
    auto corner = [](int f, int k) { return &v[face[f][k]].x; };
    std::vector<std::array<double, 6>> boxes(NOS);
    for (int f = 0; f < NOS; ++f) {
        auto& box = boxes[f];
        for (int d = 0; d < 3; ++d) {
            box[d] = std::min({corner(f, 0)[d], corner(f, 1)[d], corner(f, 2)[d]});
            box[d + 3] = std::max({corner(f, 0)[d], corner(f, 1)[d], corner(f, 2)[d]});
        }
    }
    for (int f = 0; f < NOS; ++f) {
        for (int g = f + 1; g < NOS; ++g) {
            bool shared = false;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    shared = shared || face[f][i] == face[g][j];
            if (shared)
                continue;
            bool apart = false;
            for (int d = 0; d < 3; ++d)
                apart = apart || boxes[f][d] > boxes[g][d + 3] || boxes[g][d] > boxes[f][d + 3];
            if (apart)
                continue;
            bool meet = false;
            for (int k = 0; k < 3 && !meet; ++k) {
                meet = segmentMeetsTriangle(corner(f, k), corner(f, (k + 1) % 3), corner(g, 0), corner(g, 1), corner(g, 2)) ||
                       segmentMeetsTriangle(corner(g, k), corner(g, (k + 1) % 3), corner(f, 0), corner(f, 1), corner(f, 2));
            }
            if (meet)
                found.emplace_back(f, g);
        }
    }
    return found;
}
