// The normal of a face from its corner order.
#pragma once

#include "model/store.h"

// (p1 - p0) x (p2 - p0) for the corners p0, p1, p2 of face f, not normalised:
// its length is twice the face's area, and it points to the side from which the
// corners run anticlockwise. Reads: face, v.
inline Point3 faceNormal(int f)
{
    const Point3& p0 = v[face[f][0]];
    const Point3& p1 = v[face[f][1]];
    const Point3& p2 = v[face[f][2]];
    const double e1x = p1.x - p0.x, e1y = p1.y - p0.y, e1z = p1.z - p0.z;
    const double e2x = p2.x - p0.x, e2y = p2.y - p0.y, e2z = p2.z - p0.z;
    return Point3{e1y * e2z - e1z * e2y, e1z * e2x - e1x * e2z, e1x * e2y - e1y * e2x};
}
