// The application object.
#pragma once

#include <wx/app.h>

#include <string>
#include <vector>

class MyApp : public wxApp {
public:
    // Start-up: creates and shows the main window "Korvith" at (50, 50), 640 x 480,
    // then initialises the surface store and opens the surface file named on
    // the command line (as File > Open does: one undo step, document names
    // set; a bad file is reported and the start-up cell stays). Returns false (after logging
    // "Initialization Error. ") when the store cannot be initialised.
    bool OnInit() override;
    // Opens the surface file named by the command-line arguments `args` (those
    // after the program name) as File > Open does, and repaints; does nothing
    // when they name no file.
    void openStartFile(const std::vector<std::string>& args);
    // Calls DeleteData and returns 0.
    int OnExit() override;
    // Allocates the surface arrays, reads the start-up sample and creates the
    // printer settings (g_printData). Returns true.
    bool Initialize();
    // Releases nothing: the arrays live until the process ends.
    void DeleteData();
    // The command line's arguments after the program name, as the bytes main()
    // was given (the toolkit's own copy is converted through the locale and
    // loses names that are not in its character set).
    static std::vector<std::string> rawArguments;
};

wxDECLARE_APP(MyApp);
