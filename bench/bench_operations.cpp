// What users wait on, on real samples and copies of them: zipping, kago,
// removing, copying, subdividing, reading, writing, the crossing-faces test of
// `info`, thickening and its wall measure, a relaxation burst, a smoothing and a spreading pass; the literal
// forms beside the program's own where they exist. Every benchmark is named
// "operation:surface:fast" or "operation:surface:literal" and reports the size
// its growth is measured in as the counter "n"; scripts/bench.sh makes the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>

#include "bench/bench_surfaces.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/subdivision.h"
#include "geometry/face_clearance.h"
#include "geometry/relaxation.h"
#include "geometry/self_intersection.h"
#include "geometry/smoothing.h"
#include "geometry/thicken.h"
#include "geometry/wall_thickness.h"
#include "io/reader.h"
#include "io/writer.h"
#include "model/derived_data.h"
#include "model/surface_info.h"
#include "tests/reference/literal_copy_remove.h"
#include "tests/reference/literal_face_clearance.h"
#include "tests/reference/literal_geometry.h"
#include "tests/reference/literal_glue.h"
#include "tests/reference/literal_self_intersection.h"
#include "tests/reference/literal_wall_distances.h"

namespace {
const char* const kAutopaste = "autopasteDemo.kor";
const char* const kCubic = "2222skewLattice.kor";
const char* const kDiamond2 = "13-13-3Lattice.kor";

struct Surface {
    const char* file;
    int copies;
    int level;
    std::string label() const
    {
        std::string name = file == kAutopaste ? "autopaste demo" : file == kCubic ? "cubic lattice" : "Diamond Lattice 2";
        if (level > 1)
            name += " subdivided " + std::to_string(level);
        return name + " x" + std::to_string(copies);
    }
    const Model& model() const { return sampleSurface(file, copies, level); }
};

// What a run measures: the operation on a fresh copy of the surface (the copy
// is not timed) and the size that its growth is measured in.
using Operation = std::function<void()>;
using Size = std::function<double(const Model& before)>;

// `prepare`, when given, runs untimed after the copy is put in the store.
void add(const std::string& op, const Surface& s, const char* kind, Operation run, Size size,
         Operation prepare = nullptr)
{
    benchmark::RegisterBenchmark((op + ":" + s.label() + ":" + kind).c_str(),
                                 [s, run, size, prepare](benchmark::State& state) {
                                     const Model& start = s.model();
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         resetStore();
                                         start.put();
                                         if (prepare)
                                             prepare();
                                         state.ResumeTiming();
                                         run();
                                     }
                                     state.counters["n"] = size(start);
                                     resetStore();
                                 })
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
}

double faces(const Model& m)
{
    return static_cast<double>(m.f.size() / 3);
}
double edges(const Model& m)
{
    return static_cast<double>(m.phi.size());
}
double vertices(const Model& m)
{
    return static_cast<double>(m.v.size());
}
double pastes(const Model& m)
{
    // Zipping the demo's copies pastes ten pairs in each.
    return static_cast<double>(m.v.size()) / 68 * 10;
}

// The file name for the surface of `copies` copies. fileOf() writes it when
// first asked (the store holds the surface then); the program removes it at exit.
std::string fileName(int copies)
{
    return "/tmp/korvith-bench-" + std::to_string(getpid()) + "-" + std::to_string(copies) + ".kor";
}
std::string fileOf(int copies)
{
    static std::map<int, std::string> written;
    auto it = written.find(copies);
    if (it != written.end())
        return it->second;
    const std::string path = fileName(copies);
    wxString error;
    if (!writeFileReplacing(path, surfaceFileText(), &error))
        benchFailure("cannot write " + path + ": " + std::string(error.utf8_str()));
    static struct Cleanup {
        std::map<int, std::string>* files;
        ~Cleanup()
        {
            for (const auto& f : *files) {
                std::remove(f.second.c_str());
                std::remove((f.second + ".out").c_str());
            }
        }
    } cleanup{&written};
    return written.emplace(copies, path).first->second;
}

void registerAll()
{
    for (int copies : {25, 100, 400}) {
        const Surface s{kAutopaste, copies, 1};
        add("paste all", s, "fast", pasteAllpastableEdges, pastes);
        if (copies == 25)
            add("paste all", s, "literal", literalPasteAllpastableEdges, pastes);
    }
    for (int copies : {1, 4, 7}) {
        const Surface s{kCubic, copies, 2};
        add("kago", s, "fast", kago, faces);
        if (copies <= 4)
            add("kago", s, "literal", literalKago, faces);
        // A cell centre half way through the vertices.
        const int centre = 736 * copies / 2;
        add("remove", s, "fast", [centre] { remove(centre); }, faces);
        add("remove", s, "literal", [centre] { literalRemove(centre); }, faces);
    }
    for (int copies : {1, 2}) {
        add("copy", Surface{kDiamond2, copies, 1}, "fast", [] { addcopy(false); }, faces);
        add("subdivide", Surface{kCubic, copies, 1}, "fast", [] { subdiv(2); }, faces);
    }
    for (int copies : {1, 5, 15}) {
        const Surface s{kDiamond2, copies, 1};
        // The file is written from the store as it stands before the first run.
        const std::string in = fileName(copies);
        add("reading", s, "fast", [in] {
            wxTranslateData(in, false);
            refreshDerivedData();
        }, faces, [copies] { fileOf(copies); });
        const std::string out = fileName(copies) + ".out";
        add("writing", s, "fast", [out] {
            wxString error;
            if (!writeFileReplacing(out, surfaceFileText(), &error))
                benchFailure("cannot write " + out);
        }, faces);
        add("crossing faces", s, "fast", [] { benchmark::DoNotOptimize(selfIntersections()); }, faces);
        add("crossing faces", s, "literal", [] { benchmark::DoNotOptimize(literalSelfIntersections()); }, faces);
        add("face clearance", s, "fast", [] { benchmark::DoNotOptimize(smallestFaceClearance()); }, faces);
        if (copies == 1)
            add("face clearance", s, "literal", [] { benchmark::DoNotOptimize(literalSmallestFaceClearance()); }, faces);
        add("info", s, "fast", [] {
            benchmark::DoNotOptimize(surfaceInfo());
            benchmark::DoNotOptimize(selfIntersections());
        }, faces);
        if (copies <= 5) {  // fifteen copies thickened would not fit the store
            add("thicken 0.1 (walls measured, crossings checked)", s, "fast", [] {
                ThickenReport report;
                std::string why;
                if (!thicken(0.1, false, &report, &why))
                    benchFailure("cannot thicken: " + why);
            }, faces);
            const auto thickened = [] {
                ThickenReport report;
                std::string why;
                if (!thicken(0.1, true, &report, &why))
                    benchFailure("cannot thicken: " + why);
            };
            add("wall measure", s, "fast", [] { benchmark::DoNotOptimize(wallDistances(currentMesh(), 0.2)); },
                faces, thickened);
            if (copies == 1)
                add("wall measure", s, "literal",
                    [] { benchmark::DoNotOptimize(literalWallDistances(currentMesh(), 0.2)); }, faces, thickened);
        }
        add("relaxation burst (20 steps)", s, "fast", [] {
            for (int k = 0; k < 20; ++k)
                modifyonce();
        }, edges);
        add("smoothing pass", s, "fast", smoothen, vertices);
        if (copies <= 5)
            add("smoothing pass", s, "literal", literalSmoothen, vertices);
        add("spreading pass", s, "fast", [] {
            modify_off = true;  // the pass alone, without its closing burst
            spread();
        }, edges);
        if (copies <= 5)
            add("spreading pass", s, "literal", literalSpreadPass, edges);
    }
}

const bool registered = (registerAll(), true);
}  // namespace
