// File names of any bytes reach the system unchanged and are shown on one line.
#include "tests/fixture.h"

#include <clocale>
#include <string>

#include "io/command_line.h"
#include "io/file_names.h"
#include "io/open_commands.h"

TEST(FileNames, AnyBytesComeBackUnchanged)
{
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* locale : {"C", "C.UTF-8"}) {
        std::setlocale(LC_CTYPE, locale);
        for (const std::string& bytes : {std::string("/tmp/caf\xE9.kor"), std::string("/tmp/na\xC3\xAFve.kor"),
                                         std::string("/tmp/\xFF\xFE\x80"), std::string("/tmp/a\nb"),
                                         std::string("plain.kor")})
            EXPECT_EQ(pathBytes(pathFromBytes(bytes)), bytes) << locale;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    EXPECT_EQ(pathBytes(wxString::FromUTF8("/tmp/na\xC3\xAFve.kor")), "/tmp/na\xC3\xAFve.kor")
        << "a name typed or chosen becomes UTF-8";
}

TEST(FileNames, QuotedOnOneLine)
{
    EXPECT_EQ(quotedName(std::string("/tmp/a.kor")), "\"/tmp/a.kor\"");
    EXPECT_EQ(quotedName(std::string("/tmp/a\nb\tc\r.kor")), "\"/tmp/a\\nb\\tc\\x0D.kor\"");
    EXPECT_EQ(quotedName(std::string("say \"hi\" \\ there")), "\"say \\\"hi\\\" \\\\ there\"");
    EXPECT_EQ(quotedName(std::string("caf\xE9")), "\"caf\\xE9\"") << "not UTF-8: shown as bytes";
    EXPECT_EQ(quotedName(std::string("na\xC3\xAFve")), "\"na\xC3\xAFve\"") << "UTF-8 stays";
    EXPECT_EQ(quotedName(std::string("\xC2\x85 \xE2\x80\xA8")), "\"\\xC2\\x85 \xE2\x80\xA8\"")
        << "a C1 control is escaped";
    EXPECT_EQ(quotedName(pathFromBytes("x\xE9\ny")), "\"x\\xE9\\ny\"");
}

TEST_F(StoreTest, OpenTakesANameThatIsNotUtf8WhateverTheLocale)
{
    const std::string path = "/tmp/korvith-caf\xE9-" + std::to_string(getpid()) + ".kor";
    std::ofstream(path) << kSingleCellFile;
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_CTYPE, "C");
    // As the window's command line gives it, and as a tool op does.
    const StartRequest request = parseStartArguments({path});
    EXPECT_EQ(request.file, path);
    EXPECT_TRUE(openSurfaceFile(pathFromBytes(request.file), false));
    EXPECT_EQ(NOV, 8);
    std::setlocale(LC_CTYPE, saved.c_str());
    std::remove(path.c_str());

    CapturedLog log;
    EXPECT_FALSE(openSurfaceFile(pathFromBytes("/nonexistent/a\nb\xE9.kor"), false));
    ASSERT_EQ(log.errors.size(), 1u);
    EXPECT_EQ(log.errors[0].find('\n'), std::string::npos) << log.errors[0];
    EXPECT_NE(log.errors[0].find("\"/nonexistent/a\\nb\\xE9.kor\""), std::string::npos) << log.errors[0];
}
