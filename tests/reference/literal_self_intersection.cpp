#include "tests/reference/literal_self_intersection.h"

#include "geometry/self_intersection.h"
#include "model/store.h"

std::vector<std::pair<int, int>> literalSelfIntersections()
{
    std::vector<std::pair<int, int>> found;
    for (int f = 0; f < NOS; ++f)
        for (int g = f + 1; g < NOS; ++g)
            if (facesCross(f, g))
                found.emplace_back(f, g);
    return found;
}
