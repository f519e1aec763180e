// libFuzzer target: a short sequence of the window's commands on a surface
// file. The input is one byte N (taken modulo 8), N command bytes, then the
// surface file. Each command byte picks the command (low 4 bits) and the
// vertex it acts on (the rest, as a share of the vertices). The store is
// validated after the input is accepted and after every command.
#include <cstddef>
#include <cstdint>

#include "construct/edit_commands.h"
#include "geometry/sway_commands.h"
#include "construct/copy_remove.h"
#include "tests/fuzz/fuzz_support.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "io/open_commands.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"

namespace {
const char* const kNames[16] = {"add a cell", "paste", "paste all", "copy", "remove", "subdivide", "kago",
                                "flip", "mirror", "undo", "redo", "relax", "smoothen", "sway", "pull",
                                "modify off"};

void runCommand(uint8_t code)
{
    const int p = NOV > 0 ? static_cast<int>((code >> 4) * NOV / 16) : -1;
    g_purtj = p;
    switch (code & 15) {
    case 0: addCellCommand(); break;
    case 1: pasteCommand(p, NOV - 1 - p); break;
    case 2: pasteAllCommand(); break;
    case 3: addCopyCommand((code >> 4) & 1); break;
    case 4: removeCommand(); break;
    case 5: subdivideCommand(2 + (code >> 4) % 2); break;
    case 6: kagoCommand(); break;
    case 7: flipFace(); break;
    case 8: mirrorpoly(); break;
    case 9: undo(); break;
    case 10: redo(); break;
    case 11: modify(); break;
    case 12: smoothenCommand(); break;
    case 13: swayCommand(); while (g_buru > 0) swayTick(); break;
    case 14: pullpoint(); break;
    default: modifyOffCommand(); break;
    }
    g_purtj = -1;
    checkStore(kNames[code & 15]);
    refreshDerivedData();  // what the repaint after each command does
    checkStore("the repaint's refresh");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t n = data[0] % 8;
    if (size < 1 + n)
        return 0;
    startFuzzCase();
    ParsedSurface parsed;
    if (!parseSurfaceText("fuzz.kor", reinterpret_cast<const char*>(data + 1 + n), size - 1 - n, false, &parsed))
        return 0;
    acceptSurface(parsed, false);
    checkStore("the input was accepted");
    refreshDerivedData();
    // Relaxing large surfaces many times over is slow, not interesting.
    if (NOV > 600 || NOE > 1800)
        return 0;
    for (size_t k = 0; k < n; ++k)
        runCommand(data[1 + k]);
    return 0;
}
