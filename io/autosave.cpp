#include "io/autosave.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>

#include "io/file_names.h"
#include "io/open_commands.h"
#include "io/writer.h"
#include "model/finite_positions.h"
#include "model/store.h"

namespace {
const char* const PREFIX = "autosave-";

std::string folderPath(const std::string& name)
{
    return autosaveFolder() + "/" + name;
}

std::string ownStem()
{
    return folderPath(PREFIX + std::to_string(static_cast<long>(getpid())));
}

bool makeFolder(const std::string& folder, std::string* error)
{
    // Every missing folder on the way, private to the user.
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/')
            continue;
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = "cannot create the folder " + part + " (" + std::strerror(errno) + ")";
            return false;
        }
    }
    return true;
}

// Opens and locks `path` without waiting; the descriptor, or -1 when another
// process holds it (or it cannot be opened).
int lockFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    // Locked, but perhaps a file another process removed meanwhile.
    struct stat held, named;
    if (fstat(fd, &held) != 0 || stat(path.c_str(), &named) != 0 || held.st_ino != named.st_ino ||
        held.st_dev != named.st_dev) {
        close(fd);
        return -1;
    }
    return fd;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    off_t at = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, at);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
    return text;
}

bool readFile(const std::string& path, std::string* text)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    *text = readAll(fd);
    close(fd);
    return true;
}
// An autosave under this process's name before this process wrote one was
// left by an earlier process with the same id (ids are reused): it moves to a
// name of its own, with the file it came from, and stays to be offered.
void keepEarlierAutosave(int ownLock)
{
    struct stat info;
    if (stat(ownAutosavePath().c_str(), &info) != 0)
        return;
    const std::string stem = ownStem() + "-" + std::to_string(static_cast<long long>(info.st_mtime));
    const int lock = open((stem + ".lock").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (lock < 0)
        return;
    const std::string document = readAll(ownLock);
    const bool written = write(lock, document.data(), document.size()) == static_cast<ssize_t>(document.size());
    close(lock);
    if (!written || rename(ownAutosavePath().c_str(), (stem + ".kor").c_str()) != 0)
        unlink((stem + ".lock").c_str());
}
}  // namespace

double autosaveSeconds(const char* text)
{
    if (!text || !*text)
        return DEFAULT_AUTOSAVE_SECONDS;
    char* end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (*end != '\0' || !std::isfinite(seconds) || seconds <= 0)
        return DEFAULT_AUTOSAVE_SECONDS;
    return seconds;
}

std::string autosaveFolder()
{
    return programFolder("XDG_STATE_HOME", ".local/state");
}

std::string ownAutosavePath()
{
    return ownStem() + ".kor";
}

bool writeAutosave(std::string* error)
{
    if (!makeFolder(autosaveFolder(), error))
        return false;
    if (g_autosaveLock < 0) {
        g_autosaveLock = lockFile(ownStem() + ".lock");
        if (g_autosaveLock < 0) {
            *error = "cannot lock " + ownStem() + ".lock (" + std::strerror(errno) + ")";
            return false;
        }
        keepEarlierAutosave(g_autosaveLock);
    }
    const std::string document = pathBytes(g_documentPath);
    if (ftruncate(g_autosaveLock, 0) != 0 ||
        pwrite(g_autosaveLock, document.data(), document.size(), 0) != static_cast<ssize_t>(document.size())) {
        *error = "cannot write " + ownStem() + ".lock (" + std::strerror(errno) + ")";
        return false;
    }
    if (!surfaceIsFinite()) {
        // The reader would refuse it; the last good autosave is kept.
        *error = "the surface has positions or target lengths that are not numbers";
        return false;
    }
    wxString reason;
    if (!writeFileReplacing(pathFromBytes(ownAutosavePath()), surfaceFileText(17), &reason)) {
        *error = std::string(reason.utf8_str());
        return false;
    }
    return true;
}

void removeAutosave()
{
    if (g_autosaveLock < 0)
        return;
    // The files go while the lock is held, so no other window takes them for left behind.
    unlink(ownAutosavePath().c_str());
    unlink((ownStem() + ".lock").c_str());
    close(g_autosaveLock);
    g_autosaveLock = -1;
}

std::vector<FoundAutosave> claimLeftAutosaves()
{
    std::vector<FoundAutosave> found;
    DIR* dir = opendir(autosaveFolder().c_str());
    if (!dir)
        return found;
    const std::string own = ownAutosavePath();
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const std::string ext = ".kor";
        if (name.compare(0, std::strlen(PREFIX), PREFIX) != 0 || name.size() <= std::strlen(PREFIX) + ext.size() ||
            name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
            continue;
        FoundAutosave left;
        left.surfacePath = folderPath(name);
        if (left.surfacePath == own && g_autosaveLock >= 0)
            continue;
        left.lockPath = left.surfacePath.substr(0, left.surfacePath.size() - ext.size()) + ".lock";
        left.lock = lockFile(left.lockPath);
        if (left.lock < 0)
            continue;  // its window is still open (or another start is offering it)
        struct stat info;
        if (stat(left.surfacePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            releaseAutosave(left);
            continue;
        }
        left.savedAt = info.st_mtime;
        left.documentPath = readAll(left.lock);
        found.push_back(left);
    }
    closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const FoundAutosave& a, const FoundAutosave& b) { return a.savedAt > b.savedAt; });
    return found;
}

std::string restoreQuestion(const FoundAutosave& found, std::time_t now)
{
    std::tm saved{}, today{};
    localtime_r(&found.savedAt, &saved);
    localtime_r(&now, &today);
    char when[64];
    if (saved.tm_year == today.tm_year && saved.tm_yday == today.tm_yday)
        std::strftime(when, sizeof when, "%H:%M", &saved);
    else
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &saved);
    std::string text = std::string("Restore the surface from ") + when + "?\n";
    if (found.documentPath.empty())
        text += "It was never saved to a file.";
    else
        text += "Its changes to " + std::string(quotedName(pathFromBytes(found.documentPath)).utf8_str()) +
                " were not saved.";
    return text;
}

bool restoreAutosave(const FoundAutosave& found)
{
    std::string bytes;
    if (!readFile(found.surfacePath, &bytes))
        return false;
    if (!openSurfaceBytes(pathFromBytes(found.surfacePath), bytes, false))
        return false;
    if (found.documentPath.empty()) {
        g_Filename = "untitled";
        g_Name.clear();
        g_Path.clear();
        g_documentPath.clear();
    } else {
        takeOpenedNames(pathFromBytes(found.documentPath));
        g_documentPath = g_Path;
    }
    g_savedFingerprint = 0;  // changed: this surface was never saved to its file
    return true;
}

void dropAutosave(FoundAutosave& found)
{
    unlink(found.surfacePath.c_str());
    unlink(found.lockPath.c_str());
    releaseAutosave(found);
}

void releaseAutosave(FoundAutosave& found)
{
    if (found.lock >= 0)
        close(found.lock);
    found.lock = -1;
}
