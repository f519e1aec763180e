#include "geometry/face_strain.h"

#include <cmath>

#include "model/store.h"

void faceStrain(std::vector<double>& out)
{
    // Each vertex's edges, with their errors, in one array sorted by vertex.
    static thread_local std::vector<int> first, other;
    static thread_local std::vector<double> error;
    first.assign(size_t(NOV) + 1, 0);
    for (int e = 0; e < NOE; ++e)
        for (int end : edge[e])
            if (end >= 0 && end < NOV)
                ++first[size_t(end) + 1];
    for (int i = 0; i < NOV; ++i)
        first[size_t(i) + 1] += first[i];
    other.resize(size_t(first[NOV]));
    error.resize(size_t(first[NOV]));
    static thread_local std::vector<int> next;
    next.assign(first.begin(), first.end() - 1);
    for (int e = 0; e < NOE; ++e) {
        const int a = edge[e][0], b = edge[e][1];
        if (a < 0 || a >= NOV || b < 0 || b >= NOV)
            continue;
        const double dx = v[a].x - v[b].x, dy = v[a].y - v[b].y, dz = v[a].z - v[b].z;
        const double relative = std::fabs(std::sqrt(dx * dx + dy * dy + dz * dz) - phi[e]) / phi[e];
        other[size_t(next[a])] = b;
        error[size_t(next[a]++)] = relative;
        other[size_t(next[b])] = a;
        error[size_t(next[b]++)] = relative;
    }

    out.assign(size_t(NOS), 0.0);
    for (int f = 0; f < NOS; ++f) {
        double worst = 0;
        for (int k = 0; k < 3; ++k) {
            const int a = face[f][k], b = face[f][(k + 1) % 3];
            if (a < 0 || a >= NOV || b < 0 || b >= NOV)
                continue;
            for (int j = first[a]; j < first[size_t(a) + 1]; ++j)
                if (other[size_t(j)] == b) {
                    const double e = error[size_t(j)];
                    if (std::isnan(e) || std::isnan(worst))
                        worst = NAN;
                    else if (e > worst)
                        worst = e;
                }
        }
        out[size_t(f)] = worst;
    }
}
