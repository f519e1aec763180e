#include "tests/fixture.h"

#include "view/face_colour.h"

namespace {
// Face 0 with the given corner positions.
void triangle(Point3 a, Point3 b, Point3 c)
{
    NOV = 3;
    NOS = 1;
    v[0] = a;
    v[1] = b;
    v[2] = c;
    face[0][0] = 0;
    face[0][1] = 1;
    face[0][2] = 2;
}
}  // namespace

TEST_F(StoreTest, FaceColourBySideAndShading)
{
    triangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    EXPECT_EQ(getcolor(0), (RGBColour{229, 224, 188})) << "front, unshaded";
    triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(getcolor(0), (RGBColour{86, 61, 38})) << "back, unshaded";
    triangle({0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5});
    EXPECT_EQ(getcolor(0), (RGBColour{240, 237, 218})) << "front, t = 0.45";
    triangle({0, 0, 0}, {0.5, 0, 0.5}, {0, 0.5, 0.5});
    EXPECT_EQ(getcolor(0), (RGBColour{47, 33, 20})) << "back, t = -0.45";
    triangle({0, 0, 0}, {0, 1, 1}, {1, 0, 1});
    EXPECT_EQ(getcolor(0), (RGBColour{255, 255, 255})) << "t clamped to 1";
    triangle({0, 0, 0}, {1, 0, 1}, {0, 1, 1});
    EXPECT_EQ(getcolor(0), (RGBColour{0, 0, 0})) << "t clamped to -1";
    triangle({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    EXPECT_EQ(getcolor(0), (RGBColour{86, 61, 38})) << "zero area: back colour, unshaded";
    triangle({0, 0, 0}, {std::nan(""), 0, 0}, {1, 0, 0});
    getcolor(0);  // positions that are not numbers give some colour, never undefined behaviour
}

TEST_F(StoreTest, FaceColourTintsFacesOfPickedVertices)
{
    triangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    g_purtj = 2;
    EXPECT_EQ(getcolor(0), (RGBColour{114, 239, 94}));
    g_purtj = 5;
    g_dragpurtj = 0;
    EXPECT_EQ(getcolor(0), (RGBColour{114, 239, 94})) << "the gluing target tints too";
    triangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(getcolor(0), (RGBColour{170, 30, 146}));
    g_dragpurtj = -1;
    EXPECT_EQ(getcolor(0), (RGBColour{86, 61, 38}));
}
