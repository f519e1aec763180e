#include "model/edge_error.h"

#include <algorithm>
#include <cmath>

double maxRelativeEdgeError()
{
    double worst = 0;
    for (int e = 0; e < NOE; ++e) {
        const double error = std::fabs(edgeLength(e) - phi[e]) / phi[e];
        if (std::isnan(error))
            return error;
        worst = std::max(worst, error);
    }
    return worst;
}
