#include "io/recent_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "io/file_names.h"
#include "io/writer.h"

namespace {
std::string configFolder()
{
    return programFolder("XDG_CONFIG_HOME", ".config");
}

bool writeList(const std::vector<wxString>& list, std::string* error)
{
    const std::string folder = configFolder();
    for (std::size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/')
            continue;
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            if (error)
                *error = "cannot create the folder " + part + " (" + std::strerror(errno) + ")";
            return false;
        }
    }
    std::string text;
    for (const wxString& path : list)
        text += pathBytes(path) + "\n";
    wxString reason;
    if (!writeFileReplacing(pathFromBytes(recentFilesPath()), text, &reason)) {
        if (error)
            *error = std::string(reason.utf8_str());
        return false;
    }
    return true;
}
}  // namespace

std::string recentFilesPath()
{
    return configFolder() + "/recent-files";
}

std::vector<wxString> readRecentFiles()
{
    std::vector<wxString> list;
    std::ifstream in(recentFilesPath(), std::ios::binary);
    std::string line;
    while (std::getline(in, line) && static_cast<int>(list.size()) < RECENT_FILES_KEPT) {
        if (line.empty())
            continue;
        const wxString path = pathFromBytes(line);
        if (std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    return list;
}

bool rememberRecentFile(const wxString& path, std::string* error)
{
    const std::string bytes = pathBytes(path);
    if (bytes.empty() || bytes.find_first_of("\r\n") != std::string::npos)
        return true;  // a name the list cannot hold on one line is simply not listed
    std::vector<wxString> list = readRecentFiles();
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (static_cast<int>(list.size()) > RECENT_FILES_KEPT)
        list.resize(RECENT_FILES_KEPT);
    return writeList(list, error);
}

bool forgetRecentFile(const wxString& path)
{
    std::vector<wxString> list = readRecentFiles();
    const auto end = std::remove(list.begin(), list.end(), path);
    if (end == list.end())
        return true;
    list.erase(end, list.end());
    return writeList(list, nullptr);
}
