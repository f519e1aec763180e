// Precise relaxation against the fixed-step relaxation, on the surfaces that
// take longest to settle: the punched dodecahedron subdivided at levels 2 to 5
// (not yet relaxed), Diamond Lattice 2 smoothed once, the three lattices, and
// the cubic lattice subdivided at 2. CPU seconds to a largest relative edge
// error of 1e-3, 1e-6 and 1e-9 (counters), and how many of the iterations were
// damped Newton ones; the fixed-step runs are capped and report how many steps
// they took and where they got.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <string>

#include <wx/init.h>

#include "construct/subdivision.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "geometry/self_intersection.h"
#include "geometry/smoothing.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/store.h"

namespace {
struct BenchSurface {
    const char* file;  // in sample/
    int level;         // subdivision level, 1 for none
    bool smoothOnce;
};

const BenchSurface kSurfaces[] = {
    {"22222Dodecahedra.kor", 2, false},   // D2
    {"22222Dodecahedra.kor", 3, false},   // D3
    {"22222Dodecahedra.kor", 4, false},   // D4
    {"22222Dodecahedra.kor", 5, false},   // D5
    {"13-13-3Lattice.kor", 1, true},      // Diamond Lattice 2, smoothed once
    {"222diamondLattice.kor", 1, false},  // Diamond Lattice 1
    {"2321-31-1223Lattice.kor", 1, false},// rhombic lattice
    {"2222skewLattice.kor", 1, false},    // cubic lattice
    {"2222skewLattice.kor", 2, false},    // cubic lattice subdivided at 2
};
const char* const kLabels[] = {"D2", "D3", "D4", "D5", "DiamondLattice2+smooth", "DiamondLattice1", "RhombicLattice",
                               "CubicLattice", "CubicLattice/2"};

// Reads and prepares surface k; stops the whole run when it cannot.
void load(int k)
{
    static wxInitializer toolkit;
    const BenchSurface& s = kSurfaces[k];
    resetStore();
    const std::string path = std::string(KORVITH_SOURCE_DIR) + "/sample/" + s.file;
    if (!toolkit.IsOk() || !openSurfaceFile(path, false)) {
        std::fprintf(stderr, "korvith_bench: cannot read %s\n", path.c_str());
        std::exit(1);
    }
    refreshDerivedData();
    if (s.level > 1 && !subdiv(s.level)) {
        std::fprintf(stderr, "korvith_bench: cannot subdivide %s at %d\n", path.c_str(), s.level);
        std::exit(1);
    }
    if (s.smoothOnce)
        smoothen();
    refreshDerivedData();
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + 1e-9 * t.tv_nsec;
}

// range(0): the surface; range(1): keep the symbolic analysis. One run to 1e-9 that notes the CPU time at which the
// largest relative edge error first fell to 1e-3 and 1e-6 (crossing checks
// included), capped at 600 iterations.
void BM_RelaxPrecisely(benchmark::State& state)
{
    double error = 0, reached[3] = {-1, -1, -1};
    int iterations = 0;
    PreciseState result = PreciseState::Running;
    for (auto _ : state) {
        state.PauseTiming();
        load(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        const double begin = cpuSeconds();
        g_precise_damping = 1e-3;
        CrossingPairs crossings = selfIntersections();
        std::sort(crossings.begin(), crossings.end());
        PreciseAnalysis analysis;
        for (iterations = 0; iterations < 600; ++iterations) {
            result = preciseRelaxIteration(PRECISE_TOLERANCE, &crossings, &error,
                                           state.range(1) ? &analysis : nullptr);
            const double limits[3] = {1e-3, 1e-6, 1e-9};
            for (int k = 0; k < 3; ++k)
                if (reached[k] < 0 && error <= limits[k])
                    reached[k] = cpuSeconds() - begin;
            if (result != PreciseState::Running)
                break;
        }
    }
    state.SetLabel(std::string(kLabels[state.range(0)]) + (state.range(1) ? "" : " analysed every iteration") +
                   (result == PreciseState::Reached ? "" : " NOT REACHED"));
    state.counters["iterations"] = iterations;
    state.counters["newton"] = iterations - g_precise_descent.batches;  // the others are descent batches
    state.counters["error"] = error;
    state.counters["edges"] = NOE;
    state.counters["s_to_1e-3"] = reached[0];
    state.counters["s_to_1e-6"] = reached[1];
    state.counters["s_to_1e-9"] = reached[2];
}

// The window's way on surface range(0): timer ticks (relaxPreciselyTick, its
// budget of 10 ms) until the run ends. CPU milliseconds of the descent's ticks
// and of the Newton ticks (mean and largest), and the CPU seconds of the whole
// run.
void BM_PreciseTicks(benchmark::State& state)
{
    int ticks = 0;
    double descentSum = 0, descentMax = 0, newtonSum = 0, newtonMax = 0, total = 0;
    int descentTicks = 0, newtonTicks = 0;
    PreciseTick tick{PreciseState::Running, 0};
    for (auto _ : state) {
        state.PauseTiming();
        load(static_cast<int>(state.range(0)));
        g_precise_damping = 1e-3;
        g_precise_descent = PreciseDescent();
        delete g_precise_analysis;
        g_precise_analysis = nullptr;
        state.ResumeTiming();
        const double begin = cpuSeconds();
        for (ticks = 0; ticks < 20000; ++ticks) {
            const bool descent = !g_precise_descent.over;
            const double before = cpuSeconds();
            tick = relaxPreciselyTick();
            const double ms = 1e3 * (cpuSeconds() - before);
            (descent ? descentSum : newtonSum) += ms;
            (descent ? descentTicks : newtonTicks) += 1;
            double& largest = descent ? descentMax : newtonMax;
            largest = std::max(largest, ms);
            if (tick.state != PreciseState::Running)
                break;
        }
        total = cpuSeconds() - begin;
    }
    state.SetLabel(std::string(kLabels[state.range(0)]) + (tick.state == PreciseState::Reached ? "" : " NOT REACHED"));
    state.counters["ticks"] = ticks + 1;
    state.counters["descent_ms"] = descentTicks ? descentSum / descentTicks : 0;
    state.counters["descent_max_ms"] = descentMax;
    state.counters["newton_ms"] = newtonTicks ? newtonSum / newtonTicks : 0;
    state.counters["newton_max_ms"] = newtonMax;
    state.counters["s_total"] = total;
    state.counters["error"] = tick.error;
}

// One crossing test of surface range(0), as the solver makes after every
// accepted step: the part of the times above that the test takes.
void BM_CrossingTest(benchmark::State& state)
{
    load(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(selfIntersections());
    state.SetLabel(kLabels[state.range(0)]);
}

// The fixed-step relaxation to 1e-3, capped at range(1) steps.
void BM_FixedStepsTo1e3(benchmark::State& state)
{
    long steps = 0;
    double error = 0;
    for (auto _ : state) {
        state.PauseTiming();
        load(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        for (steps = 0; steps < state.range(1); ++steps) {
            if (steps % 100 == 0 && maxRelativeEdgeError() <= 1e-3)
                break;
            modifyonce();
        }
        error = maxRelativeEdgeError();
    }
    state.SetLabel(kLabels[state.range(0)]);
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["error"] = error;
}

void fixedArgs(benchmark::internal::Benchmark* b)
{
    for (int k = 0; k < static_cast<int>(std::size(kSurfaces)); ++k)
        b->Args({k, 20000});
}

// Every surface with the symbolic analysis kept between iterations (range(1)
// = 1), as relaxPrecisely runs; the dodecahedra also with it renewed in every
// iteration (0), the earlier way, for the ratio.
void preciseArgs(benchmark::internal::Benchmark* b)
{
    for (int k = 0; k < static_cast<int>(std::size(kSurfaces)); ++k) {
        b->Args({k, 1});
        if (k < 4)
            b->Args({k, 0});
    }
}
}  // namespace

BENCHMARK(BM_RelaxPrecisely)->Apply(preciseArgs)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PreciseTicks)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CrossingTest)->DenseRange(0, static_cast<int>(std::size(kSurfaces)) - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FixedStepsTo1e3)->Apply(fixedArgs)->Unit(benchmark::kMillisecond)->Iterations(1);
