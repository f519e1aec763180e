#include "tests/read_file.h"
#include "tests/fixture.h"

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/stat.h>

#include "io/reader.h"
#include "io/writer.h"
#include "model/finite_positions.h"
#include "model/history.h"

namespace {
const char* const kSingleHeader =
    "char *single_v=\"8:0.824122,-0.334356,-0.0648953:0.306818,-0.934102,-0.0775646:-0.46057,-0.912631,0.117366:"
    "-0.900163,-0.281175,0.30692:-0.747572,0.460033,0.0704142:-0.0293405,0.795131,0.0466634:0.64806,0.433557,"
    "-0.149862:-0.0448119,-0.110506,0.0602742:\";\n"
    "char *single_e=\"14:0,1,0.809017:1,2,0.809017:2,3,0.809017:3,4,0.809017:4,5,0.809017:5,6,0.809017:0,6,"
    "0.809017:0,7,0.891007:1,7,0.891007:2,7,0.891007:3,7,0.891007:4,7,0.891007:5,7,0.891007:6,7,0.891007:\";\n"
    "char *single_f=\"7:0,1,7:1,2,7:2,3,7:3,4,7:4,5,7:5,6,7:6,0,7:\";\n";

// A fresh directory under /tmp, removed (with its files) at the end of the test.
class TempDir {
public:
    TempDir()
    {
        char name[] = "/tmp/korvith-save-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempDir() { std::system(("chattr -i '" + path + "' 2>/dev/null; rm -rf '" + path + "'").c_str()); }
    std::string path;
};
}  // namespace

TEST_F(StoreTest, SurfaceFileOfTheWorkedCellByteForByte)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    const std::string text = surfaceFileText();
    EXPECT_EQ(text, kSingleCellFile);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 39);
}

TEST_F(StoreTest, HeaderExportOfTheWorkedCellByteForByte)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    const std::string text = headerExportText("single");
    EXPECT_EQ(text, kSingleHeader);
    EXPECT_EQ(text.size(), 521u);
}

TEST_F(StoreTest, EmptySurfaceFileAndHeader)
{
    subdiv_level = 3;
    EXPECT_EQ(surfaceFileText(), "##korvith01\n##vertex\n0\n##edge\n0\n##face\n0\n##subdiv_level\n3\n##end\n");
    EXPECT_EQ(headerExportText(""), "char *_v=\"0:\";\nchar *_e=\"0:\";\nchar *_f=\"0:\";\n");
}

TEST_F(StoreTest, WrittenSurfaceReadsBackRoundedToSixDigits)
{
    NOV = 3;
    v[0] = {1.0 / 3, -2e-7, 1234567.0};
    v[1] = {0, 1, 0};
    v[2] = {1, 0, 0};
    NOE = 1;
    edge[0][0] = 2, edge[0][1] = 0, phi[0] = std::sin(0.9424777959);
    NOS = 1;
    face[0][0] = 0, face[0][1] = 2, face[0][2] = 1;
    subdiv_level = 2;
    const std::string text = surfaceFileText();
    EXPECT_NE(text.find("0.333333,-2e-07,1.23457e+06\n"), std::string::npos) << text;
    resetStore();
    ASSERT_TRUE(wxTranslateData(writeFile(text), false));
    EXPECT_EQ(v[0].x, 0.333333);
    EXPECT_EQ(v[0].z, 1234570.0);
    EXPECT_EQ(phi[0], 0.809017);
    EXPECT_EQ(edge[0][0], 2);
    EXPECT_EQ(face[0][1], 2);
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(surfaceFileText(), text) << "a second round trip changes nothing";
}

TEST_F(StoreTest, NonFiniteSurfacesAreNotWritable)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    EXPECT_TRUE(surfaceIsFinite());
    v[3].y = std::nan("");
    EXPECT_FALSE(surfaceIsFinite());
    v[3].y = 0;
    phi[2] = INFINITY;
    EXPECT_FALSE(surfaceIsFinite());
}

TEST_F(StoreTest, HeaderPrefixIsAValidIdentifier)
{
    EXPECT_EQ(cIdentifier("single"), "single");
    EXPECT_EQ(cIdentifier("2222-2222-2222"), "d2222_2222_2222");
    EXPECT_EQ(cIdentifier("my shape"), "my_shape");
    EXPECT_EQ(cIdentifier("_x9"), "_x9");
    EXPECT_EQ(cIdentifier(""), "");
    EXPECT_EQ(cIdentifier("13-13-3Lattice"), "d13_13_3Lattice");
}

TEST_F(StoreTest, SaveNamesAndExtensions)
{
    EXPECT_EQ(takeSaveChoice("/home/u/out", SaveKind::Surface), "/home/u/out.kor");
    EXPECT_EQ(g_Filename, "out");
    EXPECT_EQ(g_Name, "out");
    EXPECT_EQ(g_Path, "/home/u/out.kor");
    EXPECT_EQ(takeSaveChoice("/home/u/out.kor", SaveKind::Surface), "/home/u/out.kor");
    EXPECT_EQ(g_Filename, "out.kor");
    EXPECT_EQ(g_Name, "out");
    EXPECT_EQ(takeSaveChoice("/home/u/my.kor.d/shape", SaveKind::Surface), "/home/u/my.kor.d/shape")
        << "a path containing .kor anywhere gets no extension";
    EXPECT_EQ(g_Name, "shape");
    EXPECT_EQ(takeSaveChoice("/home/u/shape.h", SaveKind::Header), "/home/u/shape.h");
    EXPECT_EQ(g_Filename, "shape.h");
    EXPECT_EQ(g_Name, "shape");
    EXPECT_EQ(takeSaveChoice("/home/u/shape", SaveKind::Header), "/home/u/shape.h");
}

TEST_F(StoreTest, WritingReplacesTheFileWhole)
{
    TempDir dir;
    const std::string target = dir.path + "/a.kor";
    std::ofstream(target) << "old contents";
    chmod(target.c_str(), 0640);
    wxString error;
    ASSERT_TRUE(writeFileReplacing(target, "new contents\n", &error)) << error;
    EXPECT_EQ(readAll(target), "new contents\n");
    struct stat st;
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "an existing file keeps its permissions";
    const std::string fresh = dir.path + "/b.kor";
    ASSERT_TRUE(writeFileReplacing(fresh, "x", &error));
    const mode_t mask = umask(0);
    umask(mask);
    ASSERT_EQ(stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
    // Nothing but the two files is left behind.
    EXPECT_EQ(std::system(("test $(ls -A '" + dir.path + "' | wc -l) -eq 2").c_str()), 0);
}

TEST_F(StoreTest, FailedWritesLeaveTheOldFileAndSayWhy)
{
    TempDir dir;
    const std::string target = dir.path + "/keep.kor";
    std::ofstream(target) << "precious";
    wxString error;

    // The target is a folder.
    const std::string folder = dir.path + "/folder.kor";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    EXPECT_FALSE(writeFileReplacing(folder, "x", &error));
    EXPECT_NE(error.Find("folder"), wxNOT_FOUND) << error;

    // The folder of the target has vanished.
    EXPECT_FALSE(writeFileReplacing(dir.path + "/gone/x.kor", "x", &error));
    EXPECT_NE(error.Find("No such file"), wxNOT_FOUND) << error;

    // The disk fills up in the middle of the write (a file size limit stands in
    // for it, which would end the program if the write let it).
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = writeFileReplacing(target, "a much longer text than four bytes", &error);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_NE(error.Find("write"), wxNOT_FOUND) << error;
    EXPECT_EQ(readAll(target), "precious");

    // A folder nobody may write into.
    bool locked = std::system(("chattr +i '" + dir.path + "' 2>/dev/null").c_str()) == 0;
    if (!locked) {
        chmod(dir.path.c_str(), 0555);
        locked = access(dir.path.c_str(), W_OK) != 0;
    }
    if (locked) {
        EXPECT_FALSE(writeFileReplacing(target, "new", &error));
        EXPECT_NE(error.Find("cannot create"), wxNOT_FOUND) << error;
        EXPECT_EQ(readAll(target), "precious");
    }
    std::system(("chattr -i '" + dir.path + "' 2>/dev/null").c_str());
    chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(std::system(("test $(ls -A '" + dir.path + "' | wc -l) -eq 2").c_str()), 0) << "no temporary file is left";
}
