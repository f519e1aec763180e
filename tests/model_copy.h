// A copy of the whole model (positions, edges, target lengths, faces, level),
// for comparing two ways of making the same change and for restoring a start.
#pragma once

#include <algorithm>
#include <vector>

#include "model/store.h"

struct Model {
    std::vector<Point3> v;
    std::vector<int> e, f;
    std::vector<double> phi;
    int level = 1;
    static Model take()
    {
        Model m;
        m.v.assign(::v, ::v + NOV);
        m.e.assign(&edge[0][0], &edge[0][0] + 2 * NOE);
        m.phi.assign(::phi, ::phi + NOE);
        m.f.assign(&face[0][0], &face[0][0] + 3 * NOS);
        m.level = subdiv_level;
        return m;
    }
    void put() const
    {
        NOV = static_cast<int>(v.size());
        NOE = static_cast<int>(phi.size());
        NOS = static_cast<int>(f.size() / 3);
        std::copy(v.begin(), v.end(), ::v);
        std::copy(e.begin(), e.end(), &edge[0][0]);
        std::copy(phi.begin(), phi.end(), ::phi);
        std::copy(f.begin(), f.end(), &face[0][0]);
        subdiv_level = level;
    }
    // Bit for bit equal: positions, edges, target lengths and faces.
    bool operator==(const Model& o) const
    {
        if (v.size() != o.v.size())
            return false;
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i].x != o.v[i].x || v[i].y != o.v[i].y || v[i].z != o.v[i].z)
                return false;
        return e == o.e && f == o.f && phi == o.phi;
    }
};
