#include "view/scene.h"

#include <cmath>

#include "model/adjacency.h"
#include "model/derived_data.h"
#include "geometry/face_strain.h"
#include "view/face_colour.h"
#include "view/projection.h"
#include "view/strain_colour.h"
#include "view/strain_key.h"

void buildScene(Scene& scene, SceneUse use)
{
    if (use == SceneUse::Window) {
        if (revised_face2edge)
            make_face2edge();
        if (revised_facedata)
            revise_facedata();
    }
    scene.width = 2 * g_centerx + 1;
    scene.height = 2 * g_centery + 1;
    scene.background = backgroundColour;
    scene.message = use == SceneUse::Window && messagetxt != " " ? messagetxt : wxString();

    computeDepthKeys();
    computePaintingOrder();
    projectVertices();
    const bool marks = use != SceneUse::Print;
    if (marks) {
        make_NOfaceOfVertex();
        make_curvature();
    }

    scene.points.assign(gv, gv + NOV);
    scene.exactX.resize(NOV);
    scene.exactY.resize(NOV);
    for (int i = 0; i < NOV; ++i) {
        scene.exactX[i] = g_centerx + g_rate * v[i].x;
        scene.exactY[i] = g_centery - g_rate * v[i].y;
    }

    scene.faces.clear();
    scene.discs.clear();
    // Strain colours, on cells (a thickened solid's edges have no target lengths to be off).
    scene.strainKey = g_show_strain && !g_solid;
    static thread_local std::vector<double> strain;
    if (scene.strainKey)
        faceStrain(strain);
    const double theory = theoryCurvature();
    const bool picked = g_purtj >= 0 || g_dragpurtj >= 0;
    const Outline selected = use == SceneUse::Print ? Outline::White : Outline::Dashed;
    for (int r = 0; r < NOS; ++r) {
        const int f = order[r];
        SceneFace out;
        out.index = f;
        for (int k = 0; k < 3; ++k)
            out.corner[k] = face[f][k];
        if (scene.strainKey) {
            const RGBColour base = strainColour(strain[f]);
            out.fill = faceColourFrom(f, base, base);
        } else {
            out.fill = getcolor(f);
        }
        out.outline = isFaceSelected(f) ? selected : Outline::Solid;
        if (marks) {
            for (int c : out.corner) {
                if (g_solid)
                    break;  // a thickened solid's corners have no angle sums to tell
                RGBColour mark;
                if (angleSumMark(c, theory, &mark))
                    scene.discs.push_back(SceneDisc{c, mark});
            }
            if (picked)
                for (int c : out.corner) {
                    if (c == g_purtj)
                        scene.discs.push_back(SceneDisc{g_purtj, RGBColour{255, 0, 0}});
                    if (c == g_dragpurtj)
                        scene.discs.push_back(SceneDisc{g_dragpurtj, RGBColour{255, 0, 0}});
                }
        }
        out.discEnd = static_cast<int>(scene.discs.size());
        scene.faces.push_back(out);
    }

    placeStrainKey(scene, scene.width, scene.height);
    scene.marks.clear();
    if (!marks)
        return;
    auto ring = [&](int vertex, double radius, RGBColour colour) {
        if (vertex >= 0 && vertex < NOV)
            scene.marks.push_back(SceneMark{SceneMark::Kind::Ring, vertex, vertex, radius, colour});
    };
    if (g_show_hidden) {
        std::vector<bool> onBoundary(NOV, false);
        for (const BoundarySide& s : boundarySides())
            for (int x : {s.from, s.to})
                if (x >= 0 && x < NOV && !onBoundary[x]) {
                    onBoundary[x] = true;
                    ring(x, 3, RGBColour{0, 0, 255});
                }
    }
    for (int k : g_gluable)
        ring(k, 4, RGBColour{0, 170, 0});
    if (g_aimpurtj >= 0 && g_aimpurtj < NOV && g_purtj >= 0 && g_purtj < NOV) {
        scene.marks.push_back(SceneMark{SceneMark::Kind::Line, g_purtj, g_aimpurtj, 0, RGBColour{255, 140, 0}});
        ring(g_aimpurtj, 8, RGBColour{255, 140, 0});
    }
    ring(g_purtj, 7, RGBColour{255, 0, 0});
    if (g_dragpurtj != g_purtj)
        ring(g_dragpurtj, 7, RGBColour{255, 0, 0});
}
