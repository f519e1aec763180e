// Surfaces for tests and benchmarks, grown with the program's own operations.
#pragma once

#include <random>

// Glues one side of a cell just added at vertex P, as a user would with the
// mouse: of its first and sixth new rim vertices (firstNew, firstNew + 5) and
// P's older neighbours, the nearest pair that may be pasted. Returns false
// when none may.
bool glueNewCell(int P, int firstNew);

// Grows the current surface by `cells` cells added at random boundary vertices
// with 2 or 4 faces, gluing one side of most new cells and, when
// `zipInBetween`, zipping now and then, so that many seams are left ready to zip.
void grow(std::mt19937& rng, int cells, bool zipInBetween);

// Appends copies of the current surface until there are `copies` in all, each
// shifted along x past the one before by the surface's width plus 1 (or, when
// `alongViewingAxis`, along z by its depth plus 1, so that all of them lie in
// the picture), so that no two copies touch. Returns false, changing nothing,
// when the copies would pass the store's capacities.
bool replicate(int copies, bool alongViewingAxis = false);
