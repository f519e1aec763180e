// Running korvith-tool (or any shell command) from a test, capturing its
// output, error text and exit status.
#pragma once

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs a shell command, capturing its stdout and stderr.
inline ToolRun shell(const std::string& line)
{
    const std::string errFile = "/tmp/korvith-tool-test-stderr";
    const std::string command = line + " 2>" + errFile;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(errFile.c_str());
    return run;
}

// Runs korvith-tool with `args` (shell words).
inline ToolRun tool(const std::string& args)
{
    return shell(std::string(KORVITH_TOOL) + " " + args);
}

