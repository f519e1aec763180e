#include "io/sample_loader.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include "io/open_commands.h"
#include "io/reader.h"
#include "model/components.h"
#include "model/document.h"
#include "model/store.h"

wxString sampleFileName(int n)
{
    static const char* const names[] = {
        "single.kor",          "torio.kor",          "autopasteDemo.kor",       "123-123-123.kor",
        "2222-2222-2222.kor",  "22-22-22.kor",       "2323-2323-2323.kor",      "1313-1313-1313.kor",
        "222-222-222-222.kor", "222diamondLattice.kor", "2321-31-1223Lattice.kor", "2222skewLattice.kor",
        "22222Dodecahedra.kor", "13-13-3Lattice.kor",
    };
    if (n == DISC_SAMPLE)
        return "hyperbolicDisc3.kor";
    if (n == DISC4_SAMPLE)
        return "hyperbolicDisc4.kor";
    if (n == CLOSED_SAMPLE)
        return "closedGenus3.kor";
    if (n < FIRST_SAMPLE || n > LAST_SAMPLE)
        return wxString();
    return names[n - FIRST_SAMPLE];
}

wxArrayString sampleFolders()
{
    if (!g_sampleFolders.empty())
        return g_sampleFolders;
    wxArrayString folders;
    const auto add = [&folders](const wxString& folder) {
        if (folders.Index(folder) == wxNOT_FOUND)
            folders.Add(folder);
    };
    add("sample");
#ifdef KORVITH_SAMPLE_DIR
    add(KORVITH_SAMPLE_DIR);
#endif
    const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
    if (program.IsOk() && !program.GetPath().empty()) {
        add(wxFileName(program.GetPath(), "").GetPathWithSep() + "sample");
        wxFileName moved(program.GetPath() + "/../share/korvith/sample", "");
        moved.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
        add(moved.GetPath());
    }
    return folders;
}

wxString findSampleFile(const wxString& fileName, const wxArrayString& folders)
{
    for (const wxString& folder : folders) {
        const wxString path = folder + "/" + fileName;
        if (wxFileName::FileExists(path))
            return path;
    }
    return wxString();
}

bool ReadSampleData(int n)
{
    const wxArrayString folders = sampleFolders();
    const wxString path = findSampleFile(sampleFileName(n), folders);
    if (path.empty()) {
        wxString places;
        for (const wxString& folder : folders) {
            wxFileName shown(folder, "");
            shown.MakeAbsolute();
            places += (places.empty() ? "" : ", ") + shown.GetPath();
        }
        wxLogError("Cannot find the sample file \"%s\"; looked in %s.", sampleFileName(n), places);
    }
    // Read as Open reads a file; a sample that is missing or refused leaves
    // the surface as it was, and the steps below run all the same.
    ParsedSurface parsed;
    if (!path.empty() && parseSurfaceFile(path, false, &parsed)) {
        acceptSurface(parsed, false);
    } else {
        fill_conn_comp();
        revised_facedata = true;
        revised_face2edge = true;
        NOfaceOfVertex_on = false;
    }
    // A sample's own differences: one component, and level 1 whatever its file says.
    NOcomp = 1;
    subdiv_level = 1;
    return true;
}

bool initializeSurfaceStore()
{
    allocateStore();
    g_centerx = 320;
    g_centery = 220;
    ReadSampleData(FIRST_SAMPLE);
    NOcomp = 1;
    messagetxt = " ";
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
    markSurfaceSaved();
    return true;
}
