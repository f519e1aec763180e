#include "model/validate.h"

#include <cmath>
#include <sstream>

#include "model/store.h"

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
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            if (face[f][k] < 0 || face[f][k] >= NOV) {
                out << "face " << f << " corner " << k << " = " << face[f][k] << " outside [0, " << NOV << ")";
                return out.str();
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
    return std::string();
}
