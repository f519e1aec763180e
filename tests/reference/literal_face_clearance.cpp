#include "tests/reference/literal_face_clearance.h"

#include <algorithm>
#include <limits>

#include "geometry/face_clearance.h"
#include "model/store.h"

double literalSmallestFaceClearance()
{
    double best = std::numeric_limits<double>::infinity();
    for (int f = 0; f < NOS; ++f)
        for (int g = f + 1; g < NOS; ++g) {
            bool shared = false;
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    shared = shared || face[f][i] == face[g][j];
            if (!shared)
                best = std::min(best, triangleDistance(&v[face[f][0]].x, &v[face[f][1]].x, &v[face[f][2]].x,
                                                       &v[face[g][0]].x, &v[face[g][1]].x, &v[face[g][2]].x));
        }
    return best;
}
