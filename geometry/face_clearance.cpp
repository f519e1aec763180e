#include "geometry/face_clearance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "geometry/face_boxes.h"
#include "geometry/self_intersection.h"
#include "model/adjacency.h"
#include "model/store.h"
#include "model/vec3.h"

namespace {
double clamp01(double t)
{
    return t < 0 ? 0 : t > 1 ? 1 : t;
}

const double* corner(int f, int k)
{
    return &v[face[f][k]].x;
}

double faceDistance(int f, int g)
{
    return triangleDistance(corner(f, 0), corner(f, 1), corner(f, 2), corner(g, 0), corner(g, 1), corner(g, 2));
}

}  // namespace

void closestPointsOfSegments(const double* p0, const double* p1, const double* q0, const double* q1, double* sOut,
                             double* tOut)
{
    const Point3 P0 = pointAt(p0), Q0 = pointAt(q0);
    const Point3 d1 = pointAt(p1) - P0, d2 = pointAt(q1) - Q0, r = P0 - Q0;
    const double a = dot(d1, d1), e = dot(d2, d2), f = dot(d2, r);
    double s = 0, t = 0;
    if (a <= 0 && e <= 0) {
        s = t = 0;
    } else if (a <= 0) {
        t = clamp01(f / e);
    } else {
        const double c = dot(d1, r);
        if (e <= 0) {
            s = clamp01(-c / a);
        } else {
            const double b = dot(d1, d2), denom = a * e - b * b;
            s = denom > 0 ? clamp01((b * f - c * e) / denom) : 0;
            t = (b * s + f) / e;
            if (t < 0) {
                t = 0;
                s = clamp01(-c / a);
            } else if (t > 1) {
                t = 1;
                s = clamp01((b - c) / a);
            }
        }
    }
    *sOut = s;
    *tOut = t;
}

double segmentDistance(const double* p0, const double* p1, const double* q0, const double* q1)
{
    double s, t;
    closestPointsOfSegments(p0, p1, q0, q1, &s, &t);
    const Point3 P0 = pointAt(p0), Q0 = pointAt(q0);
    const Point3 d1 = pointAt(p1) - P0, d2 = pointAt(q1) - Q0;
    return length(P0 + s * d1 - (Q0 + t * d2));
}

void closestPointOnTriangle(const double* p, const double* a, const double* b, const double* c, double* closest)
{
    double weights[3];
    closestPointAndWeightsOnTriangle(p, a, b, c, closest, weights);
}

void closestPointAndWeightsOnTriangle(const double* p, const double* a, const double* b, const double* c,
                                      double* closest, double* weights)
{
    const Point3 A = pointAt(a), P = pointAt(p);
    const Point3 ab = pointAt(b) - A, ac = pointAt(c) - A, ap = P - A;
    auto at = [&](double u, double w) {
        const Point3 x = A + u * ab + w * ac;
        closest[0] = x.x;
        closest[1] = x.y;
        closest[2] = x.z;
        weights[0] = 1 - u - w;
        weights[1] = u;
        weights[2] = w;
    };
    const double d1 = dot(ab, ap), d2 = dot(ac, ap);
    const Point3 bp = P - pointAt(b), cp = P - pointAt(c);
    const double d3 = dot(ab, bp), d4 = dot(ac, bp), d5 = dot(ab, cp), d6 = dot(ac, cp);
    const double va = d3 * d6 - d5 * d4, vb = d5 * d2 - d1 * d6, vc = d1 * d4 - d3 * d2;
    if (d1 <= 0 && d2 <= 0)
        at(0, 0);
    else if (d3 >= 0 && d4 <= d3)
        at(1, 0);
    else if (d6 >= 0 && d5 <= d6)
        at(0, 1);
    else if (vc <= 0 && d1 >= 0 && d3 <= 0)
        at(d1 / (d1 - d3), 0);
    else if (vb <= 0 && d2 >= 0 && d6 <= 0)
        at(0, d2 / (d2 - d6));
    else if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0) {
        const double t = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        at(1 - t, t);
    } else {
        const double sum = va + vb + vc;
        if (!(std::fabs(sum) > 0))
            at(0, 0);  // no area: its corner a stands for it (the sides are measured too)
        else
            at(vb / sum, vc / sum);
    }
}

double pointTriangleDistance(const double* p, const double* a, const double* b, const double* c)
{
    double closest[3];
    closestPointOnTriangle(p, a, b, c, closest);
    return length(pointAt(p) - pointAt(closest));
}


double triangleDistance(const double* a0, const double* a1, const double* a2, const double* b0, const double* b1,
                        const double* b2)
{
    const double* a[3] = {a0, a1, a2};
    const double* b[3] = {b0, b1, b2};
    // Triangles that pass through each other have a side of one through the other.
    for (int k = 0; k < 3; ++k)
        if (segmentMeetsTriangle(a[k], a[(k + 1) % 3], b0, b1, b2) ||
            segmentMeetsTriangle(b[k], b[(k + 1) % 3], a0, a1, a2))
            return 0;
    double best = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 3; ++k) {
        best = std::min(best, pointTriangleDistance(a[k], b0, b1, b2));
        best = std::min(best, pointTriangleDistance(b[k], a0, a1, a2));
        for (int j = 0; j < 3; ++j)
            best = std::min(best, segmentDistance(a[k], a[(k + 1) % 3], b[j], b[(j + 1) % 3]));
    }
    return best;
}

double smallestFaceClearance()
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<FaceBox> boxes(NOS);
    std::vector<int> placed;
    FaceBox all{0, 0, 0, 0, 0, 0};
    double size = 0;
    for (int f = 0; f < NOS; ++f) {
        const FaceBox& box = boxes[f] = faceBox(f);
        bool finite = true;
        for (int k = 0; k < 3; ++k)
            for (int d = 0; d < 3; ++d)
                finite = finite && std::isfinite(corner(f, k)[d]);
        if (!finite) {
            for (int g = 0; g < NOS; ++g)
                if (g != f && !facesShareCorner(f, g))
                    return 0;
            continue;
        }
        for (int d = 0; d < 3; ++d) {
            all[d] = placed.empty() ? box[d] : std::min(all[d], box[d]);
            all[d + 3] = placed.empty() ? box[d + 3] : std::max(all[d + 3], box[d + 3]);
        }
        size += std::max({box[3] - box[0], box[4] - box[1], box[5] - box[2]});
        placed.push_back(f);
    }
    if (placed.size() < 2)
        return inf;
    const double span = std::max({all[3] - all[0], all[4] - all[1], all[5] - all[2]});
    // The nearest of the pairs whose boxes come within `reach` is the answer
    // when it is within reach.
    double reach = size / placed.size();
    if (!(reach > 0))
        reach = span > 0 ? span : 1.0;
    for (;;) {
        double best = inf;
        forEachNearBoxPair(boxes, placed, std::max(reach, size / placed.size()), reach, [&](int f, int g) {
            if (!facesShareCorner(f, g))
                best = std::min(best, faceDistance(f, g));
        });
        // Within reach, nothing nearer was missed; once the reach spans the whole
        // surface, every pair has been measured.
        if (best <= reach || reach >= span)
            return best;
        reach *= 4;
    }
}
