// Autosave files and the recent-files list: where they live, who may take an
// autosave, what restoring one brings back.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "construct/grow_ring.h"
#include "io/autosave.h"
#include "io/file_names.h"
#include "io/open_commands.h"
#include "io/recent_files.h"
#include "io/sample_loader.h"
#include "io/writer.h"
#include "model/document.h"
#include "model/store.h"
#include "tests/fixture.h"

namespace {
// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }

private:
    std::string name_, old_;
    bool had_ = false;
};

// A fresh folder standing for the user's state and config folders.
class UserFolders : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        char name[] = "/tmp/korvith-user-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root_ = name;
        state_ = std::make_unique<ScopedEnv>("XDG_STATE_HOME", (root_ + "/state").c_str());
        config_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", (root_ + "/config").c_str());
    }
    void TearDown() override
    {
        removeAutosave();
        state_.reset();
        config_.reset();
        std::system(("rm -rf '" + root_ + "'").c_str());
        StoreTest::TearDown();
    }
    bool exists(const std::string& path)
    {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }
    std::string root_;
    std::unique_ptr<ScopedEnv> state_, config_;
};

// Runs `work` in a child process that then dies by SIGKILL (as a killed
// window does) or waits for SIGKILL after writing one byte to `ready`.
pid_t childThat(const std::function<void()>& work, bool waitForKill, int* ready)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        work();
        if (write(pipeFds[1], "x", 1) != 1)
            _exit(1);
        if (waitForKill)
            for (;;)
                pause();
        raise(SIGKILL);
        _exit(0);
    }
    close(pipeFds[1]);
    char byte;
    const bool worked = read(pipeFds[0], &byte, 1) == 1;
    close(pipeFds[0]);
    if (ready)
        *ready = worked;
    return pid;
}
}  // namespace

TEST(Autosave, TheIntervalIsSixtySecondsUnlessThePositiveNumberOfTheVariableSaysOtherwise)
{
    EXPECT_EQ(DEFAULT_AUTOSAVE_SECONDS, 60);
    EXPECT_EQ(autosaveSeconds(nullptr), 60);
    EXPECT_EQ(autosaveSeconds(""), 60);
    EXPECT_EQ(autosaveSeconds("2.5"), 2.5);
    EXPECT_EQ(autosaveSeconds("600"), 600);
    for (const char* refused : {"0", "-3", "abc", "5s", "inf", "nan", " "})
        EXPECT_EQ(autosaveSeconds(refused), 60) << refused;
}

TEST(Autosave, FolderFollowsXdgStateHomeAndFallsBackToTheHomeFolder)
{
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv state("XDG_STATE_HOME", "/var/tmp/state");
        EXPECT_EQ(autosaveFolder(), "/var/tmp/state/korvith");
    }
    for (const char* unusable : {"", "relative/state"}) {
        ScopedEnv state("XDG_STATE_HOME", unusable);
        EXPECT_EQ(autosaveFolder(), "/home/someone/.local/state/korvith") << unusable;
    }
    ScopedEnv state("XDG_STATE_HOME", nullptr);
    EXPECT_EQ(autosaveFolder(), "/home/someone/.local/state/korvith");
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(recentFilesPath(), "/home/someone/.config/korvith/recent-files");
}

// A window's own autosave is never offered while it lives, not even to a
// second start in the same moment; once its process is killed, the next start
// finds it, restores the very surface, and the files go.
TEST_F(UserFolders, AKilledProcessesAutosaveIsOfferedOnceAndRestoresItsSurfaceExactly)
{
    ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/torio.kor", false));
    const std::string document(g_documentPath.utf8_str());
    growRing();
    const std::string grown = surfaceFileText(17);
    ASSERT_GT(NOS, 100);

    int ready = 0;
    const pid_t living = childThat(
        [] {
            std::string error;
            if (!writeAutosave(&error))
                _exit(2);
        },
        true, &ready);
    ASSERT_TRUE(ready);
    EXPECT_TRUE(claimLeftAutosaves().empty()) << "a window that is still open keeps its autosave";
    kill(living, SIGKILL);
    waitpid(living, nullptr, 0);

    std::vector<FoundAutosave> found = claimLeftAutosaves();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].surfacePath, autosaveFolder() + "/autosave-" + std::to_string(living) + ".kor");
    EXPECT_EQ(found[0].documentPath, document);
    EXPECT_LE(std::abs(std::time(nullptr) - found[0].savedAt), 5);
    EXPECT_TRUE(claimLeftAutosaves().empty()) << "a second start at the same moment does not offer it too";

    // Restoring: the grown surface, as unsaved changes to the file it came from.
    resetStore();
    initializeSurfaceStore();
    ASSERT_EQ(NOS, 7);
    ASSERT_TRUE(restoreAutosave(found[0]));
    EXPECT_EQ(surfaceFileText(17), grown);
    EXPECT_EQ(g_Filename, "torio.kor");
    EXPECT_EQ(std::string(g_documentPath.utf8_str()), document);
    EXPECT_TRUE(surfaceChanged());
    dropAutosave(found[0]);
    EXPECT_FALSE(exists(found[0].surfacePath));
    EXPECT_FALSE(exists(found[0].lockPath));
    EXPECT_TRUE(claimLeftAutosaves().empty());
}

TEST_F(UserFolders, OwnAutosaveIsReplacedWholeAndRemovedWithItsLock)
{
    initializeSurfaceStore();
    std::string error;
    ASSERT_TRUE(writeAutosave(&error)) << error;
    struct stat folder;
    ASSERT_EQ(stat(autosaveFolder().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u) << "private to the user";
    EXPECT_TRUE(claimLeftAutosaves().empty()) << "its own is never offered to this process";
    growRing();
    ASSERT_TRUE(writeAutosave(&error)) << error;
    std::ifstream in(ownAutosavePath());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, surfaceFileText(17));
    // A surface the reader would refuse is not written over the last good copy.
    v[0].x = std::nan("");
    EXPECT_FALSE(writeAutosave(&error));
    std::ifstream again(ownAutosavePath());
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()), text);
    removeAutosave();
    EXPECT_FALSE(exists(ownAutosavePath()));
    EXPECT_FALSE(exists(autosaveFolder() + "/autosave-" + std::to_string(getpid()) + ".lock"));
    EXPECT_EQ(g_autosaveLock, -1);
}

// Process ids come round again: an autosave left under this process's id is
// not written over by this process's own.
TEST_F(UserFolders, AnAutosaveLeftUnderTheSameProcessIdIsKeptAside)
{
    std::string error;
    initializeSurfaceStore();
    ASSERT_TRUE(writeAutosave(&error)) << error;  // makes the folder
    removeAutosave();
    const std::string stem = autosaveFolder() + "/autosave-" + std::to_string(getpid());
    std::ofstream(stem + ".kor") << kSingleCellFile;
    std::ofstream(stem + ".lock") << "/home/someone/cell.kor";
    growRing();
    ASSERT_TRUE(writeAutosave(&error)) << error;
    std::vector<FoundAutosave> found = claimLeftAutosaves();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].surfacePath, ownAutosavePath());
    EXPECT_EQ(found[0].documentPath, "/home/someone/cell.kor");
    std::ifstream in(found[0].surfacePath);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), kSingleCellFile);
    std::ifstream own(ownAutosavePath());
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(own)), std::istreambuf_iterator<char>()), surfaceFileText(17));
    releaseAutosave(found[0]);
}

TEST(Autosave, TheQuestionGivesTheTimeAndTheDateOnlyWhenItIsNotToday)
{
    FoundAutosave found;
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 10;
    when.tm_hour = 14;
    when.tm_min = 32;
    when.tm_isdst = -1;
    found.savedAt = std::mktime(&when);
    EXPECT_EQ(restoreQuestion(found, found.savedAt + 3600), "Restore the surface from 14:32?\nIt was never saved to a file.");
    found.documentPath = "/home/someone/disc.kor";
    EXPECT_EQ(restoreQuestion(found, found.savedAt + 2 * 86400),
              "Restore the surface from 2026-12-10 14:32?\nIts changes to \"/home/someone/disc.kor\" were not saved.");
}

TEST_F(UserFolders, RecentFilesKeepTheLastEightNewestFirstWithoutRepeats)
{
    EXPECT_TRUE(readRecentFiles().empty());
    for (int k = 0; k < 10; ++k)
        ASSERT_TRUE(rememberRecentFile(wxString::Format("/surfaces/s%d.kor", k)));
    std::vector<wxString> list = readRecentFiles();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], "/surfaces/s9.kor");
    EXPECT_EQ(list[7], "/surfaces/s2.kor");
    rememberRecentFile("/surfaces/s5.kor");
    list = readRecentFiles();
    ASSERT_EQ(list.size(), 8u) << "an old entry moves up, it is not listed twice";
    EXPECT_EQ(list[0], "/surfaces/s5.kor");
    EXPECT_EQ(list[1], "/surfaces/s9.kor");
    ASSERT_TRUE(forgetRecentFile("/surfaces/s9.kor"));
    EXPECT_EQ(readRecentFiles()[1], "/surfaces/s8.kor");
    // A name with a line end would break the list into two wrong names.
    rememberRecentFile("/surfaces/two\nlines.kor");
    EXPECT_EQ(readRecentFiles()[0], "/surfaces/s5.kor");
    // Names in any bytes come back as they went in.
    const wxString odd = pathFromBytes("/surfaces/caf\xe9 \xc3\xa9.kor");
    rememberRecentFile(odd);
    EXPECT_EQ(readRecentFiles()[0], odd);
    // Written by hand, with blank lines and a repeat.
    std::ofstream(recentFilesPath()) << "/a.kor\n\n/b.kor\n/a.kor\n";
    list = readRecentFiles();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], "/b.kor");
}
