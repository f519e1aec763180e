#include "tests/fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <wx/filefn.h>

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
    EXPECT_EQ(sampleFileName(DISC_SAMPLE), "hyperbolicDisc3.kor");
    EXPECT_EQ(sampleFileName(CLOSED_SAMPLE), "closedGenus3.kor");
    EXPECT_EQ(sampleFileName(DISC4_SAMPLE), "hyperbolicDisc4.kor");
    EXPECT_EQ(sampleFileName(145), "");
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
        g_sampleFolders.Add("sample");  // the working directory's folder only
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

namespace {
// A folder under /tmp holding single.kor with `vertices` unconnected vertices,
// or no single.kor when `vertices` is 0; removed with its file at the end.
class SampleFolder {
public:
    explicit SampleFolder(int vertices)
    {
        char dir[] = "/tmp/korvith-sample-folder-XXXXXX";
        path = mkdtemp(dir) ? dir : "";
        if (vertices > 0) {
            std::ofstream out(path + "/single.kor");
            out << "##korvith01\n##vertex\n" << vertices << "\n";
            for (int k = 0; k < vertices; ++k)
                out << k << ",0,0\n";
            out << "##edge\n0\n##face\n0\n##end\n";
        }
    }
    ~SampleFolder()
    {
        std::remove((path + "/single.kor").c_str());
        rmdir(path.c_str());
    }
    std::string path;
};
}  // namespace

TEST_F(StoreTest, SamplesComeFromTheFirstFolderThatHoldsThem)
{
    SampleFolder empty(0), data(2), besideProgram(3);
    for (const SampleFolder* f : {&empty, &data, &besideProgram})
        g_sampleFolders.Add(f->path);
    CapturedLog log;
    ReadSampleData(128);
    EXPECT_EQ(NOV, 2);
    EXPECT_EQ(findSampleFile("single.kor", g_sampleFolders), data.path + "/single.kor");
    EXPECT_EQ(findSampleFile("torio.kor", g_sampleFolders), "");

    SampleFolder working(4);
    g_sampleFolders.Insert(working.path, 0);
    ReadSampleData(128);
    EXPECT_EQ(NOV, 4);
    EXPECT_TRUE(log.errors.empty());
}

TEST_F(StoreTest, AMissingSampleIsToldOnceWithEveryFolderSearched)
{
    SampleFolder first(0), second(0);
    g_sampleFolders.Add(first.path);
    g_sampleFolders.Add(second.path);
    CapturedLog log;
    ReadSampleData(128);
    ASSERT_EQ(log.errors.size(), 1u);
    const std::string& message = log.errors[0];
    EXPECT_NE(message.find("\"single.kor\""), std::string::npos) << message;
    EXPECT_NE(message.find(first.path + ", " + second.path), std::string::npos) << message;
    EXPECT_EQ(NOV, 0);
    EXPECT_EQ(NOcomp, 1);
}

TEST_F(StoreTest, SamplesAreLookedForUnderTheWorkingDirectoryThenInstalledThenBesideTheProgram)
{
    const wxArrayString folders = sampleFolders();
    ASSERT_GE(folders.size(), 3u);
    EXPECT_EQ(folders[0], "sample");
    EXPECT_TRUE(folders[1].EndsWith("/share/korvith/sample")) << folders[1];
    EXPECT_TRUE(wxIsAbsolutePath(folders[1])) << folders[1];
    EXPECT_NE(folders.Index(KORVITH_BINARY_DIR "/sample"), wxNOT_FOUND);
    for (size_t k = 0; k < folders.size(); ++k)
        EXPECT_EQ(folders.Index(folders[k]), static_cast<int>(k)) << "searched twice: " << folders[k];
}

TEST_F(StoreTest, StartedFromAnotherFolderTheProgramFindsItsSamples)
{
    // The build folder holds a copy beside the programs of every sample of the menu.
    for (int n = FIRST_SAMPLE; n <= LAST_SAMPLE; ++n)
        EXPECT_TRUE(wxFileExists(KORVITH_BINARY_DIR "/sample/" + sampleFileName(n))) << sampleFileName(n);
    inSampleDirectory(nullptr, [] {
        CapturedLog log;
        EXPECT_TRUE(initializeSurfaceStore());
        EXPECT_EQ(NOV, 8);
        EXPECT_EQ(NOS, 7);
        EXPECT_TRUE(log.errors.empty());
    });
}
