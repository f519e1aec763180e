#include "view/strain_colour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
struct Lab {
    double l, a, b;
};

// sRGB (D65) to CIE L*a*b* and back.
double toLinear(double c)
{
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double fromLinear(double c)
{
    c = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return std::clamp(c * 255.0, 0.0, 255.0);
}

constexpr double WHITE_X = 0.95047, WHITE_Y = 1.0, WHITE_Z = 1.08883;

double labF(double t)
{
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
}

double labFInverse(double f)
{
    return f * f * f > 216.0 / 24389.0 ? f * f * f : (116.0 * f - 16.0) * 27.0 / 24389.0;
}

struct RGB {
    double r, g, b;  // 0 .. 255
};

Lab toLab(const RGB& c)
{
    const double r = toLinear(c.r), g = toLinear(c.g), b = toLinear(c.b);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / WHITE_X;
    const double y = (0.2126 * r + 0.7152 * g + 0.0722 * b) / WHITE_Y;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / WHITE_Z;
    return Lab{116.0 * labF(y) - 16.0, 500.0 * (labF(x) - labF(y)), 200.0 * (labF(y) - labF(z))};
}

// The nearest sRGB colour: each channel held within 0 .. 255.
RGB toRGB(const Lab& c)
{
    const double fy = (c.l + 16.0) / 116.0;
    const double x = WHITE_X * labFInverse(fy + c.a / 500.0);
    const double y = WHITE_Y * labFInverse(fy);
    const double z = WHITE_Z * labFInverse(fy - c.b / 200.0);
    return RGB{fromLinear(3.2406 * x - 1.5372 * y - 0.4986 * z), fromLinear(-0.9689 * x + 1.8758 * y + 0.0415 * z),
               fromLinear(0.0557 * x - 0.2040 * y + 1.0570 * z)};
}

double distance(const Lab& p, const Lab& q)
{
    return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// The waypoints of the scale: cream, yellow, orange, red, deep red.
const RGB WAYPOINTS[] = {{255, 255, 204}, {254, 217, 118}, {253, 141, 60}, {227, 26, 28}, {128, 0, 38}};
constexpr int WAYS = sizeof WAYPOINTS / sizeof WAYPOINTS[0];

// The colours of 1025 evenly spaced positions, made once. The path through
// the waypoints in L*a*b* has its corners rounded (by repeated corner cutting),
// so that short steps along it look as large as they are long; near red it
// passes a little outside what a screen can show, where the colours are held
// within it. So the path is walked in fine steps of the colours actually shown,
// and the table spaces its entries evenly along that.
constexpr int STEPS = 1024;

std::array<RGBColour, STEPS + 1> makeTable()
{
    std::vector<Lab> path;
    for (const RGB& w : WAYPOINTS)
        path.push_back(toLab(w));
    for (int round = 0; round < 5; ++round) {
        std::vector<Lab> cut{path.front()};
        for (size_t k = 0; k + 1 < path.size(); ++k) {
            const Lab &p = path[k], &q = path[k + 1];
            if (k > 0)
                cut.push_back(Lab{0.75 * p.l + 0.25 * q.l, 0.75 * p.a + 0.25 * q.a, 0.75 * p.b + 0.25 * q.b});
            if (k + 2 < path.size())
                cut.push_back(Lab{0.25 * p.l + 0.75 * q.l, 0.25 * p.a + 0.75 * q.a, 0.25 * p.b + 0.75 * q.b});
        }
        cut.push_back(path.back());
        path = std::move(cut);
    }
    constexpr int FINE = 16;  // fine steps per piece of the rounded path
    std::vector<RGB> shown;
    std::vector<double> along;  // distance walked in L*a*b* to each fine step
    for (size_t k = 0; k + 1 < path.size(); ++k) {
        const Lab &p = path[k], &q = path[k + 1];
        for (int i = k == 0 ? 0 : 1; i <= FINE; ++i) {
            const double t = double(i) / FINE;
            const RGB c = toRGB(Lab{p.l + t * (q.l - p.l), p.a + t * (q.a - p.a), p.b + t * (q.b - p.b)});
            along.push_back(shown.empty() ? 0.0 : along.back() + distance(toLab(shown.back()), toLab(c)));
            shown.push_back(c);
        }
    }
    std::array<RGBColour, STEPS + 1> table;
    auto channel = [](double c) { return static_cast<unsigned char>(std::lround(std::clamp(c, 0.0, 255.0))); };
    size_t j = 0;
    for (int i = 0; i <= STEPS; ++i) {
        const double d = along.back() * i / STEPS;
        while (j + 2 < along.size() && along[j + 1] < d)
            ++j;
        const double span = along[j + 1] - along[j];
        const double t = span > 0 ? std::clamp((d - along[j]) / span, 0.0, 1.0) : 0.0;
        const RGB &a = shown[j], &b = shown[j + 1];
        table[i] = RGBColour{channel(a.r + t * (b.r - a.r)), channel(a.g + t * (b.g - a.g)), channel(a.b + t * (b.b - a.b))};
    }
    return table;
}
}  // namespace

double strainPosition(double error)
{
    if (!(error > STRAIN_LOW))
        return std::isnan(error) ? 1.0 : 0.0;
    if (!(error < STRAIN_HIGH))
        return 1.0;
    return std::log10(error / STRAIN_LOW) / std::log10(STRAIN_HIGH / STRAIN_LOW);
}

RGBColour strainScaleColour(double position)
{
    static const std::array<RGBColour, STEPS + 1> table = makeTable();
    if (!(position > 0))
        return table[0];
    if (!(position < 1))
        return table[STEPS];
    return table[static_cast<size_t>(std::lround(position * STEPS))];
}

RGBColour strainColour(double error)
{
    return strainScaleColour(strainPosition(error));
}
