// The normal of a face from its corner order.
#pragma once

#include "model/store.h"
#include "model/vec3.h"

// (p1 - p0) x (p2 - p0) for the corners p0, p1, p2 of face f, not normalised:
// its length is twice the face's area, and it points to the side from which the
// corners run anticlockwise. Reads: face, v.
inline Point3 faceNormal(int f)
{
    const Point3& p0 = v[face[f][0]];
    const Point3& p1 = v[face[f][1]];
    const Point3& p2 = v[face[f][2]];
    return cross(p1 - p0, p2 - p0);
}
