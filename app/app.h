// The application object.
#pragma once

#include <wx/app.h>

class MyApp : public wxApp {
public:
    // Start-up: creates and shows the main window "Korvith" at (50, 50), 640 x 480,
    // then initialises the surface store. Returns false (after logging
    // "Initialization Error. ") when the store cannot be initialised.
    bool OnInit() override;
    // Calls DeleteData and returns 0.
    int OnExit() override;
    // Allocates the surface arrays, reads the start-up sample and creates the
    // printer settings (g_printData). Returns true.
    bool Initialize();
    // Releases nothing: the arrays live until the process ends.
    void DeleteData();
};

wxDECLARE_APP(MyApp);
