#include "tests/fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include "io/sample_loader.h"
#include "model/history.h"

namespace {
// Runs `body` with the working directory set to a fresh directory holding
// "sample/single.kor" with `text` (or no sample directory at all when null).
template <typename Body>
void inSampleDirectory(const char* text, Body body)
{
    char dir[] = "/tmp/korvith-samples-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string root = dir;
    if (text) {
        ASSERT_EQ(mkdir((root + "/sample").c_str(), 0755), 0);
        std::ofstream(root + "/sample/single.kor") << text;
    }
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    body();
    ASSERT_EQ(chdir(previous), 0);
    std::remove((root + "/sample/single.kor").c_str());
    rmdir((root + "/sample").c_str());
    rmdir(dir);
}
}  // namespace

TEST_F(StoreTest, SampleTableMapsNumbersToFiles)
{
    EXPECT_EQ(sampleFileName(128), "single.kor");
    EXPECT_EQ(sampleFileName(130), "autopasteDemo.kor");
    EXPECT_EQ(sampleFileName(136), "222-222-222-222.kor");
    EXPECT_EQ(sampleFileName(141), "13-13-3Lattice.kor");
    EXPECT_EQ(sampleFileName(127), "");
    EXPECT_EQ(sampleFileName(142), "");
}

TEST_F(StoreTest, ShippedSingleSampleLoadsAsOneCell)
{
    revised_facedata = false;
    NOfaceOfVertex_on = true;
    EXPECT_TRUE(ReadSampleData(128));
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOE, 14);
    EXPECT_EQ(NOS, 7);
    EXPECT_EQ(NOcomp, 1);
    EXPECT_TRUE(revised_facedata);
    EXPECT_TRUE(revised_face2edge);
    EXPECT_FALSE(NOfaceOfVertex_on);
    EXPECT_EQ(g_Filename, "untitled");
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ShippedSingleSampleIsTheWorkedExampleCell)
{
    std::ifstream in(sourceDir() + "/sample/single.kor", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, kSingleCellFile);
}

TEST_F(StoreTest, SampleWithTwoSurfacesLabelsBothButResetsTheCounter)
{
    const char* two =
        "##korvith01\n##vertex\n4\n0,0,0\n1,0,0\n5,0,0\n6,0,0\n##edge\n2\n0,1,a\n2,3,a\n##face\n0\n##end\n";
    inSampleDirectory(two, [] {
        ReadSampleData(128);
        EXPECT_EQ(conn_comp[0], 1);
        EXPECT_EQ(conn_comp[3], 2);
        EXPECT_EQ(NOcomp, 1);
    });
}

TEST_F(StoreTest, StartUpWithoutSampleDirectoryGivesAnEmptySurface)
{
    inSampleDirectory(nullptr, [] {
        CapturedLog log;
        EXPECT_TRUE(initializeSurfaceStore());
        EXPECT_EQ(NOV, 0);
        EXPECT_EQ(NOE, 0);
        EXPECT_EQ(NOS, 0);
        EXPECT_EQ(NOcomp, 1);
        EXPECT_EQ(historyLength(), 0);
        EXPECT_EQ(log.errors.size(), 1u);
    });
}
