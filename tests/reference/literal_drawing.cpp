#include "tests/reference/literal_drawing.h"

#include "model/store.h"

void literalPaintingOrder()
{
    for (int f = 0; f < NOS; ++f) {
        int p = 0;
        for (int g = 0; g < NOS; ++g) {
            if (center[g] > center[f])
                ++p;
            else if (g > f && center[g] == center[f])
                ++p;
        }
        if (0 <= p && p < NOS)
            order[p] = f;
    }
}

void literalMakeFace2edge()
{
    revised_face2edge = false;
    if (subdiv_level > 1)
        return;
    for (int f = 0; f < NOS; ++f) {
        for (int e = 0; e < NOE; ++e) {
            const int a = edge[e][0], b = edge[e][1];
            for (int s = 0; s < 3; ++s) {
                const int c = face[f][s], d = face[f][(s + 1) % 3];
                if ((a == c && b == d) || (a == d && b == c)) {
                    face2edge[3 * f + s] = e;
                    break;
                }
            }
        }
    }
}
