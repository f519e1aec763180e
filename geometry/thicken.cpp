#include "geometry/thicken.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "geometry/self_intersection.h"
#include "geometry/wall_thickness.h"
#include "model/adjacency.h"
#include "model/vec3.h"

namespace {
// A face's corner at a vertex: the face's unit normal and its two sides
// from the vertex, the turn from `side1` to `side2` running anticlockwise
// about the normal.
struct Corner {
    Point3 normal, side1, side2;
};

// How well direction d (unit) serves as the vertex's offset: a fan of faces
// seen along d must not fold over itself, or the layers offset along d would
// cut through each other near the vertex at any thickness. So every face must
// lie in front (its normal within 90 degrees of d), and the faces' corners
// seen along d must turn at most once around. Returns the least cosine
// between d and a face normal, or that less 2 when the corners turn further.
double offsetScore(const Point3& d, const std::vector<Corner>& corners)
{
    double least = 2, turn = 0;
    for (const Corner& c : corners) {
        least = std::min(least, dot(d, c.normal));
        const Point3 p1 = c.side1 - dot(c.side1, d) * d;
        const Point3 p2 = c.side2 - dot(c.side2, d) * d;
        turn += std::atan2(dot(cross(c.side1, c.side2), d), dot(p1, p2));
    }
    return turn <= 2 * M_PI + 1e-6 ? least : least - 2;
}

// The unit direction to offset a vertex along: the mean of its faces' normals
// `sum`, unless it lies nearly in or behind a face there or the fan folds
// over itself seen along it (a sharply folded vertex); then the best of the
// faces' normals, the bisectors of two, the directions equally inclined to
// three, and a spread of 400 directions, by offsetScore. (0, 0, 0) when the
// mean vanishes.
Point3 frontDirection(const Point3& sum, const std::vector<Corner>& corners)
{
    if (!(length(sum) > 1e-12))
        return {0, 0, 0};
    Point3 best = sum / length(sum);
    double bestScore = offsetScore(best, corners);
    if (bestScore >= 0.3)
        return best;
    auto consider = [&](Point3 d) {
        if (!(length(d) > 1e-12))
            return;
        d = d / length(d);
        const double score = offsetScore(d, corners);
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    };
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const Point3& a = corners[i].normal;
        consider(a);
        for (size_t j = i + 1; j < n; ++j) {
            const Point3& b = corners[j].normal;
            consider(a + b);
            for (size_t k = j + 1; k < n; ++k) {
                const Point3& c = corners[k].normal;
                Point3 d = cross(a - b, a - c);
                if (dot(d, a) < 0)
                    d = -d;
                consider(d);
            }
        }
    }
    const int spread = 400;  // a Fibonacci spiral over the sphere
    for (int k = 0; k < spread && bestScore < 0; ++k) {
        const double z = 1 - (2 * k + 1.0) / spread, r = std::sqrt(1 - z * z), t = k * 2.399963229728653;
        consider(Point3{r * std::cos(t), r * std::sin(t), z});
    }
    return best;
}

// The unit direction that lies as far in front of every face as any can: the
// one whose least cosine with the faces' unit normals is largest. That is
// the direction of the point of the normals' convex hull nearest the origin,
// which lies in the hull of one, two or three of them; every such candidate
// is tried. Returns the least cosine it reaches (<= 0 when no direction has
// every face in front) and the direction in *best.
double steepestCommonNormal(const std::vector<Corner>& corners, Point3* best)
{
    double bestLeast = -2;
    auto consider = [&](const Point3& x) {
        const double l = length(x);
        if (!(l > 1e-12))
            return;
        const Point3 d = x / l;
        double least = 2;
        for (const Corner& c : corners)
            least = std::min(least, dot(d, c.normal));
        if (least > bestLeast) {
            bestLeast = least;
            *best = d;
        }
    };
    const size_t n = corners.size();
    for (size_t i = 0; i < n; ++i) {
        const Point3& a = corners[i].normal;
        consider(a);
        for (size_t j = i + 1; j < n; ++j) {
            const Point3& b = corners[j].normal;
            const Point3 e = b - a;
            const double ee = dot(e, e);
            if (ee > 1e-24) {
                const double t = -dot(a, e) / ee;
                if (t > 0 && t < 1)
                    consider(a + t * e);
            }
            for (size_t k = j + 1; k < n; ++k) {
                const Point3& c = corners[k].normal;
                const Point3 f = c - a;
                const double ef = dot(e, f), ff = dot(f, f), det = ee * ff - ef * ef;
                if (!(det > 1e-24))
                    continue;
                const double ae = dot(a, e), af = dot(a, f);
                const double s = (-ae * ff + af * ef) / det, t = (-af * ee + ae * ef) / det;
                if (s > 0 && t > 0 && s + t < 1)
                    consider(a + s * e + t * f);
            }
        }
    }
    return bestLeast;
}

std::string edgeName(int a, int b) { return std::to_string(a) + "-" + std::to_string(b); }

// The triangles on each side a -> b; false with the reason on an edge that
// more than two triangles share or that two run along the same way.
bool sidesOf(const TriangleMesh& sheet, std::unordered_map<unsigned long long, int>* count, std::string* why)
{
    std::unordered_map<unsigned long long, int> forward;  // sides running from the lower to the higher index
    for (size_t t = 0; t < sheet.triangles.size(); ++t) {
        const auto& c = sheet.triangles[t];
        if (c[0] == c[1] || c[1] == c[2] || c[2] == c[0]) {
            *why = "face " + std::to_string(t) + " names a vertex twice";
            return false;
        }
        for (int k = 0; k < 3; ++k) {
            const int a = c[k], b = c[(k + 1) % 3];
            const unsigned long long key = vertexPairKey(a, b);
            const int n = ++(*count)[key];
            const int f = (forward[key] += a < b);
            if (n > 2) {
                *why = "edge " + edgeName(a, b) + " lies in more than two faces";
                return false;
            }
            if (n == 2 && f != 1) {
                *why = "the faces beside edge " + edgeName(a, b) +
                       " run along it the same way (the surface is not consistently oriented)";
                return false;
            }
        }
    }
    return true;
}
}  // namespace

bool thickenMesh(const TriangleMesh& sheet, double thickness, TriangleMesh* solid, std::string* why,
                 ThickenReport* report, OffsetRule rule)
{
    if (!(thickness > 0) || !std::isfinite(thickness)) {
        *why = "the thickness must be a positive number";
        return false;
    }
    if (sheet.triangles.empty()) {
        *why = "the surface has no faces";
        return false;
    }
    std::unordered_map<unsigned long long, int> count;
    if (!sidesOf(sheet, &count, why))
        return false;

    // Angle-weighted normals, and the unit normals of the faces at each vertex.
    const size_t nv = sheet.vertices.size();
    std::vector<Point3> normal(nv, Point3{0, 0, 0});
    std::vector<std::vector<Corner>> around(nv);
    std::vector<int> index(nv, -1);
    for (const auto& c : sheet.triangles) {
        const Point3* p[3] = {&sheet.vertices[c[0]], &sheet.vertices[c[1]], &sheet.vertices[c[2]]};
        const Point3 n = cross(*p[1] - *p[0], *p[2] - *p[0]);
        const double area2 = length(n);
        if (!(area2 > 0))
            continue;  // a face with no area has no direction to add
        const Point3 unitNormal = n / area2;
        for (int k = 0; k < 3; ++k) {
            const Point3 e1 = *p[(k + 1) % 3] - *p[k], e2 = *p[(k + 2) % 3] - *p[k];
            const double angle = std::atan2(length(cross(e1, e2)), dot(e1, e2));
            normal[c[k]] = normal[c[k]] + angle * unitNormal;
            around[c[k]].push_back(Corner{unitNormal, e1, e2});
        }
    }
    // Each vertex moves along the direction that lies furthest in front of all
    // its faces, far enough that every face plane there moves by at least
    // thickness / 2 (the length divided by the least cosine), at most
    // MAX_OFFSET_STRETCH times that; where that direction would fold the fan
    // over itself, along frontDirection's.
    std::vector<double> stretch(nv, 1);
    int clamped = 0, clampedVertex = -1;
    for (size_t i = 0; i < nv; ++i) {
        if (around[i].empty()) {
            normal[i] = Point3{0, 0, 0};
            continue;
        }
        if (rule == OffsetRule::HalfThicknessAlongMean) {
            normal[i] = frontDirection(normal[i], around[i]);
            continue;
        }
        Point3 d{0, 0, 0};
        double least = steepestCommonNormal(around[i], &d);
        if (!(least > 0) || offsetScore(d, around[i]) < 0) {
            d = frontDirection(normal[i], around[i]);
            least = 2;
            for (const Corner& c : around[i])
                least = std::min(least, dot(d, c.normal));
        }
        normal[i] = d;
        if (least * MAX_OFFSET_STRETCH >= 1) {
            stretch[i] = 1 / least;
        } else {
            stretch[i] = MAX_OFFSET_STRETCH;
            if (clamped++ == 0)
                clampedVertex = static_cast<int>(i);
        }
    }
    int used = 0;
    for (const auto& c : sheet.triangles)
        for (int i : c)
            if (index[i] < 0)
                index[i] = 0;
    for (size_t i = 0; i < nv; ++i)
        if (index[i] == 0)
            index[i] = used++;

    std::vector<int> sheetVertex(used);
    for (size_t i = 0; i < nv; ++i) {
        if (index[i] < 0)
            continue;
        sheetVertex[index[i]] = static_cast<int>(i);
        if (!(length(normal[i]) > 0.5)) {
            *why = "the faces at vertex " + std::to_string(i) + " have no common side to offset it to";
            return false;
        }
    }
    solid->vertices.assign(2 * used, Point3{0, 0, 0});
    auto place = [&]() {
        for (int k = 0; k < used; ++k) {
            const int i = sheetVertex[k];
            const double h = 0.5 * thickness * stretch[i];
            const Point3& p = sheet.vertices[i];
            const Point3& n = normal[i];
            solid->vertices[k] = p + h * n;
            solid->vertices[k + used] = p - h * n;
        }
    };
    place();

    solid->triangles.clear();
    solid->triangles.reserve(2 * sheet.triangles.size());
    for (const auto& c : sheet.triangles)
        solid->triangles.push_back({index[c[0]], index[c[1]], index[c[2]]});
    for (const auto& c : sheet.triangles)
        solid->triangles.push_back({index[c[0]] + used, index[c[2]] + used, index[c[1]] + used});
    // A wall on each boundary side a -> b runs along the front side the other
    // way and along the back side (reversed there) the same way.
    for (const auto& c : sheet.triangles)
        for (int k = 0; k < 3; ++k) {
            if (count[vertexPairKey(c[k], c[(k + 1) % 3])] != 1)
                continue;
            const int a = index[c[k]], b = index[c[(k + 1) % 3]];
            solid->triangles.push_back({b, a, a + used});
            solid->triangles.push_back({b, a + used, b + used});
        }

    // A stretched offset that runs the solid through itself is drawn back
    // towards thickness / 2, its excess cut by HOLD_BACK_FACTOR each round,
    // until nothing crosses or, in the last round, all the way.
    const std::vector<double> wanted = stretch;
    for (int round = 0; rule == OffsetRule::FullWall && round < MAX_HOLD_BACK_ROUNDS; ++round) {
        bool changed = false;
        const bool last = round + 1 == MAX_HOLD_BACK_ROUNDS;
        for (const auto& [f, g] : meshSelfIntersections(*solid)) {
            // The most stretched corner of the two faces is drawn back; in the
            // last round every stretched corner goes all the way.
            int most = -1;
            for (int t : {f, g})
                for (int k : solid->triangles[t]) {
                    const int i = sheetVertex[k % used];
                    if (stretch[i] > 1 && (last || most < 0 || stretch[i] > stretch[most])) {
                        most = i;
                        if (last)
                            stretch[i] = 1;
                    }
                }
            if (most >= 0 && !last)
                stretch[most] = 1 + (stretch[most] - 1) * HOLD_BACK_FACTOR;
            changed = changed || most >= 0;
        }
        if (!changed)
            break;
        place();
    }

    if (report) {
        report->shortVertices.clear();
        report->heldBackVertices = 0;
        for (int k = 0; k < used; ++k) {
            const int i = sheetVertex[k];
            if (stretch[i] < wanted[i]) {
                ++report->heldBackVertices;
            }
            if (stretch[i] < wanted[i] || wanted[i] >= MAX_OFFSET_STRETCH)
                report->shortVertices.push_back(i);
        }
        WallSpot spot;
        report->smallestWall = smallestWall(*solid, 2 * thickness, &spot);
        report->thinVertex = spot.vertex >= 0 ? sheetVertex[spot.vertex] : -1;
        report->clampedVertices = clamped;
        report->clampedVertex = clampedVertex;
        report->thinAtSharpFold = false;
        std::vector<bool> isShort(nv, false);
        for (int i : report->shortVertices)
            isShort[i] = true;
        for (const auto& c : sheet.triangles) {
            const bool atThin = c[0] == report->thinVertex || c[1] == report->thinVertex || c[2] == report->thinVertex;
            for (int i : c)
                report->thinAtSharpFold = report->thinAtSharpFold || (atThin && isShort[i]);
        }
    }
    return true;
}

double largestCleanThickness(const TriangleMesh& sheet, double upper)
{
    auto clean = [&](double t) {
        TriangleMesh solid;
        std::string why;
        return thickenMesh(sheet, t, &solid, &why) && meshSelfIntersections(solid).empty();
    };
    double lo = upper / 1000, hi = upper;
    if (!clean(lo))
        return 0;
    while (hi - lo > 0.01 * hi) {
        const double mid = 0.5 * (lo + hi);
        (clean(mid) ? lo : hi) = mid;
    }
    return lo;
}

namespace {
std::string number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", x);
    return text;
}
}  // namespace

bool thickenChecked(const TriangleMesh& sheet, double thickness, bool allowCrossing, TriangleMesh* solid,
                    ThickenReport* report, std::string* why)
{
    ThickenReport local;
    ThickenReport& r = report ? *report : local;
    r = ThickenReport{};
    if (!thickenMesh(sheet, thickness, solid, why, &r))
        return false;
    r.crossingPairs = static_cast<int>(meshSelfIntersections(*solid).size());
    if (r.crossingPairs == 0 || allowCrossing)
        return true;
    r.cleanThickness = largestCleanThickness(sheet, thickness);
    *why = "at thickness " + number(thickness) + " the solid passes through itself (" +
           std::to_string(r.crossingPairs) + (r.crossingPairs == 1 ? " pair" : " pairs") + " of faces cross); " +
           (r.cleanThickness > 0 ? "the largest clean thickness found is " + number(r.cleanThickness)
                                 : std::string("it crosses at every thickness tried"));
    return false;
}

std::string wallSummary(const ThickenReport& report, double thickness, double scale, const std::string& unit)
{
    const std::string u = unit.empty() ? unit : " " + unit;
    std::string line = "smallest wall " + number(report.smallestWall * scale) + u + " (" +
                       number(report.smallestWall / thickness) + " of the thickness " + number(thickness * scale) +
                       u + ")";
    if (report.thinVertex >= 0)
        line += " near vertex " + std::to_string(report.thinVertex);
    if (report.smallestWall < 0.9 * thickness)
        line += report.thinAtSharpFold ? ", where the faces turn too sharply for a full wall or it would run into "
                                         "another part"
                                       : ", where the surface bends or comes back within the thickness";
    if (report.clampedVertices > 0)
        line += "; " + std::to_string(report.clampedVertices) +
                (report.clampedVertices == 1 ? " vertex turns" : " vertices turn") +
                " too sharply for a full wall (first: vertex " + std::to_string(report.clampedVertex) + ")";
    if (report.heldBackVertices > 0)
        line += "; " + std::to_string(report.heldBackVertices) +
                (report.heldBackVertices == 1 ? " vertex" : " vertices") +
                " held back where a full wall would run into another part";
    if (report.crossingPairs > 0)
        line += "; " + std::to_string(report.crossingPairs) + " pairs of faces cross";
    return line;
}

bool thicken(double thickness, bool allowCrossing, ThickenReport* report, std::string* why)
{
    TriangleMesh solid;
    if (!thickenChecked(currentMesh(), thickness, allowCrossing, &solid, report, why) ||
        !loadMeshIntoStore(solid, why))
        return false;
    g_solid = true;
    return true;
}

void scalepoly(double factor)
{
    scalePoints(v, static_cast<size_t>(NOV), factor);
}
