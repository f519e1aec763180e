// The window's renderer: pixels of hand-made scenes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "view/raster.h"

namespace {
struct Picture {
    std::vector<uint32_t> pixels;
    RasterImage image;
    Picture(int w, int h) : pixels(size_t(w) * h)
    {
        image.pixels = pixels.data();
        image.width = w;
        image.height = h;
        image.stride = w;
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * image.width + x]; }
};

uint32_t rgb(const RGBColour& c)
{
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}

int brightness(uint32_t p)
{
    return ((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255);
}

// A scene of the given vertices (whole and exact positions alike) on a grey
// background, 200 x 150 logical pixels.
Scene sceneOf(const std::vector<wxPoint>& points)
{
    Scene s;
    s.width = 201;
    s.height = 151;
    s.background = RGBColour{128, 128, 128};
    s.points = points;
    for (const wxPoint& p : points) {
        s.exactX.push_back(p.x);
        s.exactY.push_back(p.y);
    }
    return s;
}

void addFace(Scene& s, int index, int a, int b, int c, RGBColour fill, Outline outline = Outline::Solid)
{
    s.faces.push_back(SceneFace{index, {a, b, c}, fill, outline, static_cast<int>(s.discs.size())});
}

const RGBColour CREAM{229, 224, 188}, BROWN{86, 61, 38};
}  // namespace

TEST(Raster, FacesAreFilledOutlinedAndPaintedBackToFront)
{
    Scene s = sceneOf({{20, 20}, {120, 20}, {20, 120}, {120, 120}});
    addFace(s, 0, 0, 1, 2, CREAM);
    addFace(s, 1, 1, 3, 2, BROWN);
    Picture pic(201, 151);
    rasterScene(s, pic.image, 1.0);
    EXPECT_EQ(pic.at(40, 40), rgb(CREAM));
    EXPECT_EQ(pic.at(100, 100), rgb(BROWN));
    EXPECT_EQ(pic.at(180, 140), rgb(s.background)) << "outside every face";
    EXPECT_EQ(pic.at(0, 70), 0xffffffu) << "the background's white border";
    EXPECT_EQ(pic.at(200, 70), 0xffffffu);
    EXPECT_EQ(pic.at(70, 150), 0xffffffu);
    // Straight outlines lie on whole pixels, one pixel wide.
    EXPECT_EQ(pic.at(70, 20), 0u);
    EXPECT_EQ(pic.at(70, 21), rgb(CREAM));
    EXPECT_EQ(pic.at(70, 19), rgb(s.background));
    EXPECT_EQ(pic.at(20, 70), 0u);
    // The diagonal both faces share is dark, and antialiased: partly dark pixels beside it.
    int dark = 0, partly = 0;
    for (int x = 30; x < 110; ++x)
        for (int y = 135 - x; y <= 145 - x; ++y) {
            const int b = brightness(pic.at(x, y));
            dark += b < 150;
            partly += b >= 150 && b < 3 * 170 && pic.at(x, y) != rgb(BROWN) && pic.at(x, y) != rgb(CREAM);
        }
    EXPECT_GT(dark, 60);
    EXPECT_GT(partly, 20);
}

TEST(Raster, LaterFaceCoversTheEarlierOneWhereTheyOverlap)
{
    Scene s = sceneOf({{20, 20}, {150, 20}, {20, 130}, {60, 40}, {180, 60}, {60, 140}});
    addFace(s, 0, 0, 1, 2, CREAM);
    addFace(s, 1, 3, 4, 5, BROWN);
    Picture pic(201, 151);
    rasterScene(s, pic.image, 1.0);
    EXPECT_EQ(pic.at(70, 60), rgb(BROWN));
    std::swap(s.faces[0], s.faces[1]);
    rasterScene(s, pic.image, 1.0);
    EXPECT_EQ(pic.at(70, 60), rgb(CREAM));
}

TEST(Raster, DashedOutlinesHaveGapsAndDiscsSitOnTheirVertices)
{
    Scene s = sceneOf({{20, 30}, {180, 30}, {100, 140}});
    addFace(s, 0, 0, 1, 2, CREAM, Outline::Dashed);
    s.discs.push_back(SceneDisc{2, RGBColour{255, 0, 0}});
    s.faces.back().discEnd = 1;
    Picture pic(201, 151);
    rasterScene(s, pic.image, 1.0);
    int black = 0, gaps = 0;
    for (int x = 25; x < 175; ++x)
        (pic.at(x, 30) == 0 ? black : gaps) += 1;
    EXPECT_GT(black, 60);
    EXPECT_GT(gaps, 40) << "short dashes, 9 on and 6 off";
    EXPECT_EQ(pic.at(100, 140), 0xff0000u) << "the disc's middle";
    EXPECT_EQ(pic.at(103, 140), 0xff0000u);
    EXPECT_EQ(pic.at(100, 147), rgb(s.background)) << "beyond the disc's diameter of 10";
}

TEST(Raster, HighDensityPicturesUseTheExactPositionsAtTwiceThePixels)
{
    Scene s = sceneOf({{20, 20}, {120, 20}, {20, 120}});
    s.exactX = {20.25, 120.25, 20.25};
    s.exactY = {20.0, 20.0, 120.0};
    addFace(s, 0, 0, 1, 2, CREAM);
    Picture pic(402, 302);
    rasterScene(s, pic.image, 2.0);
    EXPECT_EQ(pic.at(80, 80), rgb(CREAM));
    // The top outline is two device pixels wide, centred on device row 41.
    EXPECT_EQ(pic.at(120, 40), 0u);
    EXPECT_EQ(pic.at(120, 41), 0u);
    EXPECT_EQ(pic.at(120, 42), rgb(CREAM));
    EXPECT_EQ(pic.at(120, 39), rgb(s.background));
    EXPECT_EQ(pic.at(399, 100), rgb(s.background));
    EXPECT_EQ(pic.at(400, 100), 0xffffffu) << "the border, two device pixels wide";
    EXPECT_EQ(pic.at(401, 100), 0xffffffu);
}

TEST(Raster, PositionsFarOffThePictureOrNotNumbersPaintNothingAndDoNotCrash)
{
    Scene s = sceneOf({{-1000000, 5}, {1000000, 5}, {50, 1000000}, {-1000000, -1000000}});
    s.exactX = {std::nan(""), INFINITY, 50.0, -INFINITY};
    addFace(s, 0, 0, 1, 2, CREAM);
    addFace(s, 1, 3, 3, 3, BROWN);
    s.discs.push_back(SceneDisc{3, RGBColour{0, 255, 0}});
    s.faces.back().discEnd = 1;
    Picture pic(201, 151);
    rasterScene(s, pic.image, 1.0);
    EXPECT_EQ(pic.at(50, 100), rgb(CREAM)) << "a huge triangle still covers the picture";
    rasterScene(s, pic.image, 2.0);  // exact positions that are not numbers
    rasterScene(s, pic.image, 1.5);
}
