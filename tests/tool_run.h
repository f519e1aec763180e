// Running korvith-tool (or any shell command) from a test, capturing its
// output, error text and exit status.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A folder of this run's own for the files the tests write, removed at exit,
// so that runs side by side never share a file.
inline const std::string& privateDir()
{
    static const struct Folder {
        std::string path;
        Folder()
        {
            char name[] = "/tmp/korvith-tool-test-XXXXXX";
            path = mkdtemp(name) ? name : "";
        }
        ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    } folder;
    return folder.path;
}

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs a shell command, capturing its stdout and stderr.
inline ToolRun shell(const std::string& line)
{
    const std::string errFile = privateDir() + "/stderr";
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

