#include "io/sample_loader.h"

#include "io/reader.h"
#include "model/components.h"
#include "model/store.h"

wxString sampleFileName(int n)
{
    static const char* const names[] = {
        "single.kor",          "torio.kor",          "autopasteDemo.kor",       "123-123-123.kor",
        "2222-2222-2222.kor",  "22-22-22.kor",       "2323-2323-2323.kor",      "1313-1313-1313.kor",
        "222-222-222-222.kor", "222diamondLattice.kor", "2321-31-1223Lattice.kor", "2222skewLattice.kor",
        "22222Dodecahedra.kor", "13-13-3Lattice.kor",
    };
    if (n < FIRST_SAMPLE || n > LAST_SAMPLE)
        return wxString();
    return names[n - FIRST_SAMPLE];
}

bool ReadSampleData(int n)
{
    wxTranslateData("sample/" + sampleFileName(n), false);
    fill_conn_comp();
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    NOcomp = 1;
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
    return true;
}
