// Work that outlives a window: the autosave (in this process, and in a real
// program killed with SIGKILL or closed cleanly), Open recent, Revert, and
// the Help windows with the keys the menus really have.
#include <wx/accel.h>
#include <wx/filedlg.h>
#include <wx/menu.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/command_ids.h"
#include "app/frame.h"
#include "app/help_window.h"
#include "app/menu_table.h"
#include "app/prompts.h"
#include "io/autosave.h"
#include "io/recent_files.h"
#include "model/document.h"
#include "model/history.h"
#include "model/store.h"
#include "tests/window_harness.h"

extern char** environ;

namespace {
bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

struct Folder {
    Folder()
    {
        char name[] = "/tmp/korvith-session-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string path;
};

// Copies a sample into `folder` and returns the copy's path.
std::string copyOfSample(const std::string& folder, const std::string& sample, const std::string& name)
{
    const std::string path = folder + "/" + name;
    std::ifstream in("sample/" + sample, std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    out << in.rdbuf();
    return path;
}

// Replaces a prompt for the life of the object.
template <typename Prompt>
struct Answering {
    Answering(Prompt& prompt, Prompt answer) : prompt_(prompt), kept_(prompt) { prompt_ = std::move(answer); }
    ~Answering() { prompt_ = kept_; }
    Prompt& prompt_;
    Prompt kept_;
};

// Autosaves every `ms` for the life of the object, then as before.
struct AutosaveEvery {
    explicit AutosaveEvery(int ms) : kept(mainFrame()->autosaveTimer().GetInterval()) { mainFrame()->startAutosave(ms); }
    ~AutosaveEvery() { mainFrame()->startAutosave(kept); }
    int kept;
};

// This window's autosaves go to `folder` for the life of the object.
struct StateFolder {
    explicit StateFolder(const std::string& folder) : kept(std::getenv("XDG_STATE_HOME"))
    {
        removeAutosave();
        setenv("XDG_STATE_HOME", folder.c_str(), 1);
    }
    ~StateFolder()
    {
        removeAutosave();
        setenv("XDG_STATE_HOME", kept.c_str(), 1);
    }
    std::string kept;
};

// The window program itself, started with its own state and config folders
// and an autosave every 0.2 s.
class Program {
public:
    explicit Program(const std::string& folder)
    {
        std::vector<std::string> env = {"XDG_STATE_HOME=" + folder + "/state",
                                        "XDG_CONFIG_HOME=" + folder + "/config",
                                        std::string(AUTOSAVE_SECONDS_VARIABLE) + "=0.2"};
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("XDG_STATE_HOME=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0 &&
                entry.rfind(AUTOSAVE_SECONDS_VARIABLE, 0) != 0)
                env.push_back(entry);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(&entry[0]);
        envp.push_back(nullptr);
        std::string program = KORVITH_PROGRAM;
        char* argv[] = {&program[0], nullptr};
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
            pid = -1;
    }
    ~Program()
    {
        if (pid > 0 && !ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // The X ids of its windows shown now whose names match `pattern`.
    std::vector<std::string> windowsShown(const std::string& pattern) const
    {
        std::vector<std::string> ids;
        FILE* out = popen(("xdotool search --all --onlyvisible --pid " + std::to_string(pid) + " --name '" + pattern +
                           "' 2>/dev/null")
                              .c_str(),
                          "r");
        char line[64] = {0};
        while (out && std::fgets(line, sizeof line, out))
            ids.emplace_back(line, std::strlen(line) - 1);
        if (out)
            pclose(out);
        return ids;
    }
    // Its main window's X id, once it shows; empty after 10 s without.
    std::string window()
    {
        std::vector<std::string> ids;
        pumpEventsUntil([&] { return !(ids = windowsShown("^Korvith$")).empty(); }, 10000);
        return ids.empty() ? std::string() : ids[0];
    }
    // Gives its window the keyboard and presses `keys`.
    bool press(const std::string& window, const std::string& keys)
    {
        // Keys go to the window under the pointer on a bare X server.
        const bool sent = std::system(("xdotool windowraise " + window + " mousemove --window " + window +
                                       " 300 200 windowfocus " + window + " sleep 0.3 key --delay 40 " + keys)
                                          .c_str()) == 0;
        pumpEvents(200);
        return sent;
    }
    // Its exit status once it has ended within `ms`; -1 when it runs on.
    int exitStatus(int ms)
    {
        for (int waited = 0; waited <= ms; waited += 50) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                ended = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            pumpEvents(50);
        }
        return -1;
    }
    void killHard()
    {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        ended = true;
    }
    std::string autosave(const std::string& folder) const
    {
        return folder + "/state/korvith/autosave-" + std::to_string(pid) + ".kor";
    }
    pid_t pid = -1;
    bool ended = false;
};
}  // namespace

TEST(Session, TheWindowAutosavesEverySixtySecondsUnlessTheVariableSaysOtherwise)
{
    // The harness starts the window with the variable unset.
    EXPECT_EQ(mainFrame()->autosaveTimer().GetInterval(), 60000);
    EXPECT_TRUE(mainFrame()->autosaveTimer().IsRunning());
}

TEST(Session, AnAutosaveIsWrittenOnlyWhileThereAreUnsavedChangesAndGoesWithTheSave)
{
    AutosaveEvery fast(100);
    const std::string own = ownAutosavePath();
    pumpEvents(400);
    EXPECT_FALSE(exists(own)) << "nothing unsaved, nothing kept";
    sendCommand(ID_GROW_RING);
    sendCommand(ID_RELAX_PRECISELY);  // the surface holds still from here on
    ASSERT_FALSE(g_relax_precisely);
    ASSERT_TRUE(pumpEventsUntil([&] { return exists(own); }, 2000)) << "unsaved changes are kept after the interval";
    pumpEvents(300);
    {
        std::ifstream in(own);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(text, surfaceFileText(17)) << "the surface as it stands, every digit";
    }
    // Saving removes it at once.
    Folder folder;
    const std::string path = folder.path + "/grown.kor";
    Answering<FilePrompt> file(filePrompt(), [&](wxWindow*, const wxString&, const wxString&, const wxString&, long) {
        return wxString(path);
    });
    sendCommand(ID_SAVE);
    EXPECT_TRUE(exists(path));
    EXPECT_FALSE(exists(own));
    pumpEvents(300);
    EXPECT_FALSE(exists(own)) << "saved: nothing to keep";
}

// The real program: killed, its work comes back at the next start; closed
// cleanly, it leaves nothing behind.
TEST(Session, AKilledWindowsWorkIsOfferedAtTheNextStartAndACleanExitLeavesNothing)
{
    Folder folder;
    {
        Program killed(folder.path);
        ASSERT_GT(killed.pid, 0);
        const std::string window = killed.window();
        ASSERT_FALSE(window.empty()) << "the program's window did not show";
        ASSERT_TRUE(killed.press(window, "ctrl+g"));  // Grow one ring: 8 cells, 56 faces
        ASSERT_TRUE(pumpEventsUntil([&] { return exists(killed.autosave(folder.path)); }, 5000))
            << "no autosave after the interval";

        // This window's start-up looks at the same folder: the other window's
        // autosave is not offered while it is open.
        StateFolder same(folder.path + "/state");
        std::vector<wxString> asked;
        Answering<RestorePrompt> restore(restorePrompt(), [&](wxWindow*, const wxString& message) {
            asked.push_back(message);
            return static_cast<int>(wxID_YES);
        });
        mainFrame()->offerLeftAutosaves();
        EXPECT_TRUE(asked.empty()) << "another open window's autosave";

        killed.killHard();
        mainFrame()->offerLeftAutosaves();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].StartsWith("Restore the surface from ")) << asked[0];
        EXPECT_TRUE(asked[0].length() > 31 && asked[0][27] == ':' && asked[0][30] == '?') << "a time of day: " << asked[0];
        EXPECT_EQ(NOS, 56) << "the killed window's grown ring came back";
        EXPECT_TRUE(surfaceChanged()) << "restored work is unsaved work";
        EXPECT_FALSE(exists(killed.autosave(folder.path))) << "taken over by this window";
        EXPECT_TRUE(exists(ownAutosavePath())) << "and kept again as this window's own";
        mainFrame()->offerLeftAutosaves();
        EXPECT_EQ(asked.size(), 1u) << "offered once";
    }
    {
        Program closed(folder.path);
        const std::string window = closed.window();
        ASSERT_FALSE(window.empty());
        ASSERT_TRUE(closed.press(window, "ctrl+g"));
        ASSERT_TRUE(pumpEventsUntil([&] { return exists(closed.autosave(folder.path)); }, 5000));
        // Exit asks about the changes; Discard (Alt-D) closes the window.
        const std::size_t shown = closed.windowsShown(".").size();
        ASSERT_TRUE(closed.press(window, "alt+x"));
        EXPECT_TRUE(pumpEventsUntil([&] { return closed.windowsShown(".").size() > shown; }, 5000)) << "the question";
        pumpEvents(200);  // it takes the keyboard once it is drawn
        std::system("xdotool key alt+d");
        EXPECT_EQ(closed.exitStatus(5000), 0);
        EXPECT_FALSE(exists(closed.autosave(folder.path)));
        StateFolder same(folder.path + "/state");
        std::vector<wxString> asked;
        Answering<RestorePrompt> restore(restorePrompt(), [&](wxWindow*, const wxString& message) {
            asked.push_back(message);
            return static_cast<int>(wxID_YES);
        });
        mainFrame()->offerLeftAutosaves();
        EXPECT_TRUE(asked.empty()) << "a clean exit leaves nothing to offer";
    }
}

TEST(Session, OpenRecentListsOpenedFilesOpensThemAndDropsOnesThatAreGone)
{
    std::remove(recentFilesPath().c_str());
    mainFrame()->fillRecentMenu();
    EXPECT_FALSE(mainFrame()->recentMenu()->FindItemByPosition(0)->IsEnabled()) << "an empty list says so";
    Folder folder;
    const std::string torio = copyOfSample(folder.path, "torio.kor", "torio.kor");
    const std::string single = copyOfSample(folder.path, "single.kor", "one cell.kor");
    std::vector<std::string> answers = {torio, single};
    Answering<FilePrompt> file(filePrompt(), [&](wxWindow*, const wxString&, const wxString&, const wxString&, long) {
        const std::string next = answers.front();
        answers.erase(answers.begin());
        return wxString(next);
    });
    sendCommand(ID_OPEN);
    sendCommand(ID_OPEN);
    ASSERT_EQ(NOV, 8);
    wxMenu* recent = mainFrame()->recentMenu();
    ASSERT_NE(recent->FindItem(ID_RECENT_FIRST), nullptr);
    EXPECT_EQ(recent->FindItem(ID_RECENT_FIRST)->GetItemLabel(), "&1 " + single);
    EXPECT_EQ(recent->FindItem(ID_RECENT_FIRST + 1)->GetItemLabel(), "&2 " + torio);

    // Chosen with unsaved changes: the question first, and Cancel keeps them.
    sendCommand(ID_GROW_RING);
    std::vector<wxString> asked;
    {
        Answering<SavePrompt> cancel(savePrompt(), [&](wxWindow*, const wxString& message) {
            asked.push_back(message);
            return static_cast<int>(wxID_CANCEL);
        });
        sendCommand(ID_RECENT_FIRST + 1);
    }
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Save changes to one cell.kor?");
    EXPECT_EQ(NOS, 56);
    sendCommand(ID_RECENT_FIRST + 1);  // the harness discards
    EXPECT_EQ(NOV, 19) << "torio";
    EXPECT_EQ(g_Filename, "torio.kor");
    EXPECT_EQ(recent->FindItem(ID_RECENT_FIRST)->GetItemLabel(), "&1 " + torio) << "the newest first";

    // A file that is gone: a message, off the list, the surface stays.
    std::remove(single.c_str());
    std::vector<wxString> told;
    Answering<NoticePrompt> notice(noticePrompt(), [&](wxWindow*, const wxString& message, const wxString&) {
        told.push_back(message);
    });
    sendCommand(ID_RECENT_FIRST + 1);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Contains("one cell.kor\" is no longer there")) << told[0];
    EXPECT_EQ(NOV, 19);
    EXPECT_EQ(readRecentFiles().size(), 1u);
    EXPECT_EQ(recent->FindItem(ID_RECENT_FIRST + 1), nullptr);
    std::remove(recentFilesPath().c_str());
    mainFrame()->fillRecentMenu();
}

TEST(Session, RevertReadsTheFileAgainAfterTheQuestionAndNeedsAFile)
{
    std::vector<wxString> told;
    Answering<NoticePrompt> notice(noticePrompt(), [&](wxWindow*, const wxString& message, const wxString&) {
        told.push_back(message);
    });
    sendCommand(ID_GROW_RING);
    sendCommand(ID_REVERT);
    ASSERT_EQ(told.size(), 1u) << "the start-up cell has no file";
    EXPECT_TRUE(told[0].StartsWith("There is no file to revert to")) << told[0];
    EXPECT_EQ(NOS, 56);
    wxUpdateUIEvent update(ID_REVERT);
    mainFrame()->OnUpdateRevert(update);
    EXPECT_FALSE(update.GetEnabled()) << "the item is greyed out without a file";

    Folder folder;
    const std::string torio = copyOfSample(folder.path, "torio.kor", "torio.kor");
    Answering<FilePrompt> file(filePrompt(), [&](wxWindow*, const wxString&, const wxString&, const wxString&, long) {
        return wxString(torio);
    });
    sendCommand(ID_OPEN);
    ASSERT_EQ(NOV, 19);
    wxUpdateUIEvent again(ID_REVERT);
    mainFrame()->OnUpdateRevert(again);
    EXPECT_TRUE(again.GetEnabled());
    sendCommand(ID_GROW_RING);
    const int grown = NOS;
    std::vector<wxString> asked;
    {
        Answering<SavePrompt> cancel(savePrompt(), [&](wxWindow*, const wxString& message) {
            asked.push_back(message);
            return static_cast<int>(wxID_CANCEL);
        });
        sendCommand(ID_REVERT);
        EXPECT_EQ(NOS, grown) << "Cancel keeps the changes";
    }
    EXPECT_EQ(asked.size(), 1u);
    sendCommand(ID_REVERT);  // the harness discards
    EXPECT_EQ(NOV, 19);
    EXPECT_FALSE(surfaceChanged());
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOS, grown) << "Revert is one undo step";

    // Appending another file does not make it the file Revert reads.
    sendCommand(ID_REVERT);
    Answering<FilePrompt> append(filePrompt(), [&](wxWindow*, const wxString&, const wxString&, const wxString&, long) {
        return wxString("sample/single.kor");
    });
    sendCommand(ID_APPEND);
    EXPECT_EQ(NOV, 27);
    sendCommand(ID_REVERT);
    EXPECT_EQ(NOV, 19) << "the opened file, not the appended one";
    // A sample has no file to revert to.
    sendCommand(12);
    told.clear();
    sendCommand(ID_REVERT);
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(NOV, 8);
}

TEST(Session, TheSaveDialogStartsInTheFolderOfTheFileOpened)
{
    Folder folder;
    const std::string torio = copyOfSample(folder.path, "torio.kor", "torio.kor");
    std::vector<wxString> defaults;
    Answering<FilePrompt> file(filePrompt(), [&](wxWindow*, const wxString&, const wxString& name, const wxString&,
                                                 long style) {
        defaults.push_back(name);
        return style == wxFD_OPEN ? wxString(torio) : wxString();
    });
    sendCommand(ID_OPEN);
    EXPECT_EQ(promptFolder(), folder.path);
    sendCommand(ID_SAVE);
    ASSERT_EQ(defaults.size(), 2u);
    EXPECT_EQ(defaults[1], "torio");
}

namespace {
// Every item of `menu` and its submenus.
void collectItems(wxMenu* menu, std::vector<wxMenuItem*>* items)
{
    for (wxMenuItem* item : menu->GetMenuItems()) {
        items->push_back(item);
        if (item->GetSubMenu())
            collectItems(item->GetSubMenu(), items);
    }
}
}  // namespace

// The key list comes from the table the menus are built from; checked here
// against the menus as the toolkit holds them.
TEST(Session, KeyboardAndMouseListsEveryKeyOfTheMenusAndTheGestures)
{
    sendCommand(ID_HELP_KEYS);
    HelpWindow* keys = mainFrame()->helpWindow(ID_HELP_KEYS);
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->IsShown());
    const wxString text = keys->text();
    std::vector<wxMenuItem*> items;
    wxMenuBar* bar = mainFrame()->GetMenuBar();
    for (size_t m = 0; m < bar->GetMenuCount(); ++m)
        collectItems(bar->GetMenu(m), &items);
    int withKeys = 0;
    for (wxMenuItem* item : items) {
        const wxString label = item->GetItemLabel();
        if (!label.Contains("\t"))
            continue;
        ++withKeys;
        wxAcceleratorEntry wanted;
        ASSERT_TRUE(wanted.FromString(label)) << label;
        const wxString name = wxMenuItem::GetLabelText(label.BeforeFirst('\t')).Trim();
        bool listed = false;
        wxArrayString lines = wxSplit(text, '\n');
        for (const wxString& line : lines) {
            if (!line.EndsWith(" > " + name))
                continue;
            wxAcceleratorEntry shown;
            if (shown.FromString("x\t" + line.BeforeFirst(' ')) && shown.GetKeyCode() == wanted.GetKeyCode() &&
                shown.GetFlags() == wanted.GetFlags())
                listed = true;
        }
        EXPECT_TRUE(listed) << "not listed: " << label;
    }
    EXPECT_GE(withKeys, 35);
    for (const char* gesture : {"Ctrl + wheel", "Shift + double click", "Double click", "Right drag", "Arrow keys"})
        EXPECT_TRUE(text.Contains(gesture)) << gesture;

    // Shown again, not a second time; closing only hides it.
    pumpEvents(300);  // the toolkit shows a new window once it knows its size
    keys->Close();
    pumpEvents(50);
    EXPECT_FALSE(keys->IsShown());
    sendCommand(ID_HELP_KEYS);
    EXPECT_EQ(mainFrame()->helpWindow(ID_HELP_KEYS), keys);
    EXPECT_TRUE(keys->IsShown());
    keys->Hide();
}

TEST(Session, TheMenusAreTheTableAndTheGuideNamesTheirKeys)
{
    wxMenuBar* bar = mainFrame()->GetMenuBar();
    for (const MenuRow& row : menuTable()) {
        if (row.kind == MenuKind::Separator || row.id == 0)
            continue;
        wxMenuItem* item = bar->FindItem(row.id);
        ASSERT_NE(item, nullptr) << row.label;
        EXPECT_EQ(item->GetItemLabel(), wxString::FromUTF8(row.label));
        EXPECT_EQ(item->GetHelp(), wxString::FromUTF8(row.help)) << row.label;
        EXPECT_EQ(item->IsCheckable(), row.kind == MenuKind::Check) << row.label;
    }
    EXPECT_EQ(bar->GetMenuLabel(bar->GetMenuCount() - 1), "&Help");

    sendCommand(ID_HELP_GETTING_STARTED);
    HelpWindow* guide = mainFrame()->helpWindow(ID_HELP_GETTING_STARTED);
    ASSERT_NE(guide, nullptr);
    const wxString text = guide->text();
    for (const char* part : {"Edit > Grow one ring (Ctrl-G)", "double click", "Edit > Paste all possible edges (Ctrl-Y)",
                             "Sway > Relax precisely (Ctrl-Shift-R)", "File > Export", "Help > Keyboard and mouse"})
        EXPECT_TRUE(text.Contains(part)) << part;
    guide->Hide();
}
