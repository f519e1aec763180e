// The window program's command line: `korvith [FILE]`, `korvith --version`,
// `korvith --help`. Reads and writes no process-wide variable.
#pragma once

#include <string>
#include <vector>

// What the command line asks for.
struct StartRequest {
    enum What { Run, Version, Help, Error };
    What what = Run;
    std::string file;     // Run: the surface file to open after the start-up cell, absolute; or empty
    std::string problem;  // Error: what was wrong, in one line
};

// Reads the arguments after the program name. "--version" or "--help" ("-h")
// anywhere before a "--" wins; an unknown option or more than one file is an
// Error; "--" ends the options, so a file may start with '-'. A relative file
// is made absolute against the working directory, as a file dialog gives it.
StartRequest parseStartArguments(const std::vector<std::string>& args);

// The version line of both programs: "<program> <version>".
std::string versionLine(const std::string& program);

// The help text of `korvith --help`.
const char* windowProgramUsage();
