#include "export/print_report.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>

#include "geometry/wall_thickness.h"

namespace {
int findRoot(std::vector<int>& parent, int i)
{
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

std::string number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", x);
    return text;
}
}  // namespace

PrintReport printReport(const TriangleMesh& mesh, bool solid)
{
    PrintReport r;
    if (mesh.vertices.empty())
        return r;
    r.low = r.high = mesh.vertices[0];
    for (const Point3& p : mesh.vertices) {
        r.low = {std::min(r.low.x, p.x), std::min(r.low.y, p.y), std::min(r.low.z, p.z)};
        r.high = {std::max(r.high.x, p.x), std::max(r.high.y, p.y), std::max(r.high.z, p.z)};
    }
    // Shells: the triangles joined through shared corners.
    std::vector<int> parent(mesh.vertices.size());
    std::iota(parent.begin(), parent.end(), 0);
    std::map<std::pair<int, int>, int> sides;
    for (const auto& t : mesh.triangles)
        for (int k = 0; k < 3; ++k) {
            parent[findRoot(parent, t[k])] = findRoot(parent, t[(k + 1) % 3]);
            ++sides[{t[k], t[(k + 1) % 3]}];
        }
    r.closed = !mesh.triangles.empty();
    for (const auto& [side, n] : sides) {
        const auto back = sides.find({side.second, side.first});
        r.closed = r.closed && n == 1 && back != sides.end() && back->second == 1;
    }
    std::map<int, double> shellVolume;  // six times each shell's volume
    for (const auto& t : mesh.triangles) {
        const Point3 &a = mesh.vertices[t[0]], &b = mesh.vertices[t[1]], &c = mesh.vertices[t[2]];
        shellVolume[findRoot(parent, t[0])] += a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                                              a.z * (b.x * c.y - b.y * c.x);
    }
    r.shells = static_cast<int>(shellVolume.size());
    r.outward = r.closed;
    for (const auto& [root, six] : shellVolume) {
        r.volume += six / 6;
        r.outward = r.outward && six > 0;
    }
    const size_t half = mesh.vertices.size() / 2;
    if (solid && half > 0) {
        double apart = INFINITY;
        for (size_t k = 0; k < half; ++k) {
            const Point3 &f = mesh.vertices[k], &b = mesh.vertices[k + half];
            apart = std::min(apart, std::hypot(f.x - b.x, f.y - b.y, f.z - b.z));
        }
        if (apart > 0 && std::isfinite(apart))
            r.smallestWall = smallestWall(mesh, 2 * apart, nullptr);
    }
    return r;
}

std::string printReportText(const PrintReport& r)
{
    std::string text = "volume " + number(r.volume) + " mm3\n";
    text += "bounding box " + number(r.high.x - r.low.x) + " x " + number(r.high.y - r.low.y) + " x " +
            number(r.high.z - r.low.z) + " mm, from (" + number(r.low.x) + ", " + number(r.low.y) + ", " +
            number(r.low.z) + ") to (" + number(r.high.x) + ", " + number(r.high.y) + ", " + number(r.high.z) + ")\n";
    text += "smallest wall " + (r.smallestWall >= 0 ? number(r.smallestWall) + " mm" : std::string("-")) + "\n";
    text += "shells " + std::to_string(r.shells) + "\n";
    text += std::string("closed ") + (r.closed ? "yes" : "no") + "\n";
    text += std::string("outward ") + (r.outward ? "yes" : "no") + "\n";
    return text;
}

std::vector<std::string> printWarnings(const TriangleMesh& mesh, const std::string& extension)
{
    std::vector<std::string> lines;
    if (extension != ".stl" && extension != ".3mf")
        return lines;
    const PrintReport r = printReport(mesh, false);
    if (!r.closed)
        lines.push_back("the surface is open (a sheet of no thickness): a slicer cannot fill it; thicken=T makes a solid");
    const double largest = std::max({r.high.x - r.low.x, r.high.y - r.low.y, r.high.z - r.low.z});
    if (largest > 0 && (largest < 5 || largest > 500)) {
        const double scale = 100 / largest;
        char text[160];
        std::snprintf(text, sizeof text, "the largest side is %.3g mm (%s is read in millimetres); use scale=%.3g for 100 mm",
                      largest, extension == ".stl" ? "STL" : "3MF", scale);
        lines.push_back(text);
    }
    return lines;
}

bool scaleKeepsShape(const TriangleMesh& mesh, double factor, std::string* why)
{
    bool differ = false, allEqual = true;
    const Point3* first = mesh.vertices.empty() ? nullptr : &mesh.vertices[0];
    Point3 firstScaled{0, 0, 0};
    if (first)
        firstScaled = {first->x * factor, first->y * factor, first->z * factor};
    for (const Point3& p : mesh.vertices) {
        const double c[3] = {p.x * factor, p.y * factor, p.z * factor};
        for (double x : c)
            if (x != 0 && std::fabs(x) < DBL_MIN) {
                *why = "scale " + number(factor) + " makes coordinates too small to keep their digits";
                return false;
            }
        differ = differ || p.x != first->x || p.y != first->y || p.z != first->z;
        allEqual = allEqual && c[0] == firstScaled.x && c[1] == firstScaled.y && c[2] == firstScaled.z;
    }
    if (differ && allEqual) {
        *why = "scale " + number(factor) + " makes every position the same";
        return false;
    }
    return true;
}
