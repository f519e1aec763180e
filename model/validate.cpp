#include "model/validate.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>
#include <vector>

#include "model/adjacency.h"
#include "model/store.h"

namespace {
// The first side of a face that is a side of three or more faces, described;
// "" when there is none.
std::string overfullSide()
{
    std::vector<std::pair<unsigned long long, int>> sides;
    sides.reserve(3 * static_cast<size_t>(NOS));
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            sides.emplace_back(vertexPairKey(face[f][k], face[f][(k + 1) % 3]), f);
    std::sort(sides.begin(), sides.end());
    for (size_t k = 2; k < sides.size(); ++k)
        if (sides[k].first == sides[k - 2].first) {
            std::ostringstream out;
            out << "the side from vertex " << (sides[k].first >> 32) << " to vertex " << (sides[k].first & 0xFFFFFFFFu)
                << " is a side of faces " << sides[k - 2].second << ", " << sides[k - 1].second << " and "
                << sides[k].second;
            return out.str();
        }
    return std::string();
}
}  // namespace

std::string validateStore()
{
    std::ostringstream out;
    if (NOV < 0 || NOV > MAX_VERTICES)
        out << "NOV " << NOV << " outside [0, " << MAX_VERTICES << "]";
    else if (NOE < 0 || NOE > MAX_EDGES)
        out << "NOE " << NOE << " outside [0, " << MAX_EDGES << "]";
    else if (NOS < 0 || NOS > MAX_FACES)
        out << "NOS " << NOS << " outside [0, " << MAX_FACES << "]";
    else if (NOcomp < 0 || NOcomp >= MAX_COMPONENTS)
        out << "NOcomp " << NOcomp << " outside [0, " << MAX_COMPONENTS << ")";
    else if (subdiv_level < 1 || subdiv_level > 6)
        out << "subdiv_level " << subdiv_level << " outside 1 .. 6";
    if (!out.str().empty())
        return out.str();

    for (int e = 0; e < NOE; ++e) {
        for (int k = 0; k < 2; ++k)
            if (edge[e][k] < 0 || edge[e][k] >= NOV) {
                out << "edge " << e << " end " << k << " = " << edge[e][k] << " outside [0, " << NOV << ")";
                return out.str();
            }
        if (!std::isfinite(phi[e]) || !(phi[e] > 0.0)) {
            out << "phi[" << e << "] = " << phi[e] << " is not finite and positive";
            return out.str();
        }
    }
    for (int f = 0; f < NOS; ++f) {
        for (int k = 0; k < 3; ++k)
            if (face[f][k] < 0 || face[f][k] >= NOV) {
                out << "face " << f << " corner " << k << " = " << face[f][k] << " outside [0, " << NOV << ")";
                return out.str();
            }
        if (face[f][0] == face[f][1] || face[f][1] == face[f][2] || face[f][0] == face[f][2]) {
            out << "face " << f << " (" << face[f][0] << ", " << face[f][1] << ", " << face[f][2]
                << ") has a vertex as two of its corners";
            return out.str();
        }
    }
    for (int i = 0; i < NOV; ++i) {
        if (!std::isfinite(v[i].x) || !std::isfinite(v[i].y) || !std::isfinite(v[i].z)) {
            out << "vertex " << i << " has a position that is not finite";
            return out.str();
        }
        if (conn_comp[i] < 0 || conn_comp[i] >= MAX_COMPONENTS) {
            out << "conn_comp[" << i << "] = " << conn_comp[i] << " outside [0, " << MAX_COMPONENTS << ")";
            return out.str();
        }
    }
    return overfullSide();
}
