// Writes the recipes of the sample surfaces (sample/recipes/<name>.ops): each
// surface is built here from the one cell with korvith-tool's own operations,
// run as the tool runs them, and every operation is written down, so that
// `korvith-tool apply sample/single.kor sample/<file> @sample/recipes/<name>.ops`
// builds the same surface. Choices that depend on the geometry (which new rim
// vertex lies next to a neighbour) are made on the state the tool will have.
//
//     make-recipes SINGLE_CELL_FILE RECIPE_DIR
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <wx/init.h>

#include "construct/glue.h"
#include "io/open_commands.h"
#include "model/store.h"
#include "tools/tool_ops.h"

namespace {
struct Recipe {
    std::string name;
    std::vector<std::string> lines;
    bool failed = false;

    // Runs one operation as the tool does and writes it down.
    void op(const std::string& text, const std::string& comment = std::string())
    {
        ToolOp parsed;
        std::string error;
        if (failed || !parseToolOp(text, &parsed, &error) || !runToolOp(parsed, false, &error)) {
            if (!failed)
                std::fprintf(stderr, "make-recipes: %s: %s: %s\n", name.c_str(), text.c_str(), error.c_str());
            failed = true;
            return;
        }
        refreshAsRepaint();
        lines.push_back(comment.empty() ? text : text + "   # " + comment);
    }
    void note(const std::string& text) { lines.push_back("# " + text); }
};

double dist(int a, int b)
{
    return std::sqrt((v[a].x - v[b].x) * (v[a].x - v[b].x) + (v[a].y - v[b].y) * (v[a].y - v[b].y) +
                     (v[a].z - v[b].z) * (v[a].z - v[b].z));
}

// Adds a cell at vertex p and glues it along the edge from p to `target` (a
// neighbour of p on the boundary): of the two new rim vertices beside p, the
// one nearer `target` is pasted onto it. Returns the index of the other one
// (the new cell's free rim vertex beside p), which stays valid after the paste.
int attach(Recipe& r, int p, int target)
{
    const int first = NOV;
    r.op("add-cell=" + std::to_string(p));
    if (r.failed)
        return -1;
    const int a = first, b = first + 5;
    const bool pasteA = dist(a, target) <= dist(b, target);
    const int pasted = pasteA ? a : b;
    int free = pasteA ? b : a;
    r.op("paste=" + std::to_string(target) + "," + std::to_string(pasted));
    if (free > pasted)
        --free;  // the higher of a pasted pair is removed and later vertices move down
    return free;
}

Recipe torio()
{
    Recipe r;
    r.name = "torio";
    r.note("three cells around vertex 0, glued pairwise");
    attach(r, 0, 6);
    attach(r, 0, 1);
    r.op("paste-all", "the last seam");
    r.op("relax=stable");
    r.op("center", "shown in the middle of the window");
    return r;
}

bool writeRecipe(const std::string& dir, const Recipe& r)
{
    if (r.failed)
        return false;
    std::ofstream out(dir + "/" + r.name + ".ops");
    out << "# " << r.name << ": built from sample/single.kor by korvith-tool; written by make-recipes\n";
    for (const std::string& line : r.lines)
        out << line << "\n";
    return bool(out);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-recipes SINGLE_CELL_FILE RECIPE_DIR\n");
        return 2;
    }
    wxInitializer initializer;
    const std::string single = argv[1];
    const std::string dir = argv[2];
    using Builder = Recipe (*)();
    const Builder builders[] = {torio};
    bool ok = true;
    for (Builder build : builders) {
        resetStore();
        if (!openSurfaceFile(single, false)) {
            std::fprintf(stderr, "make-recipes: cannot read %s\n", single.c_str());
            return 1;
        }
        refreshAsRepaint();
        const Recipe recipe = build();
        ok = writeRecipe(dir, recipe) && ok;
    }
    return ok ? 0 : 1;
}
