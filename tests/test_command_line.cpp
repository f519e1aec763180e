// The window program's command line.
#include <gtest/gtest.h>

#include <unistd.h>

#include "io/command_line.h"

namespace {
StartRequest parse(std::vector<std::string> args)
{
    return parseStartArguments(args);
}
}  // namespace

TEST(CommandLine, VersionAndHelpWinWhereverTheyStand)
{
    EXPECT_EQ(parse({"--version"}).what, StartRequest::Version);
    EXPECT_EQ(parse({"a.kor", "--version"}).what, StartRequest::Version);
    EXPECT_EQ(parse({"--bogus", "--help"}).what, StartRequest::Help);
    EXPECT_EQ(parse({"-h"}).what, StartRequest::Help);
    // After "--" they are file names.
    const StartRequest file = parse({"--", "--version"});
    EXPECT_EQ(file.what, StartRequest::Run);
    EXPECT_EQ(file.file.substr(file.file.rfind('/')), "/--version");
    EXPECT_EQ(versionLine("korvith").rfind("korvith ", 0), 0u);
    EXPECT_NE(std::string(windowProgramUsage()).find("korvith [FILE]"), std::string::npos);
}

TEST(CommandLine, AFileIsMadeAbsoluteAsAFileDialogGivesIt)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(parse({}).what, StartRequest::Run);
    EXPECT_EQ(parse({}).file, "");
    EXPECT_EQ(parse({"sub/cube.kor"}).file, std::string(cwd) + "/sub/cube.kor");
    EXPECT_EQ(parse({"/tmp/x y.kor"}).file, "/tmp/x y.kor");
    // A lone "-" is a file name like any other; the window reads no standard input.
    EXPECT_EQ(parse({"-"}).file, std::string(cwd) + "/-");
}

TEST(CommandLine, UnknownOptionsAndSecondFilesAreRefusedInOneLine)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--verbose"}, {"-x", "a.kor"}, {"a.kor", "b.kor"}, {"--", "a.kor", "b.kor"}}) {
        const StartRequest r = parse(args);
        EXPECT_EQ(r.what, StartRequest::Error) << args[0];
        EXPECT_FALSE(r.problem.empty());
        EXPECT_EQ(r.problem.find('\n'), std::string::npos);
        EXPECT_TRUE(r.file.empty());
    }
    EXPECT_NE(parse({"--verbose"}).problem.find("--verbose"), std::string::npos);
}
