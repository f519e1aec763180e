#include "tests/reference/literal_drawing.h"

#include <cmath>

#include "model/derived_data.h"
#include "model/store.h"
#include "view/face_colour.h"

void literalPaintingOrder()
{
    for (int f = 0; f < NOS; ++f) {
        int p = 0;
        for (int g = 0; g < NOS; ++g) {
            if (center[g] > center[f])
                ++p;
            else if (g > f && center[g] == center[f])
                ++p;
        }
        if (0 <= p && p < NOS)
            order[p] = f;
    }
}

void literalMakeFace2edge()
{
    revised_face2edge = false;
    if (subdiv_level > 1)
        return;
    for (int f = 0; f < NOS; ++f) {
        for (int e = 0; e < NOE; ++e) {
            const int a = edge[e][0], b = edge[e][1];
            for (int s = 0; s < 3; ++s) {
                const int c = face[f][s], d = face[f][(s + 1) % 3];
                if ((a == c && b == d) || (a == d && b == c)) {
                    face2edge[3 * f + s] = e;
                    break;
                }
            }
        }
    }
}

void literalDrawingPass(std::vector<LiteralCall>* calls)
{
    calls->clear();
    if (revised_face2edge)
        make_face2edge();
    if (revised_facedata)
        revise_facedata();
    for (int f = 0; f < NOS; ++f) {
        const double z0 = v[face[f][0]].z, z1 = v[face[f][1]].z, z2 = v[face[f][2]].z;
        center[f] = (z1 + z0 + z2) / 3.0;
        order[f] = 0;
    }
    literalPaintingOrder();
    for (int i = 0; i < NOV; ++i) {
        gv[i].x = g_centerx + static_cast<int>(std::floor(g_rate * v[i].x));
        gv[i].y = g_centery - static_cast<int>(std::floor(g_rate * v[i].y));
    }
    make_NOfaceOfVertex();
    make_curvature();
    const double s = subdiv_level;
    const double theory = 42 * s * s * M_PI / (21 * s * s - 1);
    for (int r = 0; r < NOS; ++r) {
        const int f = order[r];
        const int c0 = face[f][0], c1 = face[f][1], c2 = face[f][2];
        const bool dashed = hilighted[conn_comp[c0]];
        const RGBColour fill = getcolor(f);
        LiteralCall tri{LiteralCall::Polygon, {gv[c0].x, gv[c1].x, gv[c2].x}, {gv[c0].y, gv[c1].y, gv[c2].y},
                        {fill.r, fill.g, fill.b}, dashed};
        calls->push_back(tri);
        auto disc = [&](int c, unsigned char red, unsigned char green) {
            calls->push_back(LiteralCall{LiteralCall::Disc, {gv[c].x - 5, 0, 0}, {gv[c].y - 5, 0, 0}, {red, green, 0}, dashed});
        };
        for (int c : {c0, c1, c2}) {
            if (NOfaceOfVertex[c] > 5) {
                if (curvature[c] > theory + 0.01) {
                    const double m = std::floor((curvature[c] - theory - 0.01) * 250);
                    disc(c, static_cast<unsigned char>(m > 255 ? 255 : m), 0);
                } else if (curvature[c] < theory - 0.01) {
                    const double m = std::floor((theory - 0.01 - curvature[c]) * 250);
                    disc(c, 0, static_cast<unsigned char>(m > 255 ? 255 : m));
                }
            }
        }
        if (g_purtj >= 0 || g_dragpurtj >= 0) {
            for (int c : {c0, c1, c2}) {
                if (c == g_purtj)
                    disc(g_purtj, 255, 0);
                if (c == g_dragpurtj)
                    disc(g_dragpurtj, 255, 0);
            }
        }
    }
}
