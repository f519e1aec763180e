#include "app/app.h"

#include <wx/bitmap.h>
#include <wx/cmndata.h>
#include <wx/log.h>

#include "app/frame.h"
#include "io/autosave.h"
#include "io/command_line.h"
#include "io/file_names.h"
#include "io/open_commands.h"
#include "io/sample_loader.h"
#include "model/document.h"
#include "model/store.h"

std::vector<std::string> MyApp::rawArguments;

bool MyApp::OnInit()
{
    // The off-screen picture every repaint draws into.
    if (!gs_bmpScreen)
        gs_bmpScreen = new wxBitmap(1600, 1200);
    MyFrame* frame = new MyFrame("Korvith", wxPoint(50, 50), wxSize(640, 480));
    frame->Show(true);
    SetTopWindow(frame);
    if (Initialize()) {
        std::vector<std::string> args = rawArguments;
        if (args.empty())
            for (int k = 1; k < argc; ++k)
                args.push_back(std::string(argv[k].utf8_str()));
        openStartFile(args);
        // Once the window is up: work a crashed or killed window left behind.
        frame->CallAfter(&MyFrame::offerLeftAutosaves);
        return true;
    }
    wxLogError("Initialization Error. ");
    DeleteData();
    return false;
}

void MyApp::openStartFile(const std::vector<std::string>& args)
{
    const StartRequest request = parseStartArguments(args);
    if (request.file.empty())
        return;
    const wxString path = pathFromBytes(request.file);
    const bool opened = openSurfaceFile(path, false);
    if (MyFrame* frame = wxDynamicCast(GetTopWindow(), MyFrame)) {
        if (opened)
            frame->noteRecentFile(path);
        frame->Refresh(false, nullptr);
    }
}

int MyApp::OnExit()
{
    // A clean exit leaves no autosave behind; one kept because the window was
    // closed without a chance to ask stays for the next start.
    if (!surfaceChanged())
        removeAutosave();
    DeleteData();
    return 0;
}

bool MyApp::Initialize()
{
    initializeSurfaceStore();
    if (!g_printData)
        g_printData = new wxPrintData;
    return true;
}

void MyApp::DeleteData()
{
}
