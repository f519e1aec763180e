// One relaxation burst (20 steps), the work of one tick of "Modify until stable", on large surfaces.
#include <benchmark/benchmark.h>

#include "bench/stacked_sample.h"
#include "geometry/relaxation.h"
#include "model/store.h"

namespace {
void setUp(benchmark::State& state)
{
    const int faces = static_cast<int>(state.range(0));
    stackedSample("13-13-3Lattice.kor", faces / 2520, true);
    if (NOS != faces)
        state.SkipWithError("the stacked sample has the wrong size");
    state.counters["edges"] = NOE;
}

void BM_RelaxBurst(benchmark::State& state)
{
    setUp(state);
    for (auto _ : state)
        for (int n = 0; n < 20; ++n)
            benchmark::DoNotOptimize(modifyonce());
}

}  // namespace

BENCHMARK(BM_RelaxBurst)->Arg(2520)->Arg(12600)->Arg(37800)->Unit(benchmark::kMillisecond);
