#include "io/open_commands.h"

#include <wx/filename.h>

#include "geometry/relaxation.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/store.h"

namespace {
// What Open and Open and append do around the read itself.
template <typename Read>
bool openWith(bool append, Read read)
{
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    subdiv_level = 1;
    const bool done = read();
    if (append)
        modify();
    fill_conn_comp();
    return done;
}
}  // namespace

bool openSurfaceFile(const wxString& chosenPath, bool append)
{
    g_Filename = wxFileName(chosenPath).GetFullName();
    g_Name = g_Filename;
    if (g_Filename.Find(".kor") != wxNOT_FOUND)
        g_Name = g_Filename.Left(g_Filename.length() - 4);
    g_Path = chosenPath;
    return openWith(append, [append] { return wxTranslateData(g_Path, append); });
}

bool openSurfaceBytes(const wxString& name, const std::string& bytes)
{
    return openWith(false, [&] { return translateLines(name, surfaceTextLines(bytes), false); });
}

void openSample(int commandId)
{
    ReadSampleData(commandId + 116);
    modify();
    subdiv_level = 1;
}
