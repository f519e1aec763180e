// Speed of growing a ring: growRing (cells placed clear of the surface, the
// ring built in one pass) against the same cells appended one at a time and
// glued vertex by vertex with pasteVertices (the literal way), on discs
// placed ring by ring without relaxing and on the relaxed sample discs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_surfaces.h"
#include "construct/grow_ring.h"
#include "geometry/gap_relaxation.h"
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

// Ring `rings` on the disc before it: the start-up cell grown by growRing
// alone (placed, not relaxed) or, with `relaxed`, the Sample menu's disc of
// rings - 1 rings (opened out and relaxed, as the window and the tool grow it).
const Ring& ring(int rings, bool relaxed = false)
{
    static std::vector<std::pair<int, Ring>> cache;
    const int key = relaxed ? -rings : rings;
    for (auto& c : cache)
        if (c.first == key)
            return c.second;
    resetStore();
    if (relaxed) {
        sampleSurface("hyperbolicDisc" + std::to_string(rings - 1) + ".kor", 1).put();
    } else {
        sampleSurface("single.kor", 1).put();
        for (int r = 1; r < rings; ++r)
            if (growRing().cellsAdded == 0)
                benchFailure("ring " + std::to_string(r) + " did not grow");
    }
    Ring made;
    made.before = Model::take();
    const int firstFace = NOS;
    const GrowReport report = growRing();
    if (report.cellsAdded == 0)
        benchFailure("ring " + std::to_string(rings) + " did not grow: " + report.refusal);
    made.after = Model::take();
    made.cells = cellsAddedSince(firstFace);
    cache.emplace_back(key, made);
    return cache.back().second;
}

void BM_GrowRing(benchmark::State& state)
{
    const Ring& r = ring(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        r.before.put();
        growRing();
    }
    state.counters["cells"] = static_cast<double>(r.cells.size());
}

void BM_GrowRingLiteral(benchmark::State& state)
{
    const Ring& r = ring(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        r.before.put();
        literalGrowRing(r.cells, r.after.v);
    }
    if (!(Model::take() == r.after))
        benchFailure("the literal ring differs from growRing's");
    state.counters["cells"] = static_cast<double>(r.cells.size());
}
// Opening ring `rings` (the window's and the tool's step after growRing) on
// the relaxed sample disc before it, to a largest edge error of 1e-3 with
// every gap kept.
void BM_OpenRing(benchmark::State& state)
{
    const Ring& r = ring(static_cast<int>(state.range(0)), true);
    int steps = 0;
    for (auto _ : state) {
        r.after.put();
        GapRelaxation opening(OPENING_GAP, OPENING_RIM_GAP, OPENING_STIFFNESS, OPENING_LARGEST_STEP, OPENING_UNTIL);
        if (opening.run(OPENING_MAX_STEPS) != GapState::Done)
            benchFailure("ring " + std::to_string(state.range(0)) + " did not open");
        steps = opening.steps();
    }
    state.counters["steps"] = steps;
    state.counters["cells"] = static_cast<double>(r.cells.size());
}
}  // namespace

// ring, and whether it grows on the relaxed sample disc (1) or the placed one (0)
BENCHMARK(BM_GrowRing)->ArgsProduct({{3, 4, 5}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRing)->ArgsProduct({{6, 7}, {0}})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRing)->ArgsProduct({{4, 5}, {1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRingLiteral)->ArgsProduct({{3, 4, 5}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRingLiteral)->ArgsProduct({{6, 7}, {0}})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowRingLiteral)->ArgsProduct({{4, 5}, {1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRing)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);
