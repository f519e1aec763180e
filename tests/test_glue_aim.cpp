// Aiming a glue: which vertices the picked one may be glued to, which one a
// release glues to, and the marks the scene paints over the faces for them.
#include "tests/fixture.h"

#include <algorithm>
#include <vector>

#include "construct/add_cell.h"
#include "construct/glue.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "view/glue_aim.h"
#include "view/raster.h"
#include "view/scene.h"

namespace {
class GlueAimTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        g_purtj = 0;
        addnewpolygon();  // a second cell held at vertex 0: vertices 8 .. 14
        g_purtj = -1;
        for (int i = 0; i < NOV; ++i)
            gv[i] = wxPoint(20 + 40 * i, 20);
    }
};
}  // namespace

TEST_F(GlueAimTest, TheGluableVerticesAreThoseTheRuleAllows)
{
    startAiming(6);
    std::vector<int> expected;
    for (int k = 0; k < NOV; ++k)
        if (pasteRefusal(k, 6).empty())
            expected.push_back(k);
    EXPECT_EQ(g_gluable, expected);
    EXPECT_TRUE(std::count(g_gluable.begin(), g_gluable.end(), 8)) << "the new cell's rim vertex beside 6";
    EXPECT_FALSE(std::count(g_gluable.begin(), g_gluable.end(), 14)) << "a centre lies in 7 faces";
    EXPECT_FALSE(std::count(g_gluable.begin(), g_gluable.end(), 0)) << "0 shares a face with 6";
    startAiming(7);
    EXPECT_TRUE(g_gluable.empty()) << "a centre may be glued to nothing";
    stopAiming();
    EXPECT_TRUE(g_gluable.empty());
    EXPECT_EQ(g_aimpurtj, -1);
}

TEST_F(GlueAimTest, TheNearestAllowedVertexWithinFifteenPixelsIsAimedAt)
{
    startAiming(6);
    gv[8] = wxPoint(300, 300);
    EXPECT_EQ(aimAt(wxPoint(309, 312)), 8) << "15 pixels away";
    EXPECT_EQ(aimAt(wxPoint(310, 312)), -1) << "15.6 pixels away";
    // Two vertices drawn at one pixel: the one the rule allows, then the nearer in depth.
    gv[14] = gv[9] = gv[10] = wxPoint(500, 100);
    v[9].z = 1.0;
    v[10].z = -1.0;
    v[14].z = -5.0;  // nearest of all, but a centre
    EXPECT_EQ(aimAt(wxPoint(503, 104)), 10);
    v[9].z = -2.0;
    EXPECT_EQ(aimAt(wxPoint(503, 104)), 9);
    // The nearer on screen wins over depth.
    gv[11] = wxPoint(501, 100);
    v[11].z = 3.0;
    EXPECT_EQ(aimAt(wxPoint(502, 100)), 11);
}

TEST_F(GlueAimTest, MarksArePaintedOverTheFaces)
{
    g_centerx = 100;
    g_centery = 80;
    g_rate = 40;
    g_purtj = 6;
    startAiming(6);
    g_aimpurtj = 8;
    Scene scene;
    buildScene(scene, SceneUse::Picture);
    auto rings = [&](int vertex, RGBColour colour) {
        return std::count_if(scene.marks.begin(), scene.marks.end(), [&](const SceneMark& m) {
            return m.kind == SceneMark::Kind::Ring && m.a == vertex && m.colour == colour;
        });
    };
    EXPECT_EQ(rings(6, RGBColour{255, 0, 0}), 1);
    EXPECT_EQ(rings(8, RGBColour{255, 140, 0}), 1);
    for (int k : g_gluable)
        EXPECT_EQ(rings(k, RGBColour{0, 170, 0}), 1) << k;
    EXPECT_EQ(std::count_if(scene.marks.begin(), scene.marks.end(),
                            [](const SceneMark& m) { return m.kind == SceneMark::Kind::Line && m.a == 6 && m.b == 8; }),
              1);
    // Printing shows no marks; without a pick and aim there are none.
    buildScene(scene, SceneUse::Print);
    EXPECT_TRUE(scene.marks.empty());
    stopAiming();
    g_purtj = -1;
    buildScene(scene, SceneUse::Picture);
    EXPECT_TRUE(scene.marks.empty());
    // Show hidden vertices: a ring on every boundary vertex (all but the two centres).
    g_show_hidden = true;
    buildScene(scene, SceneUse::Picture);
    EXPECT_EQ(scene.marks.size(), size_t(NOV - 2));
}

TEST(GlueAimRaster, ThePickedVertexRingShowsOverAFaceInFront)
{
    // A vertex at (50, 50) under a face that covers it, marked with a ring of radius 7.
    Scene s;
    s.width = 101;
    s.height = 101;
    s.points = {{50, 50}, {10, 10}, {90, 10}, {50, 95}};
    s.exactX = {50, 10, 90, 50};
    s.exactY = {50, 10, 10, 95};
    SceneFace f;
    f.index = 0;
    f.corner[0] = 1, f.corner[1] = 2, f.corner[2] = 3;
    f.fill = RGBColour{200, 200, 200};
    f.outline = Outline::Solid;
    f.discEnd = 0;
    s.faces.push_back(f);
    std::vector<uint32_t> pixels(101 * 101);
    RasterImage image{pixels.data(), 101, 101, 101};
    rasterScene(s, image, 1.0);
    EXPECT_EQ(pixels[50 * 101 + 57], 0xc8c8c8u) << "the face alone";
    s.marks.push_back(SceneMark{SceneMark::Kind::Ring, 0, 0, 7, RGBColour{255, 0, 0}});
    rasterScene(s, image, 1.0);
    const uint32_t p = pixels[50 * 101 + 57];
    EXPECT_GT((p >> 16) & 255, 230u) << std::hex << p;
    EXPECT_LT((p >> 8) & 255, 120u) << std::hex << p;
    EXPECT_EQ(pixels[50 * 101 + 50], 0xc8c8c8u) << "a ring, not a disc";
}

TEST_F(GlueAimTest, AGluedCellGrowsAtTheNearestVertexThatCanTakeOne)
{
    for (int i = 0; i < NOV; ++i)
        gv[i] = wxPoint(1000, 1000 + 30 * i);
    gv[7] = wxPoint(100, 100);  // the start cell's centre
    gv[3] = wxPoint(110, 105);
    gv[4] = wxPoint(90, 90);    // 15.6 pixels away: out of reach
    g_purtj = 7;
    EXPECT_EQ(aimCellAt(wxPoint(102, 100)), 3) << "a centre takes no cell; 3 is the nearest that does";
    gv[4] = gv[3];
    v[4].z = v[3].z - 1;
    EXPECT_EQ(aimCellAt(wxPoint(102, 100)), 4) << "at one pixel, the one nearer the viewer";
    g_purtj = 3;
    EXPECT_EQ(aimCellAt(wxPoint(102, 100)), 3) << "the picked vertex first when it can take a cell";
    g_purtj = 0;  // in 4 faces of two fans: it cannot
    EXPECT_EQ(aimCellAt(wxPoint(500, 500)), -1);
}
