#include "geometry/hole_area.h"

#include "model/vec3.h"
#include "model/boundary_loops.h"

std::vector<double> holeAreas()
{
    std::vector<double> areas;
    for (const std::vector<BoundarySide>& loop : boundaryLoops()) {
        Point3 sum{0, 0, 0};
        for (const BoundarySide& side : loop)
            sum = sum + cross(v[side.from], v[side.to]);
        areas.push_back(0.5 * length(sum));
    }
    return areas;
}
