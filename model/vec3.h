// Arithmetic on the store's points: sums, differences, multiples, dot and
// cross products, lengths and directions.
#pragma once

#include <cmath>

#include "model/store.h"

inline Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Point3 operator*(double k, Point3 a) { return {k * a.x, k * a.y, k * a.z}; }
inline double dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3 cross(Point3 a, Point3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(Point3 a) { return std::sqrt(dot(a, a)); }
// a scaled to length 1 (not a number for the zero vector).
inline Point3 unit(Point3 a) { return (1.0 / length(a)) * a; }
