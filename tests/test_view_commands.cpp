#include "tests/fixture.h"

#include <cstdlib>
#include <unistd.h>


#include "io/open_commands.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "construct/subdivision.h"
#include "io/reader.h"
#include "model/history.h"
#include "view/print_layout.h"
#include "view/view_commands.h"

TEST_F(StoreTest, ZoomSequencesAndBounds)
{
    zoomIn();
    EXPECT_EQ(g_rate, 125.0);
    for (int k = 0; k < 6; ++k)
        zoomIn();
    EXPECT_EQ(g_rate, 476.837158203125);
    zoomIn();
    EXPECT_EQ(g_rate, 476.837158203125);
    g_rate = 100.0;
    for (int k = 0; k < 9; ++k)
        zoomOut();
    EXPECT_NEAR(g_rate, 13.4217728, 1e-9);
    const double low = g_rate;
    zoomOut();
    EXPECT_EQ(g_rate, low);
    g_rate = 400.0;
    zoomIn();
    EXPECT_EQ(g_rate, 400.0);
    g_rate = 15.0;
    zoomOut();
    EXPECT_EQ(g_rate, 15.0);
}

TEST_F(StoreTest, DefaultSizeRestoresTheScaleAndRecentres)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    g_rate = 300;
    defaultSize();
    EXPECT_EQ(g_rate, 100.0);
    double x = 0, y = 0;
    for (int i = 0; i < NOV; ++i)
        x += v[i].x, y += v[i].y;
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 0, 1e-12);
}

TEST_F(StoreTest, ColourChoicesAndTheirHighlights)
{
    setFrontColour(RGBColour{200, 100, 50});
    EXPECT_EQ(faceColour, (RGBColour{200, 100, 50}));
    EXPECT_EQ(modifyColour, (RGBColour{100, 25, 50}));
    resetStore();
    setFrontColour(faceColour);  // the chooser cancelled at start
    EXPECT_EQ(faceColour, (RGBColour{229, 224, 188}));
    EXPECT_EQ(modifyColour, (RGBColour{114, 94, 112}));
    setBackColour(RGBColour{10, 20, 30});
    EXPECT_EQ(backColour, (RGBColour{10, 20, 30}));
    EXPECT_EQ(backmodifyColour, (RGBColour{10, 20, 30}));
    resetStore();
    setBackColour(backColour);
    EXPECT_EQ(backmodifyColour, (RGBColour{86, 61, 38}));
}

TEST_F(StoreTest, PrintLayoutOfTheExamplePage)
{
    const PrintLayout layout = printLayout(4800, 6600, 320, 220);
    EXPECT_NEAR(layout.scale, 4800.0 / 740.0, 1e-5);
    EXPECT_EQ(layout.originX, 324);
    EXPECT_EQ(layout.originY, 1872);
}

TEST_F(StoreTest, OpenSetsNamesLevelAndLabels)
{
    char folder[] = "/tmp/korvith-open-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string dir = folder;
    const std::string cube = dir + "/cube-korvith-test.kor";
    std::ofstream(cube) << kSingleCellFile;
    subdiv_level = 3;
    ASSERT_TRUE(openSurfaceFile(cube, false));
    EXPECT_EQ(g_Filename, "cube-korvith-test.kor");
    EXPECT_EQ(g_Name, "cube-korvith-test");
    EXPECT_EQ(g_Path, cube);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(NOcomp, 2) << "Open leaves NOcomp as the labelling set it";
    EXPECT_TRUE(revised_facedata);
    const Point3 p = v[0];
    EXPECT_EQ(p.x, 0.824122) << "Open does not relax";

    // A level section in the file wins.
    std::string level2 = kSingleCellFile;
    level2.replace(level2.find("##subdiv_level\n1"), 16, "##subdiv_level\n2");
    const std::string txt = dir + "/cube-korvith-test.txt";
    std::ofstream(txt) << level2;
    ASSERT_TRUE(openSurfaceFile(txt, false));
    EXPECT_EQ(g_Name, "cube-korvith-test.txt");
    EXPECT_EQ(subdiv_level, 2);

    // Append keeps the surface, adds the new one 2.0 along x, relaxes and relabels.
    ASSERT_TRUE(openSurfaceFile(cube, true));
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(NOcomp, 3);
    EXPECT_EQ(conn_comp[8], 2);
    EXPECT_NE(v[0].x, 0.824122) << "Append relaxes";
    EXPECT_EQ(subdiv_level, 1);
    std::remove(cube.c_str());
    std::remove(txt.c_str());
    rmdir(folder);

    // A file that cannot be opened changes nothing, the names included.
    CapturedLog log;
    EXPECT_FALSE(openSurfaceFile("/nonexistent/x.kor", false));
    EXPECT_EQ(g_Name, "cube-korvith-test");
    EXPECT_EQ(NOV, 16);
}

TEST_F(StoreTest, ARefusedOpenOrAppendChangesNothing)
{
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    fill_conn_comp();
    ASSERT_TRUE(subdiv(2));
    refreshDerivedData();
    const double length = phi[0];
    const Point3 p = v[3];
    const int snapshots = historyLength();
    const int labels = NOcomp;
    g_Name = "kept";
    std::string bad = kSingleCellFile;
    bad.replace(bad.find("\n8\n"), 3, "\n8 \n");
    const std::string path = writeFile(bad);
    CapturedLog log;
    for (bool append : {false, true}) {
        EXPECT_FALSE(openSurfaceFile(path, append));
        EXPECT_EQ(subdiv_level, 2);
        EXPECT_FALSE(revised_facedata);
        EXPECT_FALSE(revised_face2edge);
        EXPECT_TRUE(NOfaceOfVertex_on);
        EXPECT_EQ(historyLength(), snapshots);
        EXPECT_EQ(NOcomp, labels);
        EXPECT_EQ(g_Name, "kept");
        refreshDerivedData();  // the next repaint
        EXPECT_EQ(phi[0], length) << "target lengths are not revised";
        EXPECT_EQ(v[3].x, p.x) << "nothing relaxes";
    }
    EXPECT_EQ(log.errors.size(), 2u);
}

TEST_F(StoreTest, SamplesKeepTheNamesAndResetTheLevelAndCounter)
{
    g_Filename = "kept.kor";
    subdiv_level = 4;
    openSample(12);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOcomp, 1);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(g_Filename, "kept.kor");
    EXPECT_EQ(historyLength(), 1);
}

TEST_F(StoreTest, OpenFromStandardInputIsOpenWithoutAName)
{
    g_Filename = "kept.kor";
    subdiv_level = 3;
    ASSERT_TRUE(openSurfaceBytes("standard input", kSingleCellFile));
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(NOcomp, 2);
    EXPECT_EQ(v[0].x, 0.824122) << "Open does not relax";
    EXPECT_EQ(g_Filename, "kept.kor");
    EXPECT_EQ(historyLength(), 1);

    CapturedLog log;
    EXPECT_FALSE(openSurfaceBytes("standard input", "##korvith01\n##vertex\n2\n"));
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_NE(log.errors[0].find("\"standard input\""), std::string::npos) << log.errors[0];
    EXPECT_EQ(NOV, 8);
}
