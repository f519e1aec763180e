#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wx/log.h>

#include "io/open_commands.h"
#include "io/reader.h"
#include "model/history.h"
#include "model/store.h"
#include "model/validate.h"

namespace {
const char kStartUpCell[] =
    "##korvith01\n##vertex\n8\n0.824122,-0.334356,-0.0648953\n0.306818,-0.934102,-0.0775646\n"
    "-0.46057,-0.912631,0.117366\n-0.900163,-0.281175,0.30692\n-0.747572,0.460033,0.0704142\n"
    "-0.0293405,0.795131,0.0466634\n0.64806,0.433557,-0.149862\n-0.0448119,-0.110506,0.0602742\n"
    "##edge\n14\n0,1,a\n1,2,a\n2,3,a\n3,4,a\n4,5,a\n5,6,a\n0,6,a\n0,7,b\n1,7,b\n2,7,b\n3,7,b\n4,7,b\n5,7,b\n6,7,b\n"
    "##face\n7\n0,1,7\n1,2,7\n2,3,7\n3,4,7\n4,5,7\n5,6,7\n6,0,7\n##subdiv_level\n1\n##end\n";
}  // namespace

void startFuzzCase()
{
    static wxLogNull quiet;  // refusals are expected; their messages are not the point
    // The last input's snapshots are released before the history list itself
    // goes at exit, so the leak check at exit sees none.
    static const int released = std::atexit(clearHistory);
    (void)released;
    static bool allocated = false;
    if (!allocated) {
        resetStore();
        allocated = true;
    }
    // As the program leaves the store between two files: the arrays keep stale
    // entries beyond the counts (clearing them all each time is most of the
    // time an input would take).
    clearHistory();
    NOV = NOE = NOS = 0;
    subdiv_level = 1;
    NOcomp = 0;
    filledconn_comp = false;
    NOfaceOfVertex_on = false;
    revised_face2edge = revised_facedata = true;
    g_purtj = g_dragpurtj = -1;
    g_buru = 0;
    g_buruloop = modify_off = touch_purturb = false;
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
}

bool openStartUpCell()
{
    ParsedSurface parsed;
    if (!parseSurfaceText("single.kor", kStartUpCell, std::strlen(kStartUpCell), false, &parsed))
        return false;
    acceptSurface(parsed, false);
    return true;
}

void checkStore(const char* after)
{
    const std::string fault = validateStore();
    if (fault.empty())
        return;
    std::fprintf(stderr, "the store is broken after %s: %s\n", after, fault.c_str());
    std::abort();
}
