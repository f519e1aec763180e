#include "model/document.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "geometry/precise_relaxation.h"
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
    if (NOV > 0)
        d.bytes(v, sizeof(Point3) * NOV);
    if (NOE > 0) {
        d.bytes(edge, sizeof(int[2]) * NOE);
        d.bytes(phi, sizeof(double) * NOE);
    }
    if (NOS > 0)
        d.bytes(face, sizeof(int[3]) * NOS);
    return d.h;
}

void markSurfaceSaved()
{
    refreshDerivedData();
    g_savedFingerprint = surfaceFingerprint();
}

bool surfaceChanged()
{
    return surfaceFingerprint() != g_savedFingerprint;
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
