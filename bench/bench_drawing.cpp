// Speed of the painter's order and of the face-to-edge table, literal against fast.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/bench_surfaces.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tests/reference/literal_drawing.h"
#include "view/projection.h"

namespace {
// A strip of triangles with `faces` faces and random heights: faces + 2
// vertices and 2 x faces edges, so at most 29998 faces fit the store.
void strip(int faces)
{
    if (faces + 2 > MAX_VERTICES || 2 * faces > MAX_EDGES || faces > MAX_FACES)
        benchFailure("a strip of " + std::to_string(faces) + " faces does not fit the store");
    resetStore();
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> z(-1, 1);
    NOV = faces + 2;
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{double(i / 2), double(i % 2), z(rng)};
    NOS = faces;
    NOE = 0;
    for (int f = 0; f < faces; ++f) {
        face[f][0] = f;
        face[f][1] = f + 1;
        face[f][2] = f + 2;
        for (int k = 0; k < 2; ++k) {
            edge[NOE][0] = f + k;
            edge[NOE][1] = f + 2;
            phi[NOE++] = 1.0;
        }
    }
    computeDepthKeys();
}

void BM_PaintingOrderLiteral(benchmark::State& state)
{
    strip(static_cast<int>(state.range(0)));
    for (auto _ : state)
        literalPaintingOrder();
}
void BM_PaintingOrderFast(benchmark::State& state)
{
    strip(static_cast<int>(state.range(0)));
    for (auto _ : state)
        computePaintingOrder();
}
void BM_Face2edgeLiteral(benchmark::State& state)
{
    strip(static_cast<int>(state.range(0)));
    for (auto _ : state)
        literalMakeFace2edge();
}
void BM_Face2edgeFast(benchmark::State& state)
{
    strip(static_cast<int>(state.range(0)));
    for (auto _ : state)
        make_face2edge();
}
}  // namespace

BENCHMARK(BM_PaintingOrderLiteral)->Arg(1000)->Arg(10000);
BENCHMARK(BM_PaintingOrderFast)->Arg(1000)->Arg(10000)->Arg(29998);
BENCHMARK(BM_Face2edgeLiteral)->Arg(1000)->Arg(5000);
BENCHMARK(BM_Face2edgeFast)->Arg(1000)->Arg(5000)->Arg(29998);
BENCHMARK_MAIN();
