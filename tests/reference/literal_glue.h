// The straightforward forms of pasting (duplicate edges found by comparing all
// pairs) and zipping (a face scan per test, a restart from vertex 0 after each
// paste), kept as references for the faster forms the program uses.
#pragma once

// Merges a and b; duplicates removed by repeated pairwise comparison.
void literalPasteVertices(int a, int b);

// Zips every seam with plain face scans, pasting through literalPasteVertices.
void literalPasteAllpastableEdges();
