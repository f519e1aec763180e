// Speed of smoothing and spreading passes, literal against linear, on grids;
// the counter "n" is the number of vertices (smoothing) or edges (spreading).
#include <benchmark/benchmark.h>

#include "geometry/smoothing.h"
#include "model/store.h"
#include "tests/reference/literal_geometry.h"

namespace {
// A triangulated n x n grid with a zig-zag height, so that folds exist.
void grid(int n)
{
    resetStore();
    modify_off = true;
    NOV = (n + 1) * (n + 1);
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{double(i % (n + 1)), double(i / (n + 1)), (i % 3) * 0.7};
    auto id = [n](int x, int y) { return y * (n + 1) + x; };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            int quad[2][3] = {{id(x, y), id(x + 1, y), id(x + 1, y + 1)}, {id(x, y), id(x + 1, y + 1), id(x, y + 1)}};
            for (auto& t : quad) {
                face[NOS][0] = t[0], face[NOS][1] = t[1], face[NOS][2] = t[2];
                ++NOS;
            }
            const int pairs[3][2] = {{id(x, y), id(x + 1, y)}, {id(x, y), id(x, y + 1)}, {id(x, y), id(x + 1, y + 1)}};
            for (auto& p : pairs) {
                edge[NOE][0] = p[0], edge[NOE][1] = p[1];
                phi[NOE++] = 1.0;
            }
        }
}

void BM_SmoothenLiteral(benchmark::State& state)
{
    grid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        literalSmoothen();
    state.counters["n"] = NOV;
}
void BM_SmoothenLinear(benchmark::State& state)
{
    grid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        smoothen();
    state.counters["n"] = NOV;
}
void BM_SpreadLiteral(benchmark::State& state)
{
    grid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        literalSpreadPass();
    state.counters["n"] = NOE;
}
void BM_SpreadLinear(benchmark::State& state)
{
    grid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        spread();
    state.counters["n"] = NOE;
}
}  // namespace

BENCHMARK(BM_SmoothenLiteral)->Arg(20)->Arg(60);
BENCHMARK(BM_SmoothenLinear)->Arg(20)->Arg(60)->Arg(120);
BENCHMARK(BM_SpreadLiteral)->Arg(20)->Arg(40);
BENCHMARK(BM_SpreadLinear)->Arg(20)->Arg(40)->Arg(120);
