// Writing a recipe of korvith-tool operations: each operation is run on the
// surface store as the tool runs it and written down, so that running the
// written recipe with the tool gives the same surface. With the helpers that
// grow cells and torios and find their boundaries.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/boundary_loops.h"

namespace recipes {
struct Recipe {
    std::string name;                // the recipe file's name, without ".ops"
    std::vector<std::string> lines;  // the operations (and notes) so far
    bool failed = false;             // an operation failed; nothing more runs
    bool bare = false;               // relaxation is switched off (modify-off) for the gluing

    // Runs one operation as the tool does (then refreshes the derived data as
    // a repaint does) and writes it down, with `comment` after a '#'. Pastes
    // and appends run bare, without the relaxation burst their window commands
    // end with: a "modify-off" goes before them, and another (with the one
    // burst it runs) before the next relaxing operation. On a failure reports
    // it on stderr and sets `failed`. Reads and writes the store.
    void op(const std::string& text, const std::string& comment = std::string());
    // Runs and writes down one operation as it stands.
    void run(const std::string& text, const std::string& comment);
    // Writes a comment line.
    void note(const std::string& text) { lines.push_back("# " + text); }
};

// Adds a cell at vertex p and glues it along the boundary edge from p to
// `target`: of the two new rim vertices beside p, the one whose new face runs
// along that edge the other way from the face already there is pasted onto
// `target`, so that the faces stay consistently oriented. Reads NOV, NOS, face.
void attach(Recipe& r, int p, int target);

// The boundary loop through the first boundary side (the first of
// boundaryLoops()), empty without a boundary. Reads the faces.
std::vector<BoundarySide> boundaryLoop();

// Where the loop starts a cell's run of boundary edges (a run: sides one
// after another whose `opposite`, the centre of their cell, is the same): the
// first of the shortest runs, should the runs differ; -1 when the loop is one
// cell's.
int firstRunStart(const std::vector<BoundarySide>& loop);

// Pastes every pair (a, b): the lower index stays; later pairs follow the
// renumbering, and so does `perVertex` (one entry per vertex), when given.
void pasteAll(Recipe& r, std::vector<std::pair<int, int>> pairs, std::vector<int>* perVertex = nullptr);

// Three cells around vertex 0, glued pairwise (the first cell is the store's).
void buildTorio(Recipe& r);

// Six cells: a torio with one more cell in the gap at each of its three
// boundary vertices where two cells meet, glued to both.
void buildSixCells(Recipe& r);

// Relaxes until stable, then `rounds` times opens folds (spreading) and
// relaxes again.
void settle(Recipe& r, int rounds);

// Writes the recipe to DIR/<name>.ops; false (with a message) when it failed
// or cannot be written.
bool writeRecipe(const std::string& dir, const Recipe& r);
}  // namespace recipes
