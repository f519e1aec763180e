// Speed of pasting and zipping, literal against indexed.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "construct/glue.h"
#include "bench/bench_surfaces.h"
#include "model/store.h"
#include "tests/reference/literal_glue.h"
#include "tests/surface_generators.h"

namespace {
// A surface of about `cells` cells with many open seams, saved once per size.
struct Grown {
    std::vector<Point3> v;
    std::vector<int> e, f;
    std::vector<double> phi;
};

const Grown& grown(int cells)
{
    static std::vector<std::pair<int, Grown>> cache;
    for (auto& c : cache)
        if (c.first == cells)
            return c.second;
    resetStore();
    sampleSurface("single.kor", 1).put();
    std::mt19937 rng(7);
    grow(rng, cells, false);
    if (NOV < cells)
        benchFailure("growing " + std::to_string(cells) + " cells made only " + std::to_string(NOV) + " vertices");
    Grown g;
    g.v.assign(v, v + NOV);
    g.e.assign(&edge[0][0], &edge[0][0] + 2 * NOE);
    g.phi.assign(phi, phi + NOE);
    g.f.assign(&face[0][0], &face[0][0] + 3 * NOS);
    cache.emplace_back(cells, g);
    return cache.back().second;
}

void load(const Grown& g)
{
    NOV = static_cast<int>(g.v.size());
    NOE = static_cast<int>(g.phi.size());
    NOS = static_cast<int>(g.f.size() / 3);
    std::copy(g.v.begin(), g.v.end(), v);
    std::copy(g.e.begin(), g.e.end(), &edge[0][0]);
    std::copy(g.phi.begin(), g.phi.end(), phi);
    std::copy(g.f.begin(), g.f.end(), &face[0][0]);
}

void BM_ZipLiteral(benchmark::State& state)
{
    const Grown& g = grown(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        load(g);
        literalPasteAllpastableEdges();
    }
    state.counters["vertices_removed"] = static_cast<double>(g.v.size() - NOV);
}
void BM_ZipIndexed(benchmark::State& state)
{
    const Grown& g = grown(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        load(g);
        pasteAllpastableEdges();
    }
    state.counters["vertices_removed"] = static_cast<double>(g.v.size() - NOV);
}
}  // namespace

BENCHMARK(BM_ZipLiteral)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZipIndexed)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
