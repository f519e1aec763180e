// libFuzzer target: everything a file reaches without a window. The input is
// a surface file; an accepted one is described as `korvith-tool info` does
// (crossing test and clearance included), written by every writer (surface
// file, header, each mesh format, a small picture painted in memory), read
// back from its own surface file, and relaxed precisely towards 1e-3 for a
// few iterations. Aborts when the program's own file is refused or the
// positions stop being sane.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <cairo.h>

#include "geometry/face_clearance.h"
#include "geometry/precise_relaxation.h"
#include "geometry/runaway_guard.h"
#include "geometry/self_intersection.h"
#include "io/open_commands.h"
#include "io/reader.h"
#include "io/writer.h"
#include "model/derived_data.h"
#include "model/surface_info.h"
#include "model/triangle_mesh.h"
#include "tests/fuzz/fuzz_support.h"
#include "export/mesh_export.h"
#include "view/cairo_painter.h"
#include "view/scene.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    startFuzzCase();
    ParsedSurface parsed;
    if (!parseSurfaceText("fuzz.kor", reinterpret_cast<const char*>(data), size, false, &parsed))
        return 0;
    acceptSurface(parsed, false);
    checkStore("the input was accepted");
    refreshDerivedData();
    const SurfaceInfo info = surfaceInfo();
    (void)info;
    (void)selfIntersections();
    (void)smallestFaceClearance();

    for (int digits : {6, 17}) {
        const std::string text = surfaceFileText(digits);
        ParsedSurface again;
        if (!parseSurfaceText("again.kor", text.data(), text.size(), false, &again))
            std::abort();  // the program refuses its own file
    }
    (void)headerExportText("fuzz");
    const TriangleMesh mesh = currentMesh();
    for (const char* ext : {".obj", ".ply", ".stl", ".off", ".glb", ".3mf"}) {
        std::string bytes, error;
        meshFileBytes(mesh, ext, &bytes, &error);
    }
    Scene scene;
    g_centerx = 32;
    g_centery = 24;
    g_rate = 20;
    buildScene(scene, SceneUse::Picture);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 65, 49);
    cairo_t* cr = cairo_create(image);
    paintSceneCairo(cr, scene, true);
    cairo_destroy(cr);
    cairo_surface_destroy(image);

    // A few precise iterations, not a whole solve: large surfaces take long.
    if (NOV <= 300 && NOE <= 900) {
        double reached = 0;
        int iterations = 0;
        relaxPrecisely(1e-3, 6, &reached, &iterations);
    }
    checkStore("info, the writers and the precise relaxation");
    return 0;
}
