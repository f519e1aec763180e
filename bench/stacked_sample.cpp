#include "bench/stacked_sample.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "geometry/smoothing.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "view/view_commands.h"

std::string benchSamplePath(const std::string& name)
{
    return std::string(KORVITH_SOURCE_DIR) + "/sample/" + name;
}

void stackedSample(const std::string& name, int copies, bool smoothed)
{
    resetStore();
    const std::string path = benchSamplePath(name);
    if (!wxTranslateData(path, false) || NOV == 0) {
        std::fprintf(stderr, "benchmark: cannot read the sample %s\n", path.c_str());
        std::exit(1);
    }
    const int nv = NOV, ne = NOE, ns = NOS;
    if (long(nv) * copies > MAX_VERTICES || long(ne) * copies > MAX_EDGES || long(ns) * copies > MAX_FACES) {
        std::fprintf(stderr, "benchmark: %d copies of %s do not fit the store\n", copies, name.c_str());
        std::exit(1);
    }
    for (int c = 1; c < copies; ++c) {
        for (int i = 0; i < nv; ++i)
            v[c * nv + i] = Point3{v[i].x, v[i].y, v[i].z + 3.0 * c};
        for (int e = 0; e < ne; ++e) {
            edge[c * ne + e][0] = edge[e][0] + c * nv;
            edge[c * ne + e][1] = edge[e][1] + c * nv;
            phi[c * ne + e] = phi[e];
        }
        for (int f = 0; f < ns; ++f)
            for (int k = 0; k < 3; ++k)
                face[c * ns + f][k] = face[f][k] + c * nv;
    }
    NOV = nv * copies;
    NOE = ne * copies;
    NOS = ns * copies;
    revised_face2edge = revised_facedata = true;
    NOfaceOfVertex_on = false;
    refreshDerivedData();
    if (smoothed)
        smoothen();
}

void viewAsZoomedOut(int width, int height)
{
    g_centerx = width / 2;
    g_centery = height / 2;
    g_rate = 100.0;
    auto fits = [&] {
        for (int i = 0; i < NOV; ++i)
            if (std::abs(v[i].x) * g_rate > g_centerx || std::abs(v[i].y) * g_rate > g_centery)
                return false;
        return true;
    };
    while (!fits() && g_rate > 15.0)
        zoomOut();
}
