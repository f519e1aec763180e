#include "bench/bench_surfaces.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>
#include <unistd.h>

#include <wx/filefn.h>

#include "construct/subdivision.h"
#include "io/reader.h"
#include "tests/surface_generators.h"

void benchFailure(const std::string& why)
{
    std::fprintf(stderr, "korvith_bench: %s\n", why.c_str());
    std::exit(1);
}

const std::string& sampleFolder()
{
    static const std::string folder = [] {
        std::vector<std::string> candidates;
#ifdef KORVITH_SOURCE_DIR
        candidates.push_back(std::string(KORVITH_SOURCE_DIR) + "/sample");
#endif
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        if (n > 0) {
            std::string dir(self, static_cast<size_t>(n));
            for (int up = 0; up < 3 && dir.rfind('/') != std::string::npos; ++up) {
                dir.erase(dir.rfind('/'));
                candidates.push_back(dir + "/sample");
            }
        }
        candidates.push_back("sample");
        for (const std::string& c : candidates)
            if (wxFileExists(c + "/single.kor"))
                return c;
        benchFailure("no sample folder found (looked for sample/single.kor in the source tree, beside the program "
                     "and in the working folder)");
    }();
    return folder;
}

const Model& sampleSurface(const std::string& fileName, int copies, int level)
{
    static std::map<std::tuple<std::string, int, int>, Model> made;
    const auto key = std::make_tuple(fileName, copies, level);
    auto it = made.find(key);
    if (it != made.end())
        return it->second;
    resetStore();
    const std::string path = sampleFolder() + "/" + fileName;
    if (!wxTranslateData(path, false) || NOV == 0)
        benchFailure("cannot read " + path);
    if (level > 1 && !subdiv(level))
        benchFailure(fileName + " cannot be subdivided at " + std::to_string(level));
    if (!replicate(copies))
        benchFailure(fileName + " x" + std::to_string(copies) + " does not fit the store");
    Model surface = Model::take();
    resetStore();  // drops the reading's undo snapshot
    return made.emplace(key, std::move(surface)).first->second;
}
