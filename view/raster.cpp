#include "view/raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double DASH_ON = 9.0, DASH_PERIOD = 15.0;
constexpr double DISC_RADIUS = 5.0;

uint32_t pack(const RGBColour& c)
{
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | uint32_t(c.b);
}

// Blends `colour` over the pixel with coverage k / 256, k in [0, 256].
inline void blendFixed(uint32_t& p, uint32_t colour, int k)
{
    if (k <= 0)
        return;
    if (k >= 256) {
        p = colour;
        return;
    }
    const uint32_t keep = 256 - k;
    if (colour == 0) {
        p = ((((p & 0xff00ff) * keep) >> 8) & 0xff00ff) | ((((p & 0x00ff00) * keep) >> 8) & 0x00ff00);
        return;
    }
    const uint32_t rb = ((p & 0xff00ff) * keep + (colour & 0xff00ff) * k) >> 8;
    const uint32_t g = ((p & 0x00ff00) * keep + (colour & 0x00ff00) * k) >> 8;
    p = (rb & 0xff00ff) | (g & 0x00ff00);
}

// Blends `colour` over the pixel with coverage `a` in [0, 1].
inline void blend(uint32_t& p, uint32_t colour, float a)
{
    blendFixed(p, colour, static_cast<int>(a * 256.0f + 0.5f));
}

// floor() for values already held within the int range, without a library call.
inline int floorInt(double x)
{
    const int i = static_cast<int>(x);
    return i - (x < i);
}

// Holds a device coordinate within reach of the picture, so that it converts
// to int safely.
inline double held(double x)
{
    return !(x >= -1e7) ? -1e7 : x > 1e7 ? 1e7 : x;
}

// The pixels whose centres lie inside or on the triangle, row by row within a
// picture of width x height: calls span(row, first, last) for each row that
// has any. Corners that are not numbers give none.
template <class Span>
void triangleSpans(const double (&x)[3], const double (&y)[3], int width, int height, Span&& span)
{
    auto rowSpan = [&](int row, double x0, double x1) {
        const double lo = std::min(x0, x1), hi = std::max(x0, x1);
        const int first = std::max(0, -floorInt(held(0.5 - lo)));
        const int last = std::min(width - 1, floorInt(held(hi - 0.5)));
        if (first <= last)
            span(row, first, last);
    };
    int i0 = 0, i1 = 1, i2 = 2;
    if (y[i1] < y[i0])
        std::swap(i0, i1);
    if (y[i2] < y[i0])
        std::swap(i0, i2);
    if (y[i2] < y[i1])
        std::swap(i1, i2);
    const double ax = x[i0], ay = y[i0], bx = x[i1], by = y[i1], cx = x[i2], cy = y[i2];
    if (!(ay <= cy))
        return;  // not a number
    const int rowFirst = std::max(0, -floorInt(held(0.5 - ay)));
    const int rowLast = std::min(height - 1, floorInt(held(cy - 0.5)));
    if (rowFirst > rowLast)
        return;
    if (cy == ay) {  // flat: one row at most
        rowSpan(rowFirst, std::min({ax, bx, cx}), std::max({ax, bx, cx}));
        return;
    }
    // The long edge a-c against the short edge a-b above b, b-c below it.
    const double slopeAC = (cx - ax) / (cy - ay);
    const double slopeAB = by > ay ? (bx - ax) / (by - ay) : 0.0;
    const double slopeBC = cy > by ? (cx - bx) / (cy - by) : 0.0;
    const int rowB = std::clamp(-floorInt(held(0.5 - by)), rowFirst, rowLast + 1);  // first row at or below b
    for (int row = rowFirst; row < rowB; ++row) {
        const double py = row + 0.5;
        rowSpan(row, ax + slopeAC * (py - ay), ax + slopeAB * (py - ay));
    }
    for (int row = rowB; row <= rowLast; ++row) {
        const double py = row + 0.5;
        rowSpan(row, ax + slopeAC * (py - ay), cy > by ? bx + slopeBC * (py - by) : bx);
    }
}

// One bit per pixel: the pixels that faces later in the painting order fill.
// A fill replaces a pixel outright, so whatever was painted there before it
// cannot be seen; a face whose every pixel (fill, outline and discs) lies
// under later fills can be left out without changing one pixel.
class CoverMask {
public:
    void reset(int width, int height)
    {
        width_ = width;
        height_ = height;
        words_ = (width + 63) / 64;
        bits_.assign(size_t(words_) * height, 0);
    }

    void addSpan(int row, int first, int last)
    {
        uint64_t* line = &bits_[size_t(row) * words_];
        const int w0 = first >> 6, w1 = last >> 6;
        const uint64_t head = ~0ull << (first & 63), tail = ~0ull >> (63 - (last & 63));
        if (w0 == w1) {
            line[w0] |= head & tail;
            return;
        }
        line[w0] |= head;
        for (int w = w0 + 1; w < w1; ++w)
            line[w] = ~0ull;
        line[w1] |= tail;
    }

    // Whether every pixel of the box [x0, x1] x [y0, y1] that lies in the
    // picture is covered (a box wholly outside the picture is).
    bool covers(int x0, int y0, int x1, int y1) const
    {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, width_ - 1), y1 = std::min(y1, height_ - 1);
        if (x0 > x1 || y0 > y1)
            return true;
        const int w0 = x0 >> 6, w1 = x1 >> 6;
        const uint64_t head = ~0ull << (x0 & 63), tail = ~0ull >> (63 - (x1 & 63));
        for (int row = y0; row <= y1; ++row) {
            const uint64_t* line = &bits_[size_t(row) * words_];
            if (w0 == w1) {
                if ((line[w0] & head & tail) != (head & tail))
                    return false;
                continue;
            }
            if ((line[w0] & head) != head || (line[w1] & tail) != tail)
                return false;
            for (int w = w0 + 1; w < w1; ++w)
                if (line[w] != ~0ull)
                    return false;
        }
        return true;
    }

private:
    int width_ = 0, height_ = 0, words_ = 0;
    std::vector<uint64_t> bits_;
};

class Painter {
public:
    Painter(RasterImage& image, double scale) : img_(image), s_(scale) {}

    void fillRect(int x0, int y0, int x1, int y1, uint32_t colour)
    {
        x0 = std::max(x0, 0), y0 = std::max(y0, 0);
        x1 = std::min(x1, img_.width), y1 = std::min(y1, img_.height);
        if (x0 >= x1)
            return;
        for (int y = y0; y < y1; ++y)
            std::fill(img_.pixels + size_t(y) * img_.stride + x0, img_.pixels + size_t(y) * img_.stride + x1, colour);
    }

    // Fills the pixels whose centres lie inside or on the triangle.
    void fillTriangle(const double (&x)[3], const double (&y)[3], uint32_t colour)
    {
        triangleSpans(x, y, img_.width, img_.height, [&](int row, int first, int last) {
            uint32_t* p = img_.pixels + size_t(row) * img_.stride;
            for (int px = first; px <= last; ++px)
                p[px] = colour;
        });
    }

    // A line of width `s_` from a to b, each end carried on by half the width
    // (only the dash pattern moves on for a `hidden` line);
    // with `dash` set, only the dashes of the pattern that starts `*dash`
    // pixels before a, which moves on by the line's length. Each column (or row,
    // for a steep line) covers the pixels under the line's cross-section with
    // their share of it, an area coverage that keeps the line smooth.
    void stroke(double ax, double ay, double bx, double by, uint32_t colour, double* dash, bool hidden)
    {
        double dx = bx - ax, dy = by - ay;
        const double len = std::sqrt(dx * dx + dy * dy);
        if (!(len > 1e-9) || !std::isfinite(len))
            return;
        const double phase = dash ? *dash : 0.0;
        if (dash)
            *dash = std::fmod(phase + len, DASH_PERIOD * s_);
        if (hidden)
            return;
        const bool steep = std::fabs(dy) > std::fabs(dx);
        // Walk along the major axis u; the line's position across it is w.
        double au = ax, aw = ay, bu = bx, bw = by;
        if (steep) {
            std::swap(au, aw);
            std::swap(bu, bw);
            std::swap(dx, dy);
        }
        const double along = std::fabs(dx) / len;   // cosine between line and axis
        const double slope = dy / dx;
        const double thick = s_ / along;            // the line's extent across, per column
        const double half = s_ * 0.5;
        const int limitU = steep ? img_.height : img_.width;
        const int limitW = steep ? img_.width : img_.height;
        const double lo = std::min(au, bu) - half, hi = std::max(au, bu) + half;
        const int first = std::max(0, -floorInt(held(0.5 - lo)));
        const int last = std::min(limitU - 1, floorInt(held(hi - 0.5)));
        const double period = DASH_PERIOD * s_, on = DASH_ON * s_;
        const double sign = bu >= au ? 1.0 : -1.0;
        const double uMin = std::min(au, bu), uMax = std::max(au, bu);
        const ptrdiff_t stepU = steep ? img_.stride : 1, stepW = steep ? 1 : img_.stride;
        // The top of the line's cross-section in 48.16 fixed point, held within
        // a margin of the picture: whole rows and 8 bits of coverage.
        const int64_t thickFixed = std::llround(thick * 65536.0);
        const int64_t lowest = -(int64_t(64) << 16), highest = int64_t(limitW + 64) << 16;
        auto topAt = [&](double cu) {
            return std::llround((aw + (std::clamp(cu, uMin, uMax) - au) * slope - thick * 0.5) * 65536.0);
        };
        auto paintColumn = [&](int u, int64_t rawTop) {
            const int64_t top = std::clamp(rawTop, lowest, highest), bottom = top + thickFixed;
            const int r0 = static_cast<int>(top >> 16), r1 = static_cast<int>(bottom >> 16);
            uint32_t* column = img_.pixels + ptrdiff_t(u) * stepU;
            if (r0 == r1) {
                if (r0 >= 0 && r0 < limitW)
                    blendFixed(column[ptrdiff_t(r0) * stepW], colour, static_cast<int>(thickFixed >> 8));
                return;
            }
            if (r0 >= 0 && r0 < limitW)
                blendFixed(column[ptrdiff_t(r0) * stepW], colour, 256 - static_cast<int>((top >> 8) & 255));
            for (int r = std::max(r0 + 1, 0); r < std::min(r1, limitW); ++r)
                column[ptrdiff_t(r) * stepW] = colour;
            if (r1 >= 0 && r1 < limitW)
                blendFixed(column[ptrdiff_t(r1) * stepW], colour, static_cast<int>((bottom >> 8) & 255));
        };
        if (dash) {
            for (int u = first; u <= last; ++u) {
                const double cu = u + 0.5;
                const double t = std::clamp((cu - au) * sign / along, 0.0, len);
                if (std::fmod(phase + t, period) < on)
                    paintColumn(u, topAt(cu));
            }
            return;
        }
        // Columns between the ends step along the line; the ends' extensions
        // keep the height of their end.
        const int inFirst = std::max(first, -floorInt(held(0.5 - uMin)));
        const int inLast = std::min(last, floorInt(held(uMax - 0.5)));
        for (int u = first; u <= last && u < inFirst; ++u)
            paintColumn(u, topAt(u + 0.5));
        if (inFirst <= inLast) {
            const int64_t step = std::llround(slope * 65536.0);
            int64_t top = topAt(inFirst + 0.5);
            for (int u = inFirst; u <= inLast; ++u, top += step)
                paintColumn(u, top);
        }
        for (int u = std::max(first, inLast + 1); u <= last; ++u)
            paintColumn(u, topAt(u + 0.5));
    }

    // How far past its corners (in whole pixels, either way) a face's outline
    // may paint, and how far from its centre a disc may.
    int outlineReach() const { return static_cast<int>(std::ceil(s_)) + 2; }
    int discReach() const { return static_cast<int>(std::ceil(DISC_RADIUS * s_ + s_ * 0.5 + 0.5)); }

    // A disc of diameter 10 logical pixels filled with `fill`, outlined by a
    // line of the outline colour (dashed for a dashed outline).
    void disc(double cx, double cy, uint32_t fill, uint32_t line, bool dashed)
    {
        const double r = DISC_RADIUS * s_, half = s_ * 0.5;
        const int reach = static_cast<int>(std::ceil(r + half + 0.5));
        const int ix = floorInt(held(cx)), iy = floorInt(held(cy));
        // Centres on pixel centres (every disc at scale 1) share one coverage table.
        if (cx == ix + 0.5 && cy == iy + 0.5) {
            if (tableReach_ != reach || tableDashed_ != dashed)
                makeDiscTable(reach, dashed);
            const int side = 2 * reach + 1;
            for (int py = std::max(0, iy - reach); py <= std::min(img_.height - 1, iy + reach); ++py) {
                const int row = py - iy + reach;
                const int x0 = std::max(0, ix - reach + rowFirst_[row]);
                const int x1 = std::min(img_.width - 1, ix - reach + rowLast_[row]);
                uint32_t* p = img_.pixels + size_t(py) * img_.stride;
                const short* inside = &insideTable_[size_t(row) * side] - (ix - reach);
                const short* ring = &ringTable_[size_t(row) * side] - (ix - reach);
                for (int px = x0; px <= x1; ++px) {
                    if (inside[px] == 256 && ring[px] == 0) {
                        p[px] = fill;
                        continue;
                    }
                    blendFixed(p[px], fill, inside[px]);
                    blendFixed(p[px], line, ring[px]);
                }
            }
            return;
        }
        for (int py = std::max(0, iy - reach); py <= std::min(img_.height - 1, iy + reach); ++py)
            for (int px = std::max(0, ix - reach); px <= std::min(img_.width - 1, ix + reach); ++px) {
                uint32_t& p = img_.pixels[size_t(py) * img_.stride + px];
                float inside, ring;
                discCoverage(px + 0.5 - cx, py + 0.5 - cy, dashed, &inside, &ring);
                blend(p, fill, inside);
                blend(p, line, ring);
            }
    }

private:
    // The fill and outline coverage of the pixel whose centre is (qx, qy) from
    // the disc's centre.
    void discCoverage(double qx, double qy, bool dashed, float* inside, float* ring) const
    {
        const double r = DISC_RADIUS * s_, half = s_ * 0.5;
        const double d = std::sqrt(qx * qx + qy * qy);
        *inside = static_cast<float>(std::clamp(r + 0.5 - d, 0.0, 1.0));
        *ring = static_cast<float>(std::clamp(half + 0.5 - std::fabs(d - r), 0.0, 1.0));
        if (dashed && *ring > 0) {
            // The outline starts at the right-hand point and runs clockwise on screen.
            double angle = std::atan2(qy, qx);
            if (angle < 0)
                angle += 2 * M_PI;
            if (std::fmod(angle * r, DASH_PERIOD * s_) >= DASH_ON * s_)
                *ring = 0;
        }
    }

    void makeDiscTable(int reach, bool dashed)
    {
        const int side = 2 * reach + 1;
        insideTable_.resize(size_t(side) * side);
        ringTable_.resize(size_t(side) * side);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                float inside, ring;
                discCoverage(x - reach, y - reach, dashed, &inside, &ring);
                insideTable_[size_t(y) * side + x] = static_cast<short>(inside * 256.0f + 0.5f);
                ringTable_[size_t(y) * side + x] = static_cast<short>(ring * 256.0f + 0.5f);
            }
        // Each row's first and last pixel that the disc touches.
        rowFirst_.assign(side, side);
        rowLast_.assign(side, -1);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (insideTable_[size_t(y) * side + x] > 0 || ringTable_[size_t(y) * side + x] > 0) {
                    rowFirst_[y] = std::min(rowFirst_[y], x);
                    rowLast_[y] = std::max(rowLast_[y], x);
                }
        tableReach_ = reach;
        tableDashed_ = dashed;
    }

    RasterImage& img_;
    double s_;
    std::vector<short> insideTable_, ringTable_;  // coverage x 256
    std::vector<int> rowFirst_, rowLast_;
    int tableReach_ = -1;
    bool tableDashed_ = false;
};
// For each side of each face, the one other face that shares it, so that a side
// two faces share is outlined once, by the later of the two: the earlier
// outline would lie under the later one. Rebuilt only when the faces change.
class SideTable {
public:
    void update(const Scene& scene)
    {
        uint64_t key = scene.faces.size();
        int highest = -1;
        for (const SceneFace& f : scene.faces) {
            uint64_t h = uint64_t(f.index) * 0x9E3779B97F4A7C15ull;
            for (int c : f.corner)
                h = (h ^ uint64_t(uint32_t(c))) * 0xff51afd7ed558ccdull;
            key += h ^ (h >> 29);
            highest = std::max(highest, f.index);
        }
        if (key == key_ && size_t(highest + 1) * 3 == across_.size())
            return;
        key_ = key;
        across_.assign(size_t(highest + 1) * 3, SEVERAL);
        struct Side {
            int lo, hi, face, k;
        };
        std::vector<Side> sides;
        sides.reserve(scene.faces.size() * 3);
        for (const SceneFace& f : scene.faces)
            for (int k = 0; k < 3; ++k) {
                const int a = f.corner[k], b = f.corner[(k + 1) % 3];
                sides.push_back(Side{std::min(a, b), std::max(a, b), f.index, k});
            }
        std::sort(sides.begin(), sides.end(),
                  [](const Side& x, const Side& y) { return x.lo < y.lo || (x.lo == y.lo && x.hi < y.hi); });
        for (size_t i = 0; i < sides.size();) {
            size_t j = i + 1;
            while (j < sides.size() && sides[j].lo == sides[i].lo && sides[j].hi == sides[i].hi)
                ++j;
            if (j - i == 2 && sides[i].face != sides[i + 1].face) {
                across_[size_t(sides[i].face) * 3 + sides[i].k] = sides[i + 1].face;
                across_[size_t(sides[i + 1].face) * 3 + sides[i + 1].k] = sides[i].face;
            }
            i = j;
        }
    }

    // The face across side k of face `index`, or a negative number when no
    // single other face shares the side.
    int across(int index, int k) const { return across_[size_t(index) * 3 + k]; }

private:
    static constexpr int SEVERAL = -1;
    uint64_t key_ = ~0ull;
    std::vector<int> across_;
};
}  // namespace

int rasterScene(const Scene& scene, RasterImage& image, double scale, bool cullHidden)
{
    Painter paint(image, scale);
    const uint32_t white = 0xffffff, black = 0;
    paint.fillRect(0, 0, image.width, image.height, pack(scene.background));
    // The background rectangle's white border, one logical pixel wide.
    const int line = std::max(1, static_cast<int>(std::lround(scale)));
    const int right = static_cast<int>(std::lround((scene.width - 1) * scale));
    const int bottom = static_cast<int>(std::lround((scene.height - 1) * scale));
    paint.fillRect(0, 0, right + line, line, white);
    paint.fillRect(0, bottom, right + line, bottom + line, white);
    paint.fillRect(0, 0, line, bottom + line, white);
    paint.fillRect(right, 0, right + line, bottom + line, white);

    // Device positions of the vertices: pixel centres of the whole-pixel
    // positions at scale 1, the exact positions otherwise.
    const size_t n = scene.points.size();
    static thread_local std::vector<double> px, py;
    px.resize(n);
    py.resize(n);
    const bool exact = scale != 1.0;
    for (size_t i = 0; i < n; ++i) {
        px[i] = held(exact ? (scene.exactX[i] + 0.5) * scale : scene.points[i].x + 0.5);
        py[i] = held(exact ? (scene.exactY[i] + 0.5) * scale : scene.points[i].y + 0.5);
    }

    // A disc is hidden under the next disc on its vertex: paint only the last.
    static thread_local std::vector<int> lastDisc;
    lastDisc.assign(n, -1);
    for (size_t d = 0; d < scene.discs.size(); ++d)
        lastDisc[scene.discs[d].vertex] = static_cast<int>(d);

    static thread_local SideTable sides;
    static thread_local std::vector<int> position;
    sides.update(scene);
    int highest = -1;
    for (const SceneFace& sf : scene.faces)
        highest = std::max(highest, sf.index);
    position.assign(size_t(highest + 1), -1);
    for (size_t f = 0; f < scene.faces.size(); ++f)
        position[scene.faces[f].index] = static_cast<int>(f);

    // Front to back, which faces lie wholly under the fills of later ones.
    static thread_local std::vector<char> hidden;
    static thread_local CoverMask cover;
    hidden.assign(scene.faces.size(), 0);
    if (cullHidden) {
        cover.reset(image.width, image.height);
        const int outline = paint.outlineReach(), disc = paint.discReach();
        for (size_t f = scene.faces.size(); f-- > 0;) {
            const SceneFace& sf = scene.faces[f];
            const double x[3] = {px[sf.corner[0]], px[sf.corner[1]], px[sf.corner[2]]};
            const double y[3] = {py[sf.corner[0]], py[sf.corner[1]], py[sf.corner[2]]};
            bool under = cover.covers(floorInt(std::min({x[0], x[1], x[2]})) - outline,
                                      floorInt(std::min({y[0], y[1], y[2]})) - outline,
                                      floorInt(std::max({x[0], x[1], x[2]})) + outline,
                                      floorInt(std::max({y[0], y[1], y[2]})) + outline);
            for (int d = scene.discBegin(f); under && d < sf.discEnd; ++d) {
                const int at = scene.discs[d].vertex;
                if (lastDisc[at] == d)
                    under = cover.covers(floorInt(px[at]) - disc, floorInt(py[at]) - disc,
                                         floorInt(px[at]) + disc, floorInt(py[at]) + disc);
            }
            hidden[f] = under;
            triangleSpans(x, y, image.width, image.height,
                          [&](int row, int first, int last) { cover.addSpan(row, first, last); });
        }
    }

    int painted = 0;
    for (size_t f = 0; f < scene.faces.size(); ++f) {
        if (hidden[f])
            continue;
        ++painted;
        const SceneFace& sf = scene.faces[f];
        const double x[3] = {px[sf.corner[0]], px[sf.corner[1]], px[sf.corner[2]]};
        const double y[3] = {py[sf.corner[0]], py[sf.corner[1]], py[sf.corner[2]]};
        paint.fillTriangle(x, y, pack(sf.fill));
        const uint32_t lineColour = sf.outline == Outline::White ? white : black;
        const bool dashed = sf.outline == Outline::Dashed;
        double phase = 0;
        for (int k = 0; k < 3; ++k) {
            const int other = sides.across(sf.index, k);
            const bool later = other < 0 || position[other] < static_cast<int>(f);
            paint.stroke(x[k], y[k], x[(k + 1) % 3], y[(k + 1) % 3], lineColour, dashed ? &phase : nullptr, !later);
        }
        for (int d = scene.discBegin(f); d < sf.discEnd; ++d) {
            const SceneDisc& disc = scene.discs[d];
            if (lastDisc[disc.vertex] != d)
                continue;
            paint.disc(px[disc.vertex], py[disc.vertex], pack(disc.fill), lineColour, dashed);
        }
    }
    for (const SceneMark& m : scene.marks) {
        if (m.a < 0 || size_t(m.a) >= n || m.b < 0 || size_t(m.b) >= n)
            continue;
        if (m.kind == SceneMark::Kind::Line) {
            paint.stroke(px[m.a], py[m.a], px[m.b], py[m.b], pack(m.colour), nullptr, false);
            continue;
        }
        constexpr int SIDES = 24;
        const double r = m.radius * scale;
        for (int k = 0; k < SIDES; ++k) {
            const double t0 = 2 * M_PI * k / SIDES, t1 = 2 * M_PI * (k + 1) / SIDES;
            paint.stroke(px[m.a] + r * std::cos(t0), py[m.a] + r * std::sin(t0), px[m.a] + r * std::cos(t1),
                         py[m.a] + r * std::sin(t1), pack(m.colour), nullptr, false);
        }
    }
    // The overlay (the strain key): each logical pixel a block of whole device pixels.
    auto device = [&](int logical) { return static_cast<int>(std::lround(logical * scale)); };
    for (const SceneRect& r : scene.overlay)
        paint.fillRect(device(r.x), device(r.y), device(r.x + r.width), device(r.y + r.height), pack(r.colour));
    return painted;
}
