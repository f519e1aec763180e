#include "io/open_commands.h"

#include <wx/filename.h>

#include "geometry/relaxation.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "model/document.h"
#include "model/components.h"
#include "model/history.h"
#include "model/store.h"

void acceptSurface(const ParsedSurface& parsed, bool append)
{
    saveState();
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    subdiv_level = 1;
    storeParsedSurface(parsed, append);
    if (append)
        modify();
    fill_conn_comp();
}

void takeOpenedNames(const wxString& path)
{
    g_Filename = wxFileName(path).GetFullName();
    g_Name = g_Filename;
    if (g_Filename.Find(".kor") != wxNOT_FOUND)
        g_Name = g_Filename.Left(g_Filename.length() - 4);
    g_Path = path;
}

bool openSurfaceFile(const wxString& chosenPath, bool append)
{
    ParsedSurface parsed;
    if (!parseSurfaceFile(chosenPath, append, &parsed))
        return false;
    takeOpenedNames(chosenPath);
    acceptSurface(parsed, append);
    if (!append) {
        g_documentPath = chosenPath;
        markSurfaceSaved();
    }
    return true;
}

void openSample(int commandId)
{
    ReadSampleData(commandId == DISC_SAMPLE_COMMAND     ? DISC_SAMPLE
                   : commandId == CLOSED_SAMPLE_COMMAND ? CLOSED_SAMPLE
                   : commandId == DISC4_SAMPLE_COMMAND  ? DISC4_SAMPLE
                                                        : commandId + 116);
    // The closed surface is a compromise between the lengths and a gap between
    // its faces: one burst towards the lengths passes it through itself.
    if (commandId != CLOSED_SAMPLE_COMMAND)
        modify();
    subdiv_level = 1;
    g_documentPath.clear();  // a sample has no file of its own to go back to
    markSurfaceSaved();
}

bool openSurfaceBytes(const wxString& name, const std::string& bytes, bool append)
{
    ParsedSurface parsed;
    if (!parseSurfaceText(name, bytes.data(), bytes.size(), append, &parsed))
        return false;
    acceptSurface(parsed, append);
    return true;
}
