// One window frame: the scene built from the surface, painted into the
// off-screen picture and copied to the window's picture. The window's renderer
// against the antialiased vector painting (cairo) that the window used before.
#include <benchmark/benchmark.h>

#include <cairo.h>
#include <cmath>
#include <string>

#include "bench/bench_surfaces.h"
#include "export/picture.h"
#include "geometry/smoothing.h"
#include "io/reader.h"
#include "io/writer.h"
#include "model/derived_data.h"
#include "tests/surface_generators.h"
#include "view/view_commands.h"
#include "model/store.h"
#include "view/cairo_painter.h"
#include "view/cairo_picture.h"
#include "view/scene.h"

namespace {
// The program's window at its start-up size; Frame1280 in a large window.
int W = 640, H = 480;
const char* const LATTICE = "13-13-3Lattice.kor";  // Diamond Lattice 2: 2520 faces

struct Target {
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    cairo_surface_t* window = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
    ~Target()
    {
        cairo_surface_destroy(picture);
        cairo_surface_destroy(window);
    }
    void copyToWindow()
    {
        cairo_t* cr = cairo_create(window);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, picture, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
};

// Copies of the sample stacked along the viewing axis, smoothed once so that
// the vertices carry angle-sum marks, as while relaxing.
void stackedLattice(int copies)
{
    resetStore();
    const std::string path = sampleFolder() + "/" + LATTICE;
    if (!wxTranslateData(path, false) || NOV == 0)
        benchFailure("cannot read " + path);
    if (!replicate(copies, true))
        benchFailure(std::string(LATTICE) + " x" + std::to_string(copies) + " does not fit the store");
    refreshDerivedData();
    smoothen();
}

// The view of a window of width x height after the user has zoomed out (each
// step 1/1.25) until the whole surface lies in the picture.
void viewAsZoomedOut(int width, int height)
{
    g_centerx = width / 2;
    g_centery = height / 2;
    g_rate = 100.0;
    auto fits = [&] {
        for (int i = 0; i < NOV; ++i)
            if (std::abs(v[i].x) * g_rate > g_centerx || std::abs(v[i].y) * g_rate > g_centery)
                return false;
        return true;
    };
    while (!fits() && g_rate > 15.0)
        zoomOut();
}

void setUp(benchmark::State& state)
{
    const int faces = static_cast<int>(state.range(0));
    stackedLattice(faces / 2520);
    if (NOS != faces)
        benchFailure("the stacked lattice has " + std::to_string(NOS) + " faces");
    W = state.range(1);
    H = state.range(2);
    viewAsZoomedOut(W, H);
    messagetxt = "Now modifying ..";
}

void BM_Frame(benchmark::State& state)
{
    setUp(state);
    Target target;
    Scene scene;
    for (auto _ : state) {
        buildScene(scene, SceneUse::Window);
        rasterSceneInto(target.picture, scene, 1.0);
        target.copyToWindow();
    }
    state.counters["faces"] = NOS;
}

void BM_FrameReference(benchmark::State& state)
{
    setUp(state);
    Target target;
    Scene scene;
    for (auto _ : state) {
        buildScene(scene, SceneUse::Window);
        cairo_t* cr = cairo_create(target.picture);
        paintSceneCairo(cr, scene, false);
        cairo_destroy(cr);
        target.copyToWindow();
    }
    state.counters["faces"] = NOS;
}
// A frame in strain colours (Color > Show edge strain): each face's largest
// edge error found and coloured, and the key painted.
void BM_FrameStrain(benchmark::State& state)
{
    setUp(state);
    Target target;
    Scene scene;
    g_show_strain = true;
    for (auto _ : state) {
        buildScene(scene, SceneUse::Window);
        rasterSceneInto(target.picture, scene, 1.0);
        target.copyToWindow();
    }
    g_show_strain = false;
    state.counters["faces"] = NOS;
}

// A PNG picture written as the tool and Export write it (the window's
// renderer), and as it was written before, painted by cairo's vector shapes.
void BM_PngPicture(benchmark::State& state)
{
    setUp(state);
    g_picture_width = W, g_picture_height = H;
    const std::string path = "/tmp/korvith-bench-picture.png";
    std::string error;
    for (auto _ : state)
        if (!renderPicture(path, ".png", &error))
            benchFailure(error);
    std::remove(path.c_str());
    state.counters["faces"] = NOS;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void BM_PngPictureReference(benchmark::State& state)
{
    setUp(state);
    const std::string path = "/tmp/korvith-bench-picture.png";
    Scene scene;
    for (auto _ : state) {
        buildScene(scene, SceneUse::Picture);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, W, H);
        cairo_t* cr = cairo_create(surface);
        paintSceneCairo(cr, scene, false);
        cairo_destroy(cr);
        std::string bytes;
        cairo_surface_write_to_png_stream(surface, appendBytes, &bytes);
        cairo_surface_destroy(surface);
        wxString reason;
        if (!writeFileReplacing(path, bytes, &reason))
            benchFailure(std::string(reason.utf8_str()));
    }
    std::remove(path.c_str());
    state.counters["faces"] = NOS;
}
}  // namespace

// Arguments: faces, picture width, picture height.
#define FRAME_SIZES Args({2520, 640, 480})->Args({12600, 640, 480})->Args({37800, 640, 480}) \
    ->Args({2520, 1280, 1000})->Args({37800, 1280, 1000})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_Frame)->FRAME_SIZES;
BENCHMARK(BM_FrameReference)->FRAME_SIZES;
BENCHMARK(BM_FrameStrain)->FRAME_SIZES;
BENCHMARK(BM_PngPicture)->Args({2520, 640, 480})->Args({37800, 1280, 1000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngPictureReference)->Args({2520, 640, 480})->Args({37800, 1280, 1000})->Unit(benchmark::kMillisecond);
