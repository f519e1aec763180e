// libFuzzer target: the window's timer activities and mouse gestures, driven
// through the core functions the handlers call (no toolkit window). The input
// is one byte N (modulo 32), N action bytes, then a surface file. Each action
// byte picks what the user does (low 4 bits) and a vertex or an amount (the
// rest); after each, the timer ticks a few times and the picture is projected
// again as a repaint would. Aborts when the store stops being sound: a
// position that is not a number or far out, a target that is not positive.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "geometry/precise_relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/sway_commands.h"
#include "io/open_commands.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tests/fuzz/fuzz_support.h"
#include "view/animation.h"
#include "view/mouse.h"
#include "view/scene.h"
#include "view/view_commands.h"

namespace {
Scene scene;

wxPoint at(int vertex, int dx, int dy)
{
    const wxPoint p = vertex >= 0 && vertex < NOV ? gv[vertex] : wxPoint(g_centerx, g_centery);
    return wxPoint(p.x + dx, p.y + dy);
}

void act(uint8_t code)
{
    const int amount = code >> 4;  // 0 .. 15
    const int p = NOV > 0 ? amount * NOV / 16 : -1;
    const int d = (amount - 8) * 7;  // a drag step of up to 56 pixels either way
    switch (code & 15) {
    case 0: touch_purturb = !touch_purturb; break;
    case 1: interface_mode = amount % 4; break;
    case 2: handleMouseEvent(MouseKind::Other, false, false, at(p, 0, 0)); break;      // hover
    case 3: handleMouseEvent(MouseKind::LeftDown, true, false, at(p, 0, 0)); break;
    case 4: handleMouseEvent(MouseKind::Other, true, false, at(p, d, -d)); break;      // left drag
    case 5: handleMouseEvent(MouseKind::LeftUp, false, false, at(p, 0, 0)); break;
    case 6: handleMouseEvent(MouseKind::RightDown, false, true, at(p, 0, 0)); break;
    case 7: handleMouseEvent(MouseKind::Other, false, true, at(p, d * 9, d)); break;   // right drag
    case 8: swayCommand(); break;
    case 9: repeatSwayCommand(); break;
    case 10: g_smoothen = !g_smoothen; break;
    case 11: toggleRelaxPrecisely(); break;
    case 12: g_modify_until_valid = !g_modify_until_valid; break;
    case 13: modifyOffCommand(); break;
    case 14: g_purtj = p; pullpoint(); break;
    default: amount < 8 ? zoomIn() : zoomOut(); break;
    }
    for (int k = 0; k < 1 + amount % 4; ++k)
        animationTick();
    buildScene(scene, SceneUse::Window);  // the repaint: derived data, projection (gv)
    checkStore("an action, its ticks and the repaint");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t n = data[0] % 32;
    if (size < 1 + n)
        return 0;
    startFuzzCase();
    interface_mode = 0;
    g_rate = 100;
    g_centerx = 320;
    g_centery = 220;
    g_rotate = 0;
    g_purturb = 0;
    g_smoothen = g_modify_until_valid = g_relax_precisely = false;
    resetMouseState();
    ParsedSurface parsed;
    if (!parseSurfaceText("fuzz.kor", reinterpret_cast<const char*>(data + 1 + n), size - 1 - n, false, &parsed))
        return 0;
    acceptSurface(parsed, false);
    checkStore("the input was accepted");
    // Ticks on large surfaces are slow, not interesting.
    if (NOV > 400 || NOE > 1200)
        return 0;
    buildScene(scene, SceneUse::Window);
    for (size_t k = 0; k < n; ++k)
        act(data[1 + k]);
    return 0;
}
