#include "model/finite_positions.h"

#include <cmath>

#include "model/store.h"

bool surfaceIsFinite()
{
    for (int i = 0; i < NOV; ++i)
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || !std::isfinite(v[i].z))
            return false;
    for (int e = 0; e < NOE; ++e)
        if (!std::isfinite(phi[e]))
            return false;
    return true;
}
