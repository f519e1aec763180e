#include "io/writer.h"

#include "io/file_names.h"

#include <cerrno>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>

#include "io/c_locale.h"
#include "model/store.h"

namespace {
// printf-style formatting in the "C" locale.
class Formatter {
public:
    explicit Formatter(int digits = 6) : digits_(digits), previous_(uselocale(cLocale())) {}
    ~Formatter() { uselocale(previous_); }
    void integer(int n) { append("%d", n); }
    void number(double x) { append("%.*g", digits_, x); }
    void text(const char* s) { out += s; }
    void text(const std::string& s) { out += s; }
    std::string out;

private:
    template <typename... T>
    void append(const char* format, T... values)
    {
        char buffer[64];
        const int n = std::snprintf(buffer, sizeof buffer, format, values...);
        out.append(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    }
    int digits_;  // significant digits of coordinates and target lengths
    locale_t previous_;
};
}  // namespace

namespace {
// The vertex, edge and face records: the count, then one record each, every
// one followed by `end` ("\n" in the surface file, ":" in the header export).
void vertexRecords(Formatter& f, const char* end)
{
    f.integer(NOV);
    f.text(end);
    for (int i = 0; i < NOV; ++i) {
        f.number(v[i].x);
        f.text(",");
        f.number(v[i].y);
        f.text(",");
        f.number(v[i].z);
        f.text(end);
    }
}

void edgeRecords(Formatter& f, const char* end)
{
    f.integer(NOE);
    f.text(end);
    for (int e = 0; e < NOE; ++e) {
        f.integer(edge[e][0]);
        f.text(",");
        f.integer(edge[e][1]);
        f.text(",");
        f.number(phi[e]);
        f.text(end);
    }
}

void faceRecords(Formatter& f, const char* end)
{
    f.integer(NOS);
    f.text(end);
    for (int s = 0; s < NOS; ++s) {
        f.integer(face[s][0]);
        f.text(",");
        f.integer(face[s][1]);
        f.text(",");
        f.integer(face[s][2]);
        f.text(end);
    }
}
}  // namespace

std::string surfaceFileText(int digits)
{
    Formatter f(digits);
    f.text("##korvith01\n##vertex\n");
    vertexRecords(f, "\n");
    f.text("##edge\n");
    edgeRecords(f, "\n");
    f.text("##face\n");
    faceRecords(f, "\n");
    f.text("##subdiv_level\n");
    f.integer(subdiv_level);
    f.text("\n##end\n");
    return f.out;
}

std::string headerExportText(const wxString& prefix)
{
    const std::string name(prefix.utf8_str());
    Formatter f;
    f.text("char *" + name + "_v=\"");
    vertexRecords(f, ":");
    f.text("\";\nchar *" + name + "_e=\"");
    edgeRecords(f, ":");
    f.text("\";\nchar *" + name + "_f=\"");
    faceRecords(f, ":");
    f.text("\";\n");
    return f.out;
}

wxString cIdentifier(const wxString& name)
{
    wxString id;
    for (wxUniChar c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        id += ok ? c : wxUniChar('_');
    }
    if (!id.empty() && id[0] >= '0' && id[0] <= '9')
        id = "d" + id;
    return id;
}

wxString takeSaveChoice(const wxString& chosenPath, SaveKind kind)
{
    const wxString extension = kind == SaveKind::Surface ? ".kor" : ".h";
    g_Filename = wxFileName(chosenPath).GetFullName();
    g_Name = g_Filename;
    if (g_Filename.Find(extension) != wxNOT_FOUND)
        g_Name = g_Filename.Left(g_Filename.length() - extension.length());
    g_Path = chosenPath;
    if (g_Path.Find(extension) == wxNOT_FOUND)
        g_Path += extension;
    return g_Path;
}

namespace {
// The file a path names: a symbolic link (or a chain of them) is followed to
// its target, which need not exist yet, so that saving onto a link replaces
// the file it points to and keeps the link. False after too many links.
bool followLinks(std::string* path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st;
        if (lstat(path->c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = readlink(path->c_str(), &target[0], target.size());
        if (n < 0)
            return false;
        if (static_cast<size_t>(n) >= target.size()) {
            errno = ENAMETOOLONG;
            return false;
        }
        target.resize(static_cast<size_t>(n));
        const std::string::size_type slash = path->rfind('/');
        if (target[0] != '/' && slash != std::string::npos)
            target = path->substr(0, slash + 1) + target;
        *path = target;
    }
    errno = ELOOP;
    return false;
}

// The mkstemp pattern of the temporary file beside `target`: the file's name
// with a suffix, shortened (at a character boundary) to fit the folder's
// limit on name length.
std::string temporaryPattern(const std::string& target)
{
    static const std::string suffix = ".saving-XXXXXX";
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string prefix = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    const size_t room = static_cast<size_t>(limit) > suffix.size() ? static_cast<size_t>(limit) - suffix.size() : 0;
    if (name.size() > room) {
        size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;  // not inside a UTF-8 character
        name.erase(cut);
    }
    return prefix + name + suffix;
}
}  // namespace

bool writeFileReplacing(const wxString& path, const std::string& text, wxString* error)
{
    // Past a file-size limit the system would end the program with SIGXFSZ;
    // ignored, the write fails with EFBIG like a full disk, and is handled so.
    static const bool sizeLimitFailsTheWrite = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)sizeLimitFailsTheWrite;
    std::string target = pathBytes(path);
    if (!followLinks(&target)) {
        *error = wxString::Format("cannot follow its symbolic link (%s)", std::strerror(errno));
        return false;
    }
    struct stat existing;
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        *error = "it is a folder";
        return false;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        // Replacing a pipe or a device with a file would lose it.
        *error = "it is not a regular file (a pipe, a device or a socket)";
        return false;
    }
    std::string temp = temporaryPattern(target);
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        *error = wxString::Format("cannot create a file in its folder (%s)", std::strerror(errno));
        return false;
    }
    auto fail = [&](const char* what) {
        *error = wxString::Format("%s (%s)", what, std::strerror(errno));
        close(fd);
        unlink(temp.c_str());
        return false;
    };
    mode_t mode;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0)
        return fail("cannot set its permissions");
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("the write failed");
        }
        written += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0)
        return fail("the write could not be completed");
    if (close(fd) != 0) {
        *error = wxString::Format("the write could not be completed (%s)", std::strerror(errno));
        unlink(temp.c_str());
        return false;
    }
    std::string reason;
    if (!moveIntoPlace(temp, target, &reason)) {
        *error = reason;
        return false;
    }
    return true;
}

bool moveIntoPlace(const std::string& finished, const std::string& path, std::string* error)
{
    std::string target = path;
    if (!followLinks(&target)) {
        *error = std::string("cannot follow its symbolic link (") + std::strerror(errno) + ")";
        unlink(finished.c_str());
        return false;
    }
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        *error = S_ISDIR(existing.st_mode) ? "it is a folder" : "it is not a regular file (a pipe, a device or a socket)";
        unlink(finished.c_str());
        return false;
    }
    if (rename(finished.c_str(), target.c_str()) == 0)
        return true;
    *error = std::string("cannot replace the file (") + std::strerror(errno) + ")";
    unlink(finished.c_str());
    return false;
}
