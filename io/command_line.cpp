#include "io/command_line.h"

#include "io/file_names.h"

#include <wx/filename.h>

#ifndef KORVITH_VERSION
#define KORVITH_VERSION "unknown"
#endif

StartRequest parseStartArguments(const std::vector<std::string>& args)
{
    StartRequest request;
    std::vector<std::string> files;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--version") {
            request.what = StartRequest::Version;
            return request;
        } else if (options && (arg == "--help" || arg == "-h")) {
            request.what = StartRequest::Help;
            return request;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            if (request.problem.empty())
                request.problem = "unknown option \"" + arg + "\"";
        } else {
            files.push_back(arg);
        }
    }
    if (request.problem.empty() && files.size() > 1)
        request.problem = "more than one file given (\"" + files[0] + "\", \"" + files[1] + "\")";
    if (!request.problem.empty()) {
        request.what = StartRequest::Error;
        return request;
    }
    if (!files.empty()) {
        // Any bytes: a name need not be UTF-8 whatever the locale says.
        wxFileName path(pathFromBytes(files[0]));
        path.MakeAbsolute();
        request.file = pathBytes(path.GetFullPath());
    }
    return request;
}

std::string versionLine(const std::string& program)
{
    return program + " " KORVITH_VERSION;
}

const char* windowProgramUsage()
{
    return "Usage: korvith [FILE]\n"
           "Builds and shows polyhedral surfaces of negative curvature.\n"
           "\n"
           "  FILE       a surface file (.kor) to open after the start-up cell, as File > Open does\n"
           "  --version  print the version and exit\n"
           "  --help     print this help and exit\n"
           "\n"
           "Everything else is done with the mouse and the menus; see the manual page korvith(1).\n";
}
