// Speed of reading a surface file: the first reader (tests/reference) against
// the fast one, on 15 copies of the Diamond Lattice 2 sample (37800 faces),
// with and without the derived-data refresh of the first repaint.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include <wx/log.h>

#include "io/reader.h"
#include "io/writer.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "tests/reference/literal_reader.h"

namespace {
// The 37800-face file, written once to a temporary file; the sample is found
// through the source folder this program was built from, wherever it runs.
const std::string& latticeCopies()
{
    static std::string path;
    if (!path.empty())
        return path;
    const std::string sample = KORVITH_SOURCE_DIR "/sample/13-13-3Lattice.kor";
    resetStore();
    for (int k = 0; k < 15; ++k)
        if (!wxTranslateData(sample, k > 0)) {
            std::fprintf(stderr, "bench_reading: cannot build 15 copies of %s\n", sample.c_str());
            std::exit(1);
        }
    if (NOS != 37800) {
        std::fprintf(stderr, "bench_reading: expected 37800 faces, made %d\n", NOS);
        std::exit(1);
    }
    char name[] = "/tmp/korvith-bench-reading-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) {
        std::fprintf(stderr, "bench_reading: cannot make a temporary file\n");
        std::exit(1);
    }
    close(fd);
    std::ofstream(name) << surfaceFileText();
    path = name;
    std::atexit([] { std::remove(path.c_str()); });
    return path;
}

void readFast(benchmark::State& state)
{
    const std::string& path = latticeCopies();
    const bool refresh = state.range(0) != 0;
    for (auto _ : state) {
        clearHistory();
        if (!wxTranslateData(path, false)) {
            state.SkipWithError("the file was refused");
            return;
        }
        if (refresh)
            refreshDerivedData();
    }
    clearHistory();
}

void readLiteral(benchmark::State& state)
{
    const std::string& path = latticeCopies();
    const bool refresh = state.range(0) != 0;
    for (auto _ : state) {
        clearHistory();
        ParsedSurface parsed;
        if (!literalParseSurfaceFile(path, false, &parsed)) {
            state.SkipWithError("the file was refused");
            return;
        }
        saveState();
        storeParsedSurface(parsed, false);
        if (refresh)
            refreshDerivedData();
    }
    clearHistory();
}
}  // namespace

BENCHMARK(readFast)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(readLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
