// Speed of growing a ring: growRing (cells placed clear of the surface, the
// ring built in one pass) against the same cells appended one at a time and
// glued vertex by vertex with pasteVertices (the literal way).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_surfaces.h"
#include "construct/grow_ring.h"
#include "model/store.h"
#include "tests/model_copy.h"
#include "tests/reference/literal_grow.h"

namespace {
// The disc of `rings` - 1 rings around the start-up cell (placed, not
// relaxed), and what growing ring `rings` on it gives, made once per size.
struct Ring {
    Model before, after;
    std::vector<LiteralCell> cells;
};

const Ring& ring(int rings)
{
    static std::vector<std::pair<int, Ring>> cache;
    for (auto& c : cache)
        if (c.first == rings)
            return c.second;
    resetStore();
    sampleSurface("single.kor", 1).put();
    for (int r = 1; r < rings; ++r)
        if (growRing().cellsAdded == 0)
            benchFailure("ring " + std::to_string(r) + " did not grow");
    Ring made;
    made.before = Model::take();
    const int firstFace = NOS;
    const GrowReport report = growRing();
    if (report.cellsAdded == 0)
        benchFailure("ring " + std::to_string(rings) + " did not grow: " + report.refusal);
    made.after = Model::take();
    made.cells = cellsAddedSince(firstFace);
    cache.emplace_back(rings, made);
    return cache.back().second;
}

void BM_GrowRing(benchmark::State& state)
{
    const Ring& r = ring(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        r.before.put();
        growRing();
    }
    state.counters["cells"] = static_cast<double>(r.cells.size());
}

void BM_GrowRingLiteral(benchmark::State& state)
{
    const Ring& r = ring(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        r.before.put();
        literalGrowRing(r.cells, r.after.v);
    }
    if (!(Model::take() == r.after))
        benchFailure("the literal ring differs from growRing's");
    state.counters["cells"] = static_cast<double>(r.cells.size());
}
}  // namespace

BENCHMARK(BM_GrowRing)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRing)->DenseRange(6, 7)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRingLiteral)->DenseRange(3, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRingLiteral)->DenseRange(6, 7)->Iterations(1)->Unit(benchmark::kMillisecond);
