#include "tools/stl_reader.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>

#include "io/c_locale.h"

namespace {
struct Joiner {
    TriangleMesh* mesh;
    std::map<std::array<double, 3>, int> seen;
    int vertex(double x, double y, double z)
    {
        const auto at = seen.emplace(std::array<double, 3>{x, y, z}, static_cast<int>(mesh->vertices.size()));
        if (at.second)
            mesh->vertices.push_back(Point3{x, y, z});
        return at.first->second;
    }
};

bool readBinary(const std::string& bytes, TriangleMesh* mesh)
{
    if (bytes.size() < 84)
        return false;
    uint32_t count;
    std::memcpy(&count, bytes.data() + 80, 4);
    if (bytes.size() != 84 + 50 * static_cast<uint64_t>(count))
        return false;
    Joiner join{mesh, {}};
    for (uint32_t t = 0; t < count; ++t) {
        std::array<int, 3> tri;
        for (int k = 0; k < 3; ++k) {
            float c[3];
            std::memcpy(c, bytes.data() + 84 + 50 * static_cast<size_t>(t) + 12 + 12 * k, 12);
            tri[k] = join.vertex(c[0], c[1], c[2]);
        }
        mesh->triangles.push_back(tri);
    }
    return true;
}

bool readText(const std::string& bytes, TriangleMesh* mesh)
{
    const locale_t previous = uselocale(cLocale());
    std::istringstream in(bytes);
    std::string word;
    Joiner join{mesh, {}};
    std::array<int, 3> tri{};
    int corners = 0;
    bool ok = true;
    while (ok && in >> word) {
        if (word == "vertex") {
            double x, y, z;
            ok = corners < 3 && static_cast<bool>(in >> x >> y >> z);
            if (ok)
                tri[corners++] = join.vertex(x, y, z);
        } else if (word == "endfacet") {
            ok = corners == 3;
            mesh->triangles.push_back(tri);
            corners = 0;
        }
    }
    uselocale(previous);
    return ok && corners == 0 && !mesh->triangles.empty();
}
}  // namespace

bool readStl(const std::string& bytes, TriangleMesh* mesh, std::string* why)
{
    *mesh = TriangleMesh{};
    const bool text = bytes.compare(0, 5, "solid") == 0 && bytes.find("facet") != std::string::npos;
    if (!(text ? readText(bytes, mesh) : readBinary(bytes, mesh))) {
        *mesh = TriangleMesh{};
        if (text && readBinary(bytes, mesh))  // a binary file whose header begins with "solid"
            return meshIsFinite(*mesh) || (*why = "the file has positions that are not numbers", false);
        *why = text ? "not a text STL file (a facet without three vertices)"
                    : "not an STL file (its length does not match its triangle count)";
        return false;
    }
    if (!meshIsFinite(*mesh)) {
        *why = "the file has positions that are not numbers";
        return false;
    }
    return true;
}
