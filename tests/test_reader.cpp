#include "tests/fixture.h"

#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

#include "io/reader.h"
#include "io/writer.h"
#include "model/history.h"

namespace {
// A file whose records are given line by line after the marker.
std::string sectioned(const std::string& body)
{
    return "##korvith01\n" + body;
}

const char* const kTriangle =
    "##korvith01\n##vertex\n3\n0,0,0\n1,0,0\n0,1,0\n##edge\n3\n0,1,a\n1,2,b\n2,0,0.9\n"
    "##face\n1\n0,1,2\n##end\n";
}  // namespace

TEST_F(StoreTest, ReaderReadsTheOneCellFile)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOE, 14);
    EXPECT_EQ(NOS, 7);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_DOUBLE_EQ(v[1].y, -0.934102);
    EXPECT_EQ(phi[13], 0.891007);
    EXPECT_EQ(face[3][1], 4);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ReaderConvertsTargetLengthFields)
{
    ASSERT_TRUE(wxTranslateData(writeFile(sectioned("##vertex\n2\n0,0,0\n1,0,0\n##edge\n4\n0,1,a\n0,1,b\n0,1,0.9\n"
                                                    "0,1,  1.5e-1xyz\n##face\n0\n##end\n")),
                                false));
    EXPECT_EQ(phi[0], std::sin(0.9424777959));
    EXPECT_EQ(phi[0], 0.8090169942709459);
    EXPECT_EQ(phi[1], std::sin(1.09955742855));
    EXPECT_EQ(phi[2], 0.9);
    EXPECT_EQ(phi[3], 0.15);
    // A capital A, or the letter a followed by a blank, is converted as a
    // number and gives 0: no length an edge can have.
    for (const char* field : {"A", "a ", "0", "-1", "1e308x10", "1e999", ""}) {
        CapturedLog log;
        EXPECT_FALSE(wxTranslateData(
            writeFile(sectioned("##vertex\n2\n0,0,0\n1,0,0\n##edge\n2\n0,1,a\n0,1," + std::string(field) +
                                "\n##face\n0\n##end\n")),
            false))
            << field;
        ASSERT_EQ(log.errors.size(), 1u) << field;
        EXPECT_NE(log.errors[0].find("line 9: edge 1 has a target length"), std::string::npos) << log.errors[0];
    }
}

TEST_F(StoreTest, ReaderRecordFieldsAreLenient)
{
    ASSERT_TRUE(wxTranslateData(writeFile(sectioned("##vertex\n3\n 1.5x, -2 ,3,99\n\n,,7\n##edge\n1\n 2 ,1x,2\n"
                                                    "##face\n1\n1,2\n##end\n")),
                                false));
    EXPECT_EQ(v[0].x, 1.5);
    EXPECT_EQ(v[0].y, -2.0);
    EXPECT_EQ(v[0].z, 3.0);
    EXPECT_EQ(v[1].x, 0.0) << "a blank line inside a body is a record of zeros";
    EXPECT_EQ(v[2].z, 7.0);
    EXPECT_EQ(edge[0][0], 2);
    EXPECT_EQ(edge[0][1], 1);
    EXPECT_EQ(phi[0], 2.0);
    EXPECT_EQ(face[0][2], 0) << "a missing field converts as empty";
}

TEST_F(StoreTest, ReaderKeywordRulesAndSectionOrder)
{
    // Sections in any order, blank lines and other text between them skipped,
    // a repeated section overwrites (the last count wins), "end" inside a word ends.
    const std::string text = sectioned(
        "\nsome remark\n##face\n1\n0,1,2\n##vertex\n4\n9,9,9\n9,9,9\n9,9,9\n9,9,9\n"
        "##edge\n1\n0,1,a\n##vertex\n3\n0,0,0\n1,0,0\n0,1,0\n##subdiv_level\n3\nappendix\n##vertex\n1\n5,5,5\n");
    ASSERT_TRUE(wxTranslateData(writeFile(text), false));
    EXPECT_EQ(NOV, 3);
    EXPECT_EQ(v[0].x, 0.0);
    EXPECT_EQ(NOE, 1);
    EXPECT_EQ(NOS, 1);
    EXPECT_EQ(subdiv_level, 3);
}

TEST_F(StoreTest, ReaderLineEndingsAndLastLineWithoutTerminator)
{
    std::string crlf = kTriangle;
    std::string cr = kTriangle;
    for (size_t p = 0; (p = crlf.find('\n', p)) != std::string::npos; p += 2)
        crlf.replace(p, 1, "\r\n");
    for (char& c : cr)
        if (c == '\n')
            c = '\r';
    for (const std::string& text : {crlf, cr, std::string(kTriangle).substr(0, std::string(kTriangle).size() - 1)}) {
        resetStore();
        ASSERT_TRUE(wxTranslateData(writeFile(text), false));
        EXPECT_EQ(NOV, 3);
        EXPECT_EQ(NOE, 3);
        EXPECT_EQ(NOS, 1);
        EXPECT_EQ(phi[2], 0.9);
    }
}

TEST_F(StoreTest, ReaderCountOnlyForm)
{
    ASSERT_TRUE(wxTranslateData(writeFile("3\n0,0,0\n1,0,0\n0,1,0\n2\n0,1,a\n1,2,b\n1\n2,1,0\ntrailing words\n"),
                                false));
    EXPECT_EQ(NOV, 3);
    EXPECT_EQ(NOE, 2);
    EXPECT_EQ(NOS, 1);
    EXPECT_EQ(face[0][0], 2);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ReaderLevelOnlyWhenTheFileHasOne)
{
    subdiv_level = 1;
    ASSERT_TRUE(wxTranslateData(writeFile(kTriangle), false));
    EXPECT_EQ(subdiv_level, 1);
    subdiv_level = 4;
    ASSERT_TRUE(wxTranslateData(writeFile(kTriangle), false));
    EXPECT_EQ(subdiv_level, 4) << "a file without a level section keeps the caller's level";
}

TEST_F(StoreTest, ReaderAppendRenumbersAndShifts)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), true));
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(NOE, 28);
    EXPECT_EQ(NOS, 14);
    for (int i = 0; i < 8; ++i) {
        EXPECT_DOUBLE_EQ(v[8 + i].x, v[i].x + 2.0);
        EXPECT_EQ(v[8 + i].y, v[i].y);
        EXPECT_EQ(v[8 + i].z, v[i].z);
    }
    for (int e = 14; e < 28; ++e) {
        EXPECT_GE(edge[e][0], 8);
        EXPECT_LE(edge[e][1], 15);
        EXPECT_EQ(edge[e][0], edge[e - 14][0] + 8);
        EXPECT_EQ(phi[e], phi[e - 14]);
    }
    EXPECT_EQ(face[13][0], 14);
    EXPECT_EQ(face[13][1], 8);
    EXPECT_EQ(face[13][2], 15);
    EXPECT_EQ(historyLength(), 2);
    EXPECT_STORE_VALID();
    undo();
    EXPECT_EQ(NOV, 8);
}

TEST_F(StoreTest, ReaderUnopenableFileRecordsNothing)
{
    CapturedLog log;
    EXPECT_FALSE(wxTranslateData("/nonexistent/dir/none.kor", false));
    EXPECT_EQ(historyLength(), 0);
    EXPECT_FALSE(log.errors.empty());
}

// Every malformed file is refused before the store changes: the surface on
// screen keeps its positions, counts and level, no snapshot is recorded, and
// the error names the file and the line.
struct BadFile {
    const char* name;
    std::string text;
    const char* expectLine;  // text the message must contain ("" for no line)
};

class ReaderRejects : public StoreTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ReaderRejects, LeavesTheStoreUntouchedAndSaysWhy)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    subdiv_level = 1;
    const Point3 before = v[3];
    const std::string path = writeFile(GetParam().text);
    CapturedLog log;
    for (bool append : {false, true}) {
        const int snapshots = historyLength();
        EXPECT_FALSE(wxTranslateData(path, append));
        EXPECT_EQ(historyLength(), snapshots);
        EXPECT_EQ(NOV, 8);
        EXPECT_EQ(NOE, 14);
        EXPECT_EQ(NOS, 7);
        EXPECT_EQ(subdiv_level, 1);
        EXPECT_EQ(v[3].x, before.x);
        EXPECT_EQ(v[8].x, 0.0) << "nothing is written past the surface either";
        EXPECT_STORE_VALID();
    }
    ASSERT_EQ(log.errors.size(), 2u);
    EXPECT_NE(log.errors[0].find(path), std::string::npos) << log.errors[0];
    EXPECT_NE(log.errors[0].find(GetParam().expectLine), std::string::npos) << log.errors[0];
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, ReaderRejects,
    ::testing::Values(
        BadFile{"Empty", "", "empty"},
        BadFile{"MarkerOnly", "##korvith01\n", "ends before"},
        BadFile{"UnrelatedText", "hello world\n3,4\n", "line 1:"},
        BadFile{"CountWithTrailingBlank", sectioned("##vertex\n8 \n"), "line 3:"},
        BadFile{"EmptyCount", sectioned("##vertex\n\n"), "line 3:"},
        BadFile{"NegativeCount", sectioned("##vertex\n-1\n##edge\n0\n##face\n0\n##end\n"), "negative"},
        BadFile{"BadLevel", sectioned("##vertex\n1\n9,9,9\n##edge\n0\n##face\n0\n##subdiv_level\n2x\n##end\n"),
                "line 10:"},
        BadFile{"LevelOutOfRange", sectioned("##vertex\n1\n9,9,9\n##edge\n0\n##face\n0\n##subdiv_level\n7\n"),
                "line 10:"},
        BadFile{"ShorterThanItsCounts", sectioned("##vertex\n3\n9,9,9\n9,9,9\n"), "announces 3 vertices"},
        BadFile{"MissingVertexSection", sectioned("##edge\n0\n##face\n0\n##end\n"), "no vertex section"},
        BadFile{"MissingEdgeSection", sectioned("##vertex\n1\n9,9,9\n##face\n0\n##end\n"), "no edge section"},
        BadFile{"MissingFaceSection", sectioned("##vertex\n1\n9,9,9\n##edge\n0\n##end\n"), "no face section"},
        BadFile{"CountOnlyTooShort", "2\n9,9,9\n9,9,9\n1\n0,1,a\n", "face"},
        BadFile{"EdgeIndexOutsideFile", sectioned("##vertex\n2\n9,9,9\n9,9,9\n##edge\n1\n0,2,a\n##face\n0\n##end\n"),
                "line 8:"},
        BadFile{"NegativeFaceIndex",
                sectioned("##vertex\n3\n9,9,9\n9,9,9\n9,9,9\n##edge\n0\n##face\n1\n0,-1,2\n##end\n"), "line 11:"},
        BadFile{"VerticesBeyondCapacity", sectioned("##vertex\n30001\n"), "do not fit"},
        BadFile{"EdgesBeyondCapacity", sectioned("##vertex\n0\n##edge\n60001\n"), "do not fit"},
        BadFile{"NotANumberCoordinate", sectioned("##vertex\n1\nnan,0,0\n##edge\n0\n##face\n0\n##end\n"), "line 4:"},
        BadFile{"VertexSectionEndsEarly",
                sectioned("##vertex\n3\n0,0,0\n1,0,0\n##edge\n1\n0,1,a\n##face\n0\n##end\n"),
                "line 6: the section ends after 2 of its 3 vertices"},
        BadFile{"FaceSectionEndsEarly",
                sectioned("##vertex\n3\n0,0,0\n1,0,0\n0,1,0\n##edge\n0\n##face\n2\n0,1,2\n##end\n"),
                "line 12: the section ends after 1 of its 2 faces"},
        BadFile{"NonAsciiCount", sectioned("##vertex\n8\xC3\xA9\n"), "count \"8\\xC3\\xA9\" is not"},
        BadFile{"Binary", std::string("\x7f" "ELF\x02\x01\x01\0\0\0korvith01\n", 20), "not a text file"},
        BadFile{"InfiniteTargetLength",
                sectioned("##vertex\n2\n0,0,0\n1,0,0\n##edge\n1\n0,1,1e999\n##face\n0\n##end\n"), "line 8:"},
        // Coordinates whose differences overflow: the boxes around faces and
        // the lengths would not be numbers.
        BadFile{"CoordinatesNearTheLargestDouble",
                sectioned("##vertex\n3\n1e+308,0,0\n-1e+308,0,0\n0,1e+308,0\n##edge\n0\n##face\n1\n0,1,2\n##end\n"),
                "line 4: vertex 0 lies too far out"},
        BadFile{"CoordinateJustBeyondTheLimit",
                sectioned("##vertex\n2\n0,0,0\n0,-1.0001e30,0\n##edge\n0\n##face\n0\n##end\n"),
                "line 5: vertex 1 lies too far out"},
        BadFile{"FaceWithARepeatedCorner",
                sectioned("##vertex\n3\n0,0,0\n1,0,0\n0,1,0\n##edge\n0\n##face\n2\n0,1,2\n2,1,2\n##end\n"),
                "line 12: face 1 has vertex 2 as two of its corners"},
        BadFile{"BlankFaceLine",
                sectioned("##vertex\n3\n0,0,0\n1,0,0\n0,1,0\n##edge\n0\n##face\n1\n\n##end\n"),
                "line 11: face 0 has vertex 0 as two"},
        BadFile{"CutInsideTheLastRecord", "3\n0,0,0\n1,0,0\n0,1,0\n0\n2\n0,1,2\n2,1", "line 8: the file ends inside"},
        BadFile{"CutInsideTheLastCoordinates", "2\n0,0,0\n1,0", "line 3: the file ends inside"},
        BadFile{"SideInThreeFaces",
                sectioned("##vertex\n5\n0,0,0\n1,0,0\n0,1,0\n0,0,1\n1,1,1\n##edge\n0\n##face\n3\n0,1,2\n1,0,3\n"
                          "4,0,1\n##end\n"),
                "line 15: face 2 is the third face at the side from vertex 0 to vertex 1"},
        BadFile{"TargetLengthZero",
                sectioned("##vertex\n2\n0,0,0\n1,0,0\n##edge\n1\n0,1,0\n##face\n0\n##end\n"),
                "line 8: edge 0 has a target length (0)"},
        BadFile{"TargetLengthHuge",
                sectioned("##vertex\n2\n0,0,0\n1,0,0\n##edge\n1\n0,1,1e308\n##face\n0\n##end\n"),
                "line 8: edge 0 has a target length (1e308)"},
        // Wide text is decoded here: a unit that is no character names its line.
        BadFile{"Utf32BeyondUnicode", std::string("\0\0\xFE\xFF\0\0\0#\0\0\0\n\0\x20\0\0", 16),
                "line 2: a character that is not Unicode (code 0x200000 in UTF-32)"},
        BadFile{"Utf32LittleEndianSurrogate", std::string("\xFF\xFE\0\0\x00\xD8\0\0", 8),
                "line 1: a character that is not Unicode (code 0xd800"},
        BadFile{"Utf16LoneSurrogate", std::string("\xFF\xFE" "8\0\n\0\x00\xDC", 8),
                "line 2: a character that is not Unicode (code 0xdc00 in UTF-16)"},
        BadFile{"Utf16CutInsideACharacter", std::string("\xFE\xFF\0" "8\0", 5),
                "line 1: the file ends inside a character"},
        // A carriage return before the cut: the look for its line feed stays
        // inside the text (it once read one unit past the end).
        BadFile{"Utf16CutAfterACarriageReturn", std::string("\xFE\xFF\xEA\0\0\r\0", 7),
                "line 2: the file ends inside a character"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(StoreTest, ReaderCapacityCountsTheSurfaceAlreadyPresentWhenAppending)
{
    // 29992 vertices fit alone, but not after the 8 of the cell.
    std::string text = "##korvith01\n##vertex\n29993\n";
    for (int i = 0; i < 29993; ++i)
        text += "0,0,0\n";
    text += "##edge\n0\n##face\n0\n##end\n";
    const std::string path = writeFile(text);
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    CapturedLog log;
    EXPECT_FALSE(wxTranslateData(path, true));
    EXPECT_EQ(NOV, 8);
    EXPECT_TRUE(wxTranslateData(path, false));
    EXPECT_EQ(NOV, 29993);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ReaderRefusesFoldersAndPipesWithoutWaiting)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    char folder[] = "/tmp/korvith-reader-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string pipe = std::string(folder) + "/f.kor";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    CapturedLog log;
    EXPECT_FALSE(wxTranslateData(folder, false));
    EXPECT_FALSE(wxTranslateData(pipe, true));  // would wait forever for a writer if opened for reading
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), 1);
    ASSERT_EQ(log.errors.size(), 2u);
    EXPECT_NE(log.errors[0].find("folder"), std::string::npos) << log.errors[0];
    EXPECT_NE(log.errors[1].find("not a regular file"), std::string::npos) << log.errors[1];
    std::remove(pipe.c_str());
    rmdir(folder);
}

TEST_F(StoreTest, ReaderTakesEveryLineEndAndAByteOrderMark)
{
    std::string text = kSingleCellFile;
    std::string crlf, cr;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    for (const std::string& form : {crlf, cr, "\xEF\xBB\xBF" + text, text.substr(0, text.size() - 1)}) {
        resetStore();
        ASSERT_TRUE(wxTranslateData(writeFile(form), false));
        EXPECT_EQ(NOV, 8);
        EXPECT_EQ(NOS, 7);
        EXPECT_DOUBLE_EQ(v[1].y, -0.934102);
    }
}

TEST_F(StoreTest, ReaderNumbersReadAsTheCLibraryReadsThem)
{
    // Fields the fast path hands over to strtod, and ones it takes itself.
    const std::string text = sectioned("##vertex\n4\n+1.5,0x10,-0.25e1\n 7 ,\t.5,-.5\n1e-310,5.,1e3x\n"
                                       "-0,99999999999999999999,2\n##edge\n1\n +3, -0 ,1\n##face\n0\n##end\n");
    CapturedLog log;
    ASSERT_TRUE(wxTranslateData(writeFile(text), false)) << (log.errors.empty() ? "" : log.errors[0]);
    EXPECT_EQ(v[0].x, 1.5);
    EXPECT_EQ(v[0].y, 16.0);
    EXPECT_EQ(v[0].z, -2.5);
    EXPECT_EQ(v[1].x, 7.0);
    EXPECT_EQ(v[1].y, 0.5);
    EXPECT_EQ(v[1].z, -0.5);
    EXPECT_EQ(v[2].x, strtod("1e-310", nullptr));
    EXPECT_EQ(v[2].y, 5.0);
    EXPECT_EQ(v[2].z, 1000.0);
    EXPECT_EQ(v[3].x, 0.0);
    EXPECT_EQ(v[3].y, 1e20);
    EXPECT_EQ(edge[0][0], 3);
    EXPECT_EQ(edge[0][1], 0);
}

// A file larger than any surface is refused before it is read: a sparse file
// of just over 1 GB takes no disk and no time.
TEST_F(StoreTest, ReaderRefusesAFileOverOneGigabyteBeforeReadingIt)
{
    const std::string path = writeFile("");
    ASSERT_EQ(truncate(path.c_str(), MAX_FILE_BYTES + 1), 0);
    CapturedLog log;
    EXPECT_FALSE(wxTranslateData(path, false));
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_NE(log.errors[0].find("1073741825 bytes, more than a surface file may (1 GB)"), std::string::npos)
        << log.errors[0];
    ASSERT_EQ(truncate(path.c_str(), 0), 0);
}

// Blank lines between sections are skipped however many there are, in both
// line-end styles, and a surface among them reads as without them.
TEST_F(StoreTest, ReaderSkipsAnyNumberOfBlankLines)
{
    const std::string single = kSingleCellFile;
    const std::string::size_type edges = single.find("##edge");
    for (const char* blank : {"\n", "\r\n", "\r"}) {
        std::string text = single.substr(0, edges);
        for (int k = 0; k < 200000; ++k)
            text += blank;
        text += single.substr(edges);
        resetStore();
        ASSERT_TRUE(wxTranslateData(writeFile(text), false));
        EXPECT_EQ(NOV, 8);
        EXPECT_EQ(NOE, 14);
        EXPECT_EQ(NOS, 7);
    }
    // The line numbers of messages count them.
    CapturedLog log;
    EXPECT_FALSE(wxTranslateData(writeFile("##korvith01\n\n\n\n##vertex\nx\n"), false));
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_NE(log.errors[0].find("line 6: the vertices count"), std::string::npos) << log.errors[0];
}
