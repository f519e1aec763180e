// Arithmetic on the store's points as vectors: sums, differences, negation,
// multiples and quotients, dot and cross products, lengths and directions.
// Each function has one order of operations, component by component as
// written, so that every caller gets the same bits from the same input (the
// samples rebuilt from their recipes depend on it).
#pragma once

#include <cmath>

#include "model/store.h"

inline Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Point3 operator-(Point3 a) { return {-a.x, -a.y, -a.z}; }
inline Point3 operator*(double k, Point3 a) { return {k * a.x, k * a.y, k * a.z}; }
// Each coordinate divided by k (not multiplied by 1 / k, which rounds differently).
inline Point3 operator/(Point3 a, double k) { return {a.x / k, a.y / k, a.z / k}; }
inline double dot(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3 cross(Point3 a, Point3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(Point3 a) { return std::sqrt(dot(a, a)); }
// a scaled to length 1 by the reciprocal of its length (not a number for the
// zero vector); a / length(a) divides instead.
inline Point3 unit(Point3 a) { return (1.0 / length(a)) * a; }
// The point whose coordinates are p[0], p[1], p[2].
inline Point3 pointAt(const double* p) { return {p[0], p[1], p[2]}; }
