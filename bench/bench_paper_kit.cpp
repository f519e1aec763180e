// Speed of the paper kit on copies of the Diamond Lattice 2 (2520 faces each):
// the unfolding alone (pieces, tabs, numbers) and the whole kit laid out on
// pages, at about 2.5k, 10k and 40k faces. The counter "n" is the number of faces.
#include <benchmark/benchmark.h>

#include "bench/bench_surfaces.h"
#include "construct/unfold.h"
#include "model/store.h"
#include "export/paper_kit.h"

namespace {
void BM_Unfold(benchmark::State& state)
{
    sampleSurface("13-13-3Lattice.kor", static_cast<int>(state.range(0))).put();
    const UnfoldLimits limits = kitLimits(KitOptions());
    Unfolding unfolding;
    std::string why;
    for (auto _ : state) {
        if (!unfoldSurface(limits, &unfolding, &why))
            benchFailure(why);
        benchmark::DoNotOptimize(unfolding.pieces.size());
    }
    state.counters["n"] = NOS;
    state.counters["pieces"] = static_cast<double>(unfolding.pieces.size());
}

void BM_PaperKit(benchmark::State& state)
{
    sampleSurface("13-13-3Lattice.kor", static_cast<int>(state.range(0))).put();
    PaperKit kit;
    std::string why;
    for (auto _ : state) {
        if (!makePaperKit(KitOptions(), "lattice", &kit, &why))
            benchFailure(why);
        benchmark::DoNotOptimize(kit.pages.size());
    }
    state.counters["n"] = NOS;
    state.counters["pages"] = static_cast<double>(kit.pages.size());
}
}  // namespace

BENCHMARK(BM_Unfold)->Arg(1)->Arg(4)->Arg(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaperKit)->Arg(1)->Arg(4)->Arg(15)->Unit(benchmark::kMillisecond);
