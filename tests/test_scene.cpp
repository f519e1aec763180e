// The scene against the drawing pass as first written, and the window's
// renderer painting it.
#include "tests/fixture.h"

#include <cmath>
#include <random>

#include "construct/copy_remove.h"
#include "construct/subdivision.h"
#include "geometry/smoothing.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "tests/reference/literal_drawing.h"
#include "tests/surface_generators.h"
#include "view/raster.h"
#include "view/scene.h"

namespace {
// Compares the scene, shape by shape, with the calls of the literal pass.
void expectSameAsLiteral(const Scene& scene, const std::vector<LiteralCall>& calls, const std::string& what)
{
    size_t c = 0;
    ASSERT_EQ(scene.faces.size(), size_t(NOS)) << what;
    for (size_t f = 0; f < scene.faces.size(); ++f) {
        const SceneFace& sf = scene.faces[f];
        ASSERT_LT(c, calls.size()) << what;
        const LiteralCall& tri = calls[c++];
        ASSERT_EQ(tri.kind, LiteralCall::Polygon) << what << " face " << f;
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(scene.points[sf.corner[k]].x, tri.x[k]) << what << " face " << f;
            ASSERT_EQ(scene.points[sf.corner[k]].y, tri.y[k]) << what << " face " << f;
        }
        ASSERT_EQ(sf.fill, (RGBColour{tri.brush[0], tri.brush[1], tri.brush[2]})) << what << " face " << f;
        ASSERT_EQ(sf.outline == Outline::Dashed, tri.dashedPen) << what << " face " << f;
        for (int d = scene.discBegin(f); d < sf.discEnd; ++d) {
            ASSERT_LT(c, calls.size()) << what;
            const LiteralCall& disc = calls[c++];
            ASSERT_EQ(disc.kind, LiteralCall::Disc) << what << " face " << f;
            const wxPoint& at = scene.points[scene.discs[d].vertex];
            ASSERT_EQ(at.x - 5, disc.x[0]) << what << " face " << f;
            ASSERT_EQ(at.y - 5, disc.y[0]) << what << " face " << f;
            ASSERT_EQ(scene.discs[d].fill, (RGBColour{disc.brush[0], disc.brush[1], disc.brush[2]})) << what;
        }
    }
    EXPECT_EQ(c, calls.size()) << what;
}

// A random view: scale, centre, picked vertices, selected components.
void randomView(std::mt19937& rng)
{
    g_rate = 20.0 + rng() % 200;
    g_centerx = 100 + rng() % 600;
    g_centery = 100 + rng() % 400;
    g_purtj = rng() % 3 == 0 ? static_cast<int>(rng() % NOV) : -1;
    g_dragpurtj = rng() % 4 == 0 ? static_cast<int>(rng() % NOV) : -1;
    fill_conn_comp();
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = rng() % 3 == 0;
}

void compareNow(const std::string& what)
{
    // Both passes see the same stale flags: save them, run one, restore, run the other.
    const bool f2e = revised_face2edge, fd = revised_facedata, counts = NOfaceOfVertex_on;
    std::vector<LiteralCall> calls;
    literalDrawingPass(&calls);
    revised_face2edge = f2e, revised_facedata = fd, NOfaceOfVertex_on = counts;
    Scene scene;
    buildScene(scene, SceneUse::Window);
    expectSameAsLiteral(scene, calls, what);
}
}  // namespace

TEST_F(StoreTest, SceneIsTheLiteralDrawingPassOnGeneratedSurfaces)
{
    std::mt19937 rng(4242);
    for (int round = 0; round < 60; ++round) {
        resetStore();
        ReadSampleData(FIRST_SAMPLE);
        grow(rng, 1 + static_cast<int>(rng() % 12), round % 2 == 0);
        if (round % 5 == 1)
            addcopy(round % 2 == 0);
        if (round % 7 == 3)
            subdiv(2);
        if (round % 3 == 0)
            smoothen();
        if (round % 11 == 5)
            v[rng() % NOV].z = std::nan("");
        randomView(rng);
        compareNow("round " + std::to_string(round));
    }
}

TEST_F(StoreTest, SceneIsTheLiteralDrawingPassOnTheSamples)
{
    std::mt19937 rng(99);
    for (int id : {FIRST_SAMPLE + 1, FIRST_SAMPLE + 2, FIRST_SAMPLE + 9, FIRST_SAMPLE + 13}) {
        resetStore();
        ASSERT_TRUE(ReadSampleData(id)) << id;
        smoothen();  // off the targets, so that vertices get angle-sum marks
        randomView(rng);
        compareNow("sample " + std::to_string(id));
    }
}

TEST_F(StoreTest, PrintedAndPictureScenesLeaveOutWhatThePageAndFilesDoNotShow)
{
    ReadSampleData(FIRST_SAMPLE);
    refreshDerivedData();
    g_purtj = 7;
    fill_conn_comp();
    hilighted[conn_comp[0]] = true;
    messagetxt = "Now smoothing..";
    Scene window, page, picture;
    buildScene(window, SceneUse::Window);
    buildScene(page, SceneUse::Print);
    buildScene(picture, SceneUse::Picture);
    EXPECT_EQ(window.message, "Now smoothing..");
    EXPECT_TRUE(page.message.empty());
    EXPECT_TRUE(picture.message.empty());
    EXPECT_FALSE(window.discs.empty());
    EXPECT_TRUE(page.discs.empty()) << "the page shows no marks";
    ASSERT_EQ(page.faces.size(), window.faces.size());
    for (size_t f = 0; f < page.faces.size(); ++f) {
        EXPECT_EQ(page.faces[f].outline, Outline::White);
        EXPECT_EQ(window.faces[f].outline, Outline::Dashed);
        EXPECT_EQ(page.faces[f].fill, window.faces[f].fill) << "the tint of the picked vertex stays on paper";
    }
    messagetxt = " ";
}

// Leaving out the faces that lie under later fills changes no pixel, and on
// layers stacked along the viewing axis it leaves out most of the back ones.
TEST_F(StoreTest, RendererLeavesOutOnlyFacesThatCannotBeSeen)
{
    std::mt19937 rng(777);
    std::vector<uint32_t> culled, full;
    for (int round = 0; round < 24; ++round) {
        resetStore();
        ReadSampleData(round % 4 == 0 ? FIRST_SAMPLE + 9 : FIRST_SAMPLE);
        if (round % 4 != 0)
            grow(rng, 2 + static_cast<int>(rng() % 10), true);
        if (round % 4 == 0 || round % 3 == 0)
            smoothen();  // angle-sum discs on most vertices
        const int layers = 1 + round % 3;
        ASSERT_TRUE(replicate(layers, true));
        randomView(rng);
        if (round % 4 == 0)
            g_rate = 8.0 + rng() % 20;  // small faces, so that discs reach past their faces' outlines
        Scene scene;
        buildScene(scene, SceneUse::Window);
        const double scale = round % 5 == 4 ? 2.0 : round % 7 == 6 ? 1.5 : 1.0;
        const int w = static_cast<int>(scene.width * scale) + 3, h = static_cast<int>(scene.height * scale) + 3;
        culled.assign(size_t(w) * h, 0);
        full.assign(size_t(w) * h, 0);
        RasterImage a{culled.data(), w, h, w}, b{full.data(), w, h, w};
        const int painted = rasterScene(scene, a, scale, true);
        EXPECT_EQ(rasterScene(scene, b, scale, false), NOS);
        ASSERT_EQ(culled, full) << "round " << round;
        if (layers == 3 && round % 4 == 0) {
            EXPECT_LT(painted, NOS * 2 / 3) << "round " << round << ": most of the back layers lie under the front one";
        }
    }
}
