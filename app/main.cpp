// The program's entry point: answers --version and --help, refuses a malformed
// command line, and otherwise lets the toolkit create MyApp and run its event
// loop (MyApp opens the file named on the command line).
#include <clocale>
#include <cstdio>

#include "app/app.h"
#include "io/command_line.h"

wxIMPLEMENT_APP_NO_MAIN(MyApp);

int main(int argc, char** argv)
{
    // The user's character set for names and text; numbers are read and
    // written in the C locale whatever this says.
    std::setlocale(LC_CTYPE, "");
    // Before the toolkit starts, so that these work without a display.
    const StartRequest request = parseStartArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.what) {
    case StartRequest::Version:
        std::printf("%s\n", versionLine("korvith").c_str());
        return 0;
    case StartRequest::Help:
        std::printf("%s", windowProgramUsage());
        return 0;
    case StartRequest::Error:
        std::fprintf(stderr, "korvith: %s; try korvith --help\n", request.problem.c_str());
        return 2;
    case StartRequest::Run:
        break;
    }
    MyApp::rawArguments.assign(argv + 1, argv + argc);
    return wxEntry(argc, argv);
}
