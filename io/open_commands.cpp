#include "io/open_commands.h"

#include <wx/filename.h>

#include "geometry/relaxation.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/store.h"

bool openSurfaceFile(const wxString& chosenPath, bool append)
{
    g_Filename = wxFileName(chosenPath).GetFullName();
    g_Name = g_Filename;
    if (g_Filename.Find(".kor") != wxNOT_FOUND)
        g_Name = g_Filename.Left(g_Filename.length() - 4);
    g_Path = chosenPath;
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    subdiv_level = 1;
    const bool read = wxTranslateData(g_Path, append);
    if (append)
        modify();
    fill_conn_comp();
    return read;
}

void openSample(int commandId)
{
    ReadSampleData(commandId + 116);
    modify();
    subdiv_level = 1;
}
