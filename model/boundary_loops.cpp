#include "model/boundary_loops.h"

#include <cstddef>
#include <unordered_map>

std::vector<std::vector<BoundarySide>> boundaryLoops()
{
    const std::vector<BoundarySide> sides = boundarySides();
    std::unordered_map<int, std::vector<std::size_t>> leaving;  // vertex -> its sides, in face order
    for (std::size_t k = 0; k < sides.size(); ++k)
        leaving[sides[k].from].push_back(k);
    std::vector<bool> used(sides.size(), false);
    std::vector<std::vector<BoundarySide>> loops;
    for (std::size_t s0 = 0; s0 < sides.size(); ++s0) {
        if (used[s0])
            continue;
        std::vector<BoundarySide> loop;
        for (std::size_t k = s0;;) {
            used[k] = true;
            loop.push_back(sides[k]);
            const int at = sides[k].to;
            if (at == loop[0].from)
                break;
            bool found = false;
            for (std::size_t next : leaving[at])
                if (!used[next]) {
                    k = next;
                    found = true;
                    break;
                }
            if (!found)
                break;
        }
        loops.push_back(loop);
    }
    return loops;
}
