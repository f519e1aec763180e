#include "app/app.h"

#include <wx/bitmap.h>
#include <wx/cmndata.h>
#include <wx/log.h>

#include "app/frame.h"
#include "io/sample_loader.h"
#include "model/store.h"

bool MyApp::OnInit()
{
    // The off-screen picture every repaint draws into.
    if (!gs_bmpScreen)
        gs_bmpScreen = new wxBitmap(1600, 1200);
    MyFrame* frame = new MyFrame("Korvith", wxPoint(50, 50), wxSize(640, 480));
    frame->Show(true);
    SetTopWindow(frame);
    if (Initialize())
        return true;
    wxLogError("Initialization Error. ");
    DeleteData();
    return false;
}

int MyApp::OnExit()
{
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
