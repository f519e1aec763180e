#include "tests/reference/literal_grow.h"

#include "construct/glue.h"

std::vector<LiteralCell> cellsAddedSince(int firstFace)
{
    std::vector<LiteralCell> cells;
    for (int f = firstFace; f + 7 <= NOS; f += 7) {
        LiteralCell c;
        for (int q = 0; q < 7; ++q)
            c.rim[q] = face[f + q][0];
        c.centre = face[f][2];
        cells.push_back(c);
    }
    return cells;
}

void literalGrowRing(const std::vector<LiteralCell>& cells, const std::vector<Point3>& positions)
{
    for (const LiteralCell& c : cells) {
        const int N = NOV;
        for (int q = 0; q < 7; ++q)
            v[N + q] = positions[c.rim[q]];
        v[N + 7] = positions[c.centre];
        NOV += 8;
        for (int q = 0; q < 7; ++q) {
            edge[NOE][0] = N + q;
            edge[NOE][1] = N + (q + 1) % 7;
            phi[NOE++] = RIM_LENGTH;
        }
        for (int q = 0; q < 7; ++q) {
            edge[NOE][0] = N + q;
            edge[NOE][1] = N + 7;
            phi[NOE++] = SPOKE_LENGTH;
        }
        for (int q = 0; q < 7; ++q) {
            face[NOS][0] = N + q;
            face[NOS][1] = N + (q + 1) % 7;
            face[NOS][2] = N + 7;
            ++NOS;
        }
        // Rim vertices that are already there (the surface's, or a shared one
        // an earlier new cell made): glued, the highest appended first, so
        // that the ones still to glue keep their places.
        for (int q = 6; q >= 0; --q)
            if (c.rim[q] < N)
                pasteVertices(c.rim[q], N + q);
    }
}
