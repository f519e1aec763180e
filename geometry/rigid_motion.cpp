#include "geometry/rigid_motion.h"

#include <string>

#include "geometry/runaway_guard.h"

#include <cmath>

#include "geometry/relaxation.h"
#include "model/components.h"
#include "model/store.h"
#include "model/topology.h"

int pickedVertex()
{
    return g_purtj >= 0 && g_purtj < NOV ? g_purtj : -1;
}

bool anyComponentSelected()
{
    for (int c = 1; c < MAX_COMPONENTS; ++c)
        if (hilighted[c])
            return true;
    return false;
}

namespace {
// True when the component of vertex i is selected.
bool vertexSelected(int i)
{
    const int c = conn_comp[i];
    return c >= 0 && c < MAX_COMPONENTS && hilighted[c];
}
}  // namespace

void rotatepoly(double a, double b)
{
    const bool selection = anyComponentSelected();
    if (selection)
        fill_center_conn_comp();
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    for (int i = 0; i < NOV; ++i) {
        Point3 c{0, 0, 0};
        if (selection) {
            if (!vertexSelected(i))
                continue;
            c = compCenter[conn_comp[i]];
        }
        const double x = v[i].x - c.x, y = v[i].y - c.y, z = v[i].z - c.z;
        const double x1 = ca * x - sa * z;
        const double z1 = sa * x + ca * z;
        const double y2 = cb * y + sb * z1;
        const double z2 = -sb * y + cb * z1;
        v[i] = Point3{c.x + x1, c.y + y2, c.z + z2};
    }
}

void offsetpolygon()
{
    if (NOV <= 0)
        return;
    const double r = 1.0 / NOV;
    Point3 sum{0, 0, 0};
    for (int i = 0; i < NOV; ++i) {
        sum.x += v[i].x;
        sum.y += v[i].y;
        sum.z += v[i].z;
    }
    const Point3 c{r * sum.x, r * sum.y, r * sum.z};
    for (int i = 0; i < NOV; ++i) {
        v[i].x -= c.x;
        v[i].y -= c.y;
        v[i].z -= c.z;
    }
}

void movepoly(double dx, double dy, double dz)
{
    for (int i = 0; i < NOV; ++i) {
        v[i].x += dx;
        v[i].y += dy;
        v[i].z += dz;
    }
}

void mirrorpoly()
{
    if (!anyComponentSelected()) {
        for (int i = 0; i < NOV; ++i)
            v[i].x = -v[i].x;
        for (int f = 0; f < NOS; ++f)
            swap(&face[f][1], &face[f][2]);
        return;
    }
    fill_center_conn_comp();
    for (int i = 0; i < NOV; ++i)
        if (vertexSelected(i))
            v[i].x = 2 * compCenter[conn_comp[i]].x - v[i].x;
    for (int f = 0; f < NOS; ++f)
        if (vertexSelected(face[f][0]))
            swap(&face[f][1], &face[f][2]);
}

bool pullpoint()
{
    const int p = pickedVertex();
    if (p < 0)
        return false;
    const std::string fault = guardedStep([p] {
        v[p].z -= 0.3;
        modify();
    });
    if (!fault.empty()) {
        messagetxt = wxString::FromUTF8(("Not pulled: " + fault).c_str());
        return false;
    }
    return true;
}

double purturbOffset(int p)
{
    const double q = p;
    return 0.16 * std::sin(0.4 * q) * (1 - 0.02 * q) * (1 - 0.02 * q);
}

void purturbStep()
{
    const int p = pickedVertex();
    if (p < 0)
        return;
    v[p].z += purturbOffset(g_purturb);
    modify();
}
