#include "model/document.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/edge_error.h"
#include "model/derived_data.h"
#include "model/store.h"

namespace {

struct Digest {
    std::uint64_t h = 0x9e3779b97f4a7c15ULL;
    void word(std::uint64_t w)
    {
        h ^= w + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
    }
    void bytes(const void* data, std::size_t n)
    {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        std::size_t k = 0;
        for (; k + 8 <= n; k += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + k, 8);
            word(w);
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, p + k, n - k);
        word(tail ^ n);
    }
};

}  // namespace

unsigned long long surfaceFingerprint()
{
    Digest d;
    const int counts[4] = {NOV, NOE, NOS, subdiv_level};
    d.bytes(counts, sizeof counts);
    // The shape by its edge lengths (to 1e-8), so that turning or moving the
    // whole surface to look at it is no change.
    for (int e = 0; e < NOE; ++e) {
        const Point3 a = v[edge[e][0]], b = v[edge[e][1]];
        const double L = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
        d.word(std::isfinite(L) ? static_cast<std::uint64_t>(std::llround(std::min(L, 1e10) * 1e8)) : ~0ULL);
    }
    if (NOE > 0) {
        d.bytes(edge, sizeof(int[2]) * NOE);
        d.bytes(phi, sizeof(double) * NOE);
    }
    if (NOS > 0)
        d.bytes(face, sizeof(int[3]) * NOS);
    return d.h;
}

namespace {
// The fingerprint of the surface as the next refresh will leave it (which
// revises target lengths and corner orders): where the derived data are
// stale, taken on a refreshed state that is then put back, so the store and
// its staleness flags stay as they are, for the refresh.
unsigned long long refreshedFingerprint()
{
    if (!revised_facedata && !revised_face2edge)
        return surfaceFingerprint();
    const std::vector<double> targets(phi, phi + NOE);
    const std::vector<int> corners(&face[0][0], &face[0][0] + 3 * NOS);
    const bool facedata = revised_facedata, face2edge = revised_face2edge, counts = NOfaceOfVertex_on;
    refreshDerivedData();
    const unsigned long long fingerprint = surfaceFingerprint();
    std::copy(targets.begin(), targets.end(), phi);
    std::copy(corners.begin(), corners.end(), &face[0][0]);
    revised_facedata = facedata;
    revised_face2edge = face2edge;
    NOfaceOfVertex_on = counts;
    return fingerprint;
}
}  // namespace

void markSurfaceSaved()
{
    g_savedFingerprint = refreshedFingerprint();
}

bool surfaceChanged()
{
    return refreshedFingerprint() != g_savedFingerprint;
}

std::string documentSummary()
{
    int cells = 0;
    for (int i = 0; i < NOV && i < NOFACEOFVERTEX_SIZE; ++i)
        cells += NOfaceOfVertex[i] == 7;
    char text[200];
    std::snprintf(text, sizeof text, " \xE2\x80\x94 %d cell%s \xC2\xB7 %d faces \xC2\xB7 level %d \xC2\xB7 edge error %.2g",
                  cells, cells == 1 ? "" : "s", NOS, subdiv_level, maxRelativeEdgeError());
    return std::string(g_Filename.utf8_str()) + (surfaceChanged() ? "*" : "") + text;
}
