#include "tools/recipes/recipe.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "model/boundary_loops.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tools/tool_ops.h"

namespace recipes {
void Recipe::op(const std::string& text, const std::string& comment)
{
    const std::string name = text.substr(0, text.find('='));
    const bool glues = name == "paste" || name == "paste-all" || name == "append";
    const bool relaxes = name == "relax" || name == "spread" || name == "pull";
    if (!failed && ((glues && !bare) || (relaxes && bare))) {
        bare = !bare;
        run("modify-off", bare ? "glue and read without relaxing" : "relax again (one burst)");
    }
    run(text, comment);
}

void Recipe::run(const std::string& text, const std::string& comment)
{
    ToolOp parsed;
    std::string error;
    if (failed || !parseToolOp(text, &parsed, &error) || !runToolOp(parsed, false, &error)) {
        if (!failed)
            std::fprintf(stderr, "make-recipes: %s: %s: %s\n", name.c_str(), text.c_str(), error.c_str());
        failed = true;
        return;
    }
    refreshDerivedData();  // what a repaint does first
    lines.push_back(comment.empty() ? text : text + "   # " + comment);
}

void attach(Recipe& r, int p, int target)
{
    const int first = NOV;
    const int oldFaces = NOS;
    r.op("add-cell=" + std::to_string(p));
    if (r.failed)
        return;
    // The new face (p, first, centre) runs p -> first; (first + 5, p, centre) runs first + 5 -> p.
    bool forward = false;  // an old face runs p -> target
    for (int f = 0; f < oldFaces; ++f)
        for (int k = 0; k < 3; ++k)
            forward = forward || (face[f][k] == p && face[f][(k + 1) % 3] == target);
    const int pasted = forward ? first + 5 : first;
    r.op("paste=" + std::to_string(target) + "," + std::to_string(pasted));
}

std::vector<BoundarySide> boundaryLoop()
{
    const std::vector<std::vector<BoundarySide>> loops = boundaryLoops();
    return loops.empty() ? std::vector<BoundarySide>() : loops[0];
}

int firstRunStart(const std::vector<BoundarySide>& loop)
{
    const int n = static_cast<int>(loop.size());
    int first = -1, shortest = n + 1;
    for (int k = 0; k < n; ++k) {
        if (loop[(k + n - 1) % n].opposite == loop[k].opposite)
            continue;
        int run = 1;
        while (run < n && loop[(k + run) % n].opposite == loop[k].opposite)
            ++run;
        if (run < shortest) {
            shortest = run;
            first = k;
        }
    }
    return first;
}

void pasteAll(Recipe& r, std::vector<std::pair<int, int>> pairs, std::vector<int>* perVertex)
{
    for (size_t k = 0; k < pairs.size(); ++k) {
        const int keep = std::min(pairs[k].first, pairs[k].second);
        const int gone = std::max(pairs[k].first, pairs[k].second);
        r.op("paste=" + std::to_string(keep) + "," + std::to_string(gone));
        if (perVertex && gone < static_cast<int>(perVertex->size()))
            perVertex->erase(perVertex->begin() + gone);
        for (size_t j = k + 1; j < pairs.size(); ++j)
            for (int* x : {&pairs[j].first, &pairs[j].second}) {
                if (*x == gone)
                    *x = keep;
                else if (*x > gone)
                    --*x;
            }
    }
}

void buildTorio(Recipe& r)
{
    attach(r, 0, 6);
    attach(r, 0, 1);
    r.op("paste-all", "the last seam");
    r.op("relax=stable");
}

void buildSixCells(Recipe& r)
{
    buildTorio(r);
    // The torio's three boundary vertices between two cells, each with the next
    // boundary vertex; pastes keep the lower index, so these numbers stay.
    std::vector<std::pair<int, int>> joints;
    const std::vector<BoundarySide> loop = boundaryLoop();
    const int n = static_cast<int>(loop.size());
    for (int i = 0; i < n; ++i)
        if (loop[(i + n - 1) % n].opposite != loop[i].opposite)
            joints.emplace_back(loop[i].from, loop[(i + 1) % n].from);
    for (const auto& joint : joints) {
        attach(r, joint.first, joint.second);
        r.op("paste-all", "the other side of the new cell");
        r.op("relax=stable");
    }
}

void settle(Recipe& r, int rounds)
{
    r.op("relax=stable");
    for (int k = 0; k < rounds; ++k) {
        r.op("spread=10");
        r.op("relax=stable");
    }
}

bool writeRecipe(const std::string& dir, const Recipe& r)
{
    if (r.failed)
        return false;
    const std::string path = dir + "/" + r.name + ".ops";
    std::ofstream out(path);
    if (!out) {
        std::fprintf(stderr, "make-recipes: cannot write %s\n", path.c_str());
        return false;
    }
    out << "# " << r.name << ": built from sample/single.kor by korvith-tool; written by make-recipes\n";
    for (const std::string& line : r.lines)
        out << line << "\n";
    return bool(out);
}
}  // namespace recipes
