#include "view/projection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

void computeDepthKeys()
{
    for (int f = 0; f < NOS; ++f) {
        const double z0 = v[face[f][0]].z, z1 = v[face[f][1]].z, z2 = v[face[f][2]].z;
        center[f] = (z1 + z0 + z2) / 3.0;
        order[f] = 0;
    }
}

void computePaintingOrder()
{
    // A face's place is the number of faces before it in the sorted order
    // (greater key, or equal key and higher index): sort the faces with keys
    // that are numbers accordingly and lay them out from position 0. Keys are
    // sorted beside their indices, so that comparisons read no other memory.
    struct Keyed {
        double key;
        int face;
    };
    static std::vector<Keyed> ranked;
    ranked.clear();
    ranked.reserve(NOS);
    int lastNaN = -1;
    for (int f = 0; f < NOS; ++f) {
        if (std::isnan(center[f]))
            lastNaN = f;
        else
            ranked.push_back(Keyed{center[f], f});
    }
    std::sort(ranked.begin(), ranked.end(), [](const Keyed& a, const Keyed& b) {
        return a.key > b.key || (a.key == b.key && a.face > b.face);
    });
    for (size_t p = 0; p < ranked.size(); ++p)
        order[p] = ranked[p].face;
    // Faces without a key all take position 0; the highest index keeps it.
    if (lastNaN >= 0 && (ranked.empty() || lastNaN > ranked[0].face))
        order[0] = lastNaN;
}

namespace {
int devicePixels(double d)
{
    const double limit = 1000000.0;
    if (std::isnan(d))
        return -static_cast<int>(limit);
    return static_cast<int>(std::max(-limit, std::min(limit, d)));
}
}  // namespace

void projectVertices()
{
    for (int i = 0; i < NOV; ++i) {
        gv[i].x = g_centerx + devicePixels(std::floor(g_rate * v[i].x));
        gv[i].y = g_centery - devicePixels(std::floor(g_rate * v[i].y));
    }
}

int distance(wxPoint p, wxPoint q)
{
    return std::max(std::abs(q.x - p.x), std::abs(q.y - p.y));
}

bool angleSumMark(int c, double theory, RGBColour* colour)
{
    if (NOfaceOfVertex[c] <= 5)
        return false;
    const double sum = curvature[c];
    if (sum > theory + 0.01) {
        const double m = std::min(255.0, std::floor((sum - theory - 0.01) * 250));
        *colour = RGBColour{static_cast<unsigned char>(m), 0, 0};
        return true;
    }
    if (sum < theory - 0.01) {
        const double m = std::min(255.0, std::floor((theory - 0.01 - sum) * 250));
        *colour = RGBColour{0, static_cast<unsigned char>(m), 0};
        return true;
    }
    return false;
}

bool isFaceSelected(int f)
{
    const int label = conn_comp[face[f][0]];
    return label >= 0 && label < MAX_COMPONENTS && hilighted[label];
}

wxString windowTitleFor(const wxString& message)
{
    return message == " " ? wxString("Korvith") : message;
}
