#include "tests/kit_checks.h"

#include <algorithm>
#include <cmath>

namespace {
// a + b = x + y exactly, |y| small beside x.
void twoSum(double a, double b, double* x, double* y)
{
    *x = a + b;
    const double bv = *x - a, av = *x - bv;
    *y = (a - av) + (b - bv);
}

// Adds b to the expansion e (components of increasing size that do not overlap).
void grow(std::vector<double>& e, double b)
{
    double q = b;
    for (double& c : e) {
        double sum, small;
        twoSum(q, c, &sum, &small);
        c = small;
        q = sum;
    }
    e.push_back(q);
}

int polygonSense(const std::vector<Point2>& p)
{
    for (size_t k = 0; k < p.size(); ++k) {
        const int s = exactOrientation(p[k], p[(k + 1) % p.size()], p[(k + 2) % p.size()]);
        if (s != 0)
            return s;
    }
    return 0;
}

// True when a side of `a` has every corner of `b` on its outer side or on it.
bool someSideSeparates(const std::vector<Point2>& a, int sense, const std::vector<Point2>& b)
{
    for (size_t k = 0; k < a.size(); ++k) {
        bool separates = true;
        for (const Point2& q : b)
            if (exactOrientation(a[k], a[(k + 1) % a.size()], q) * sense > 0) {
                separates = false;
                break;
            }
        if (separates)
            return true;
    }
    return false;
}
}  // namespace

int exactOrientation(const Point2& a, const Point2& b, const Point2& c)
{
    // (ax - cx)(by - cy) - (ay - cy)(bx - cx), multiplied out into six exact
    // products, each the sum of two doubles.
    const double products[6][2] = {{a.x, b.y}, {-a.x, c.y}, {-c.x, b.y}, {-a.y, b.x}, {a.y, c.x}, {c.y, b.x}};
    std::vector<double> e;
    for (const auto& p : products) {
        const double x = p[0] * p[1];
        grow(e, std::fma(p[0], p[1], -x));
        grow(e, x);
    }
    for (size_t k = e.size(); k-- > 0;)
        if (e[k] != 0)
            return e[k] > 0 ? 1 : -1;
    return 0;
}

bool insidesOverlap(const std::vector<Point2>& a, const std::vector<Point2>& b)
{
    const int sa = polygonSense(a), sb = polygonSense(b);
    if (sa == 0 || sb == 0)
        return false;  // no inside
    return !someSideSeparates(a, sa, b) && !someSideSeparates(b, sb, a);
}

std::vector<std::pair<int, int>> overlappingPairs(const std::vector<std::vector<Point2>>& polygons)
{
    struct Box {
        double x0, x1, y0, y1;
        int id;
    };
    std::vector<Box> boxes;
    for (size_t i = 0; i < polygons.size(); ++i) {
        Box b{INFINITY, -INFINITY, INFINITY, -INFINITY, static_cast<int>(i)};
        for (const Point2& p : polygons[i]) {
            b.x0 = std::min(b.x0, p.x);
            b.x1 = std::max(b.x1, p.x);
            b.y0 = std::min(b.y0, p.y);
            b.y1 = std::max(b.y1, p.y);
        }
        boxes.push_back(b);
    }
    std::sort(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.x0 < b.x0; });
    std::vector<std::pair<int, int>> pairs;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size() && boxes[j].x0 <= boxes[i].x1; ++j) {
            if (boxes[j].y0 > boxes[i].y1 || boxes[i].y0 > boxes[j].y1)
                continue;
            if (insidesOverlap(polygons[boxes[i].id], polygons[boxes[j].id]))
                pairs.emplace_back(std::min(boxes[i].id, boxes[j].id), std::max(boxes[i].id, boxes[j].id));
        }
    return pairs;
}
