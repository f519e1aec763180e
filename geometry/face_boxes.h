// Bounding boxes of faces and a uniform grid that brings together the faces
// whose boxes come near each other: what the crossing test and the clearance
// measure use to look at a few pairs of faces instead of all of them.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/store.h"

// A box: minima in 0..2, maxima in 3..5.
using FaceBox = std::array<double, 6>;

// The bounding box of face f. Reads: face, v.
inline FaceBox faceBox(int f)
{
    FaceBox box;
    for (int d = 0; d < 3; ++d) {
        const double a = (&v[face[f][0]].x)[d], b = (&v[face[f][1]].x)[d], c = (&v[face[f][2]].x)[d];
        box[d] = std::min({a, b, c});
        box[d + 3] = std::max({a, b, c});
    }
    return box;
}

// Whether boxes a and b are more than `reach` apart along some axis.
inline bool boxesApart(const FaceBox& a, const FaceBox& b, double reach = 0)
{
    bool apart = false;
    for (int d = 0; d < 3; ++d)
        apart = apart || a[d] - b[d + 3] > reach || b[d] - a[d + 3] > reach;
    return apart;
}

// Calls visit(f, g), f < g, once for every pair of the faces `placed` (in
// increasing order, with finite boxes) whose boxes come within `reach` of each
// other. The faces go into a grid of cells about `cell` wide (wider when that
// would make more than a few cells per face), each into every cell its box,
// grown by reach / 2, touches; a pair is visited in the one cell that holds
// the lowest corner of the grown boxes' overlap.
template <class Visit>
void forEachNearBoxPair(const std::vector<FaceBox>& boxes, const std::vector<int>& placed, double cell, double reach,
                        Visit visit)
{
    if (placed.empty())
        return;
    FaceBox all = boxes[placed[0]];
    for (int f : placed)
        for (int d = 0; d < 3; ++d) {
            all[d] = std::min(all[d], boxes[f][d]);
            all[d + 3] = std::max(all[d + 3], boxes[f][d + 3]);
        }
    // The grid must stay small and its slots integers whatever the boxes hold:
    // a span that overflows (corners near the largest double) or a cell that
    // is not a positive number gives one cell holding every face.
    bool oneCell = !(cell > 0) || !std::isfinite(cell) || !std::isfinite(reach);
    for (int d = 0; d < 3; ++d)
        oneCell = oneCell || !std::isfinite(all[d + 3] - all[d] + reach);
    if (oneCell)
        cell = 1.0;
    long dims[3] = {1, 1, 1};
    for (int tries = 0; !oneCell; ++tries) {
        long cells = 1;
        for (int d = 0; d < 3; ++d) {
            double n = (all[d + 3] - all[d] + reach) / cell;
            n = n >= 0 ? std::min(n, 1e6) : 0;
            dims[d] = static_cast<long>(n) + 1;
            cells *= dims[d];
        }
        if (cells <= 4L * static_cast<long>(placed.size()) + 64)
            break;
        cell *= 1.5;
        if (tries > 200 || !std::isfinite(cell))
            oneCell = true, dims[0] = dims[1] = dims[2] = 1;
    }
    const double grow = oneCell ? 0 : reach / 2;
    auto slot = [&](int d, double c) {
        const double s = (c - all[d] + grow) / cell;
        if (!(s > 0))
            return 0L;
        return s >= static_cast<double>(dims[d] - 1) ? dims[d] - 1 : static_cast<long>(s);
    };
    auto cellIndex = [&](long x, long y, long z) { return (z * dims[1] + y) * dims[0] + x; };
    const long cells = dims[0] * dims[1] * dims[2];
    auto forEachCell = [&](int f, auto inCell) {
        const FaceBox& b = boxes[f];
        for (long z = slot(2, b[2] - grow); z <= slot(2, b[5] + grow); ++z)
            for (long y = slot(1, b[1] - grow); y <= slot(1, b[4] + grow); ++y)
                for (long x = slot(0, b[0] - grow); x <= slot(0, b[3] + grow); ++x)
                    inCell(cellIndex(x, y, z));
    };
    std::vector<int> start(cells + 1, 0);
    for (int f : placed)
        forEachCell(f, [&](long c) { ++start[c + 1]; });
    for (long c = 0; c < cells; ++c)
        start[c + 1] += start[c];
    std::vector<int> members(start[cells]);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (int f : placed)
        forEachCell(f, [&](long c) { members[fill[c]++] = f; });

    for (long c = 0; c < cells; ++c)
        for (int i = start[c]; i < start[c + 1]; ++i)
            for (int j = i + 1; j < start[c + 1]; ++j) {
                const int f = members[i], g = members[j];
                const FaceBox &a = boxes[f], &b = boxes[g];
                if (boxesApart(a, b, reach))
                    continue;
                if (cellIndex(slot(0, std::max(a[0], b[0]) - grow), slot(1, std::max(a[1], b[1]) - grow),
                              slot(2, std::max(a[2], b[2]) - grow)) != c)
                    continue;
                visit(f, g);
            }
}
