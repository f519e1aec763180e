// Strain colours: the scale from relative edge error to colour, each face's
// largest error, the faces and the key of the scene, and the key's pixels as
// the window's renderer paints them.
#include "tests/fixture.h"

#include <cmath>
#include <string>

#include "geometry/face_strain.h"
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "view/face_colour.h"
#include "view/pixel_font.h"
#include "view/raster.h"
#include "view/scene.h"
#include "view/strain_colour.h"
#include "view/strain_key.h"

namespace {
// CIE L*a*b* of an sRGB colour (D65), written out here on its own terms, to
// judge how even the scale looks.
struct Lab {
    double l, a, b;
};

Lab lab(RGBColour c)
{
    auto lin = [](unsigned char v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const double r = lin(c.r), g = lin(c.g), b = lin(c.b);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return Lab{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double deltaE(RGBColour p, RGBColour q)
{
    const Lab a = lab(p), b = lab(q);
    return std::sqrt((a.l - b.l) * (a.l - b.l) + (a.a - b.a) * (a.a - b.a) + (a.b - b.b) * (a.b - b.b));
}

const RGBColour CREAM{255, 255, 204}, DEEP_RED{128, 0, 38};
}  // namespace

TEST(StrainScale, MapsKnownErrorsToTheirColours)
{
    // Cream up to the low end, deep red from the high end on; a broken edge is deep red.
    for (double e : {0.0, 1e-9, 5e-7, 1e-6})
        EXPECT_EQ(strainColour(e), CREAM) << e;
    for (double e : {1e-2, 0.011, 0.5, 1e9, double(INFINITY), double(NAN)})
        EXPECT_EQ(strainColour(e), DEEP_RED) << e;
    EXPECT_EQ(strainColour(-1.0), CREAM) << "no error is below zero; taken for none";

    // Logarithmic: each factor of ten a quarter of the way; 1e-4 is the middle.
    EXPECT_NEAR(strainPosition(1e-5), 0.25, 1e-12);
    EXPECT_NEAR(strainPosition(1e-4), 0.5, 1e-12);
    EXPECT_NEAR(strainPosition(1e-3), 0.75, 1e-12);
    EXPECT_NEAR(strainPosition(std::sqrt(1e-4 * 1e-3)), 0.625, 1e-12);
    EXPECT_EQ(strainColour(1e-4), strainScaleColour(0.5));
    // The middle is an orange, halfway in lightness between cream and deep red
    // give or take the bend of the path.
    const RGBColour middle = strainColour(1e-4);
    EXPECT_EQ(middle, (RGBColour{249, 130, 57}));
    EXPECT_GT(middle.r, middle.g);
    EXPECT_GT(middle.g, middle.b);
    EXPECT_NEAR(lab(middle).l, (lab(CREAM).l + lab(DEEP_RED).l) / 2, 8);

    // Monotone: darker with every larger error, never lighter.
    double last = 101;
    for (double e = 1e-7; e < 0.1; e *= 1.05) {
        const double l = lab(strainColour(e)).l;
        EXPECT_LE(l, last + 1e-9) << e;
        last = l;
    }
}

TEST(StrainScale, EqualStepsOfTheScaleLookEqual)
{
    // Sixteen equal steps along the scale: each as far from the last to the eye
    // (CIE76 colour difference) as every other, within the 8-bit rounding.
    double least = 1e9, most = 0, total = 0;
    for (int k = 0; k < 16; ++k) {
        const double d = deltaE(strainScaleColour(k / 16.0), strainScaleColour((k + 1) / 16.0));
        least = std::min(least, d);
        most = std::max(most, d);
        total += d;
    }
    EXPECT_GT(total, 90) << "the scale spans a wide range of colour";
    EXPECT_LT(most / least, 1.15) << least << " .. " << most;
}

TEST_F(StoreTest, FaceStrainIsTheLargestErrorOfItsSides)
{
    // A unit square in two faces, each edge with a target length that puts its
    // error where wanted: L / phi - 1.
    NOV = 5;
    v[0] = {0, 0, 0}, v[1] = {1, 0, 0}, v[2] = {1, 1, 0}, v[3] = {0, 1, 0}, v[4] = {2, 0, 0};
    const int edges[][2] = {{0, 1}, {1, 2}, {2, 0}, {2, 3}, {3, 0}, {2, 0}};
    const double errors[] = {1e-3, 0, 1e-5, 1e-4, 0, 2e-5};
    NOE = 6;
    for (int e = 0; e < NOE; ++e) {
        edge[e][0] = edges[e][0], edge[e][1] = edges[e][1];
        const Point3 &a = v[edges[e][0]], &b = v[edges[e][1]];
        phi[e] = std::hypot(a.x - b.x, a.y - b.y) / (1 + errors[e]);
    }
    NOS = 3;
    const int faces[][3] = {{0, 1, 2}, {0, 2, 3}, {1, 4, 2}};
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            face[f][k] = faces[f][k];
    std::vector<double> strain;
    faceStrain(strain);
    ASSERT_EQ(strain.size(), 3u);
    EXPECT_NEAR(strain[0], 1e-3, 1e-12);
    EXPECT_NEAR(strain[1], 1e-4, 1e-12) << "the larger of the two edges 0-2 counts: 2e-5; 2-3 is larger still";
    EXPECT_NEAR(strain[2], 0, 1e-15) << "sides 1-4 and 4-2 have no edge; 2-1 has none off";

    // Edge 2-3 at its length: face 1's largest is the doubled edge 0-2.
    phi[3] = 1;
    faceStrain(strain);
    EXPECT_NEAR(strain[1], 2e-5, 1e-12);

    // A degenerate edge (no length, no target) makes its faces' strain not a number.
    v[3] = v[2];
    phi[3] = 0;
    faceStrain(strain);
    EXPECT_TRUE(std::isnan(strain[1]));
    EXPECT_FALSE(std::isnan(strain[0]));
    EXPECT_EQ(strainColour(strain[1]), DEEP_RED);
}

TEST_F(StoreTest, StrainColoursTheSceneAndPutsTheKeyInTheCorner)
{
    ReadSampleData(FIRST_SAMPLE);
    refreshDerivedData();
    g_centerx = 320, g_centery = 220, g_rate = 100;
    Scene plain, strained;
    buildScene(plain, SceneUse::Picture);
    EXPECT_FALSE(plain.strainKey);
    EXPECT_TRUE(plain.overlay.empty()) << "off by default: the usual colours, no key";
    for (const SceneFace& sf : plain.faces)
        EXPECT_EQ(sf.fill, getcolor(sf.index));

    g_show_strain = true;
    g_purtj = 3;  // a picked vertex tints its faces as usual
    for (SceneUse use : {SceneUse::Window, SceneUse::Print, SceneUse::Picture}) {
        buildScene(strained, use);
        std::vector<double> strain;
        faceStrain(strain);
        ASSERT_TRUE(strained.strainKey);
        for (const SceneFace& sf : strained.faces) {
            const RGBColour base = strainColour(strain[sf.index]);
            EXPECT_EQ(sf.fill, faceColourFrom(sf.index, base, base)) << "face " << sf.index;
        }
        // The key's white panel lies in the bottom-right corner, inside the picture.
        ASSERT_FALSE(strained.overlay.empty());
        const SceneRect& panel = strained.overlay.front();
        EXPECT_EQ(panel.colour, (RGBColour{255, 255, 255}));
        EXPECT_EQ(panel.x + panel.width, strained.width - STRAIN_KEY_MARGIN);
        EXPECT_EQ(panel.y + panel.height, strained.height - STRAIN_KEY_MARGIN);
        for (const SceneRect& r : strained.overlay) {
            EXPECT_GE(r.x, panel.x);
            EXPECT_GE(r.y, panel.y);
            EXPECT_LE(r.x + r.width, panel.x + panel.width);
            EXPECT_LE(r.y + r.height, panel.y + panel.height);
        }
    }
    // The faces' strain colours differ from the usual ones (the cell is not at its targets).
    EXPECT_NE(strained.faces[0].fill, plain.faces[0].fill);

    // A thickened solid shows its usual colours.
    g_solid = true;
    buildScene(strained, SceneUse::Picture);
    EXPECT_FALSE(strained.strainKey);
    EXPECT_TRUE(strained.overlay.empty());
}

TEST_F(StoreTest, TheKeyIsPaintedWithItsScaleTicksAndLabels)
{
    // Every letter the key uses is in the font (a missing one would be blank).
    for (char c : std::string("edge error 1e-6 1e-5 1e-4 1e-3 1e-2"))
        EXPECT_TRUE(c == ' ' || letterRows(c) != nullptr) << c;
    EXPECT_EQ(pixelTextWidth("1e-6"), 23);

    Scene scene;
    scene.width = 400, scene.height = 300;
    scene.strainKey = true;
    int left = 0, top = 0;
    placeStrainKey(scene, 400, 300, &left, &top);
    EXPECT_EQ(left, 400 - 8 - STRAIN_KEY_WIDTH);
    EXPECT_EQ(top, 300 - 8 - STRAIN_KEY_HEIGHT);

    for (double scale : {1.0, 2.0}) {
        const int w = static_cast<int>(400 * scale), h = static_cast<int>(300 * scale);
        std::vector<uint32_t> pixels(size_t(w) * h);
        RasterImage image{pixels.data(), w, h, w};
        rasterScene(scene, image, scale);
        auto at = [&](int x, int y) {  // the logical pixel's top-left device pixel
            const uint32_t p = pixels[size_t(y * scale) * w + size_t(x * scale)];
            return RGBColour{static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                             static_cast<unsigned char>(p)};
        };
        const RGBColour black{0, 0, 0}, white{255, 255, 255};
        EXPECT_EQ(at(left, top), black) << "the panel's outline";
        EXPECT_EQ(at(left + 2, top + 2), white);
        const int barLeft = left + STRAIN_BAR_X, barTop = top + STRAIN_BAR_Y;
        // Each column of the bar shows its place on the scale, the ends the scale's ends.
        for (int c = 0; c < STRAIN_BAR_WIDTH; ++c)
            ASSERT_EQ(at(barLeft + c, barTop + 4), strainScaleColour(c / double(STRAIN_BAR_WIDTH - 1))) << c;
        EXPECT_EQ(at(barLeft, barTop + 4), CREAM);
        EXPECT_EQ(at(barLeft + STRAIN_BAR_WIDTH - 1, barTop + 4), DEEP_RED);
        EXPECT_EQ(at(barLeft + 80, barTop + 4), strainColour(1e-4)) << "the middle tick's error";
        // Ticks under the factors of ten, and black letters below them.
        for (int k = 0; k <= 4; ++k)
            EXPECT_EQ(at(barLeft + 40 * k, barTop + STRAIN_BAR_HEIGHT + 2), black) << k;
        EXPECT_EQ(at(barLeft + 20, barTop + STRAIN_BAR_HEIGHT + 2), white) << "no tick between";
        int ink = 0;
        for (int y = barTop + STRAIN_BAR_HEIGHT + 6; y < barTop + STRAIN_BAR_HEIGHT + 13; ++y)
            for (int x = barLeft - 12; x < barLeft + 12; ++x)
                ink += at(x, y) == black;
        EXPECT_GT(ink, 20) << "the label 1e-6";
    }
}
