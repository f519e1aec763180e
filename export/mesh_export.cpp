#include "export/mesh_export.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include <nlohmann/json.hpp>

#include "io/c_locale.h"
#include "io/writer.h"
#include "export/three_mf.h"

namespace {
// Little-endian binary values appended to a byte string.
void putU32(std::string& out, uint32_t x)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<char>((x >> (8 * k)) & 0xff));
}

void putFloat(std::string& out, float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    putU32(out, bits);
}

void putPoint(std::string& out, const Point3& p)
{
    putFloat(out, static_cast<float>(p.x));
    putFloat(out, static_cast<float>(p.y));
    putFloat(out, static_cast<float>(p.z));
}

std::string offBytes(const TriangleMesh& m)
{
    char header[64];
    std::snprintf(header, sizeof header, "OFF\n%zu %zu 0\n", m.vertices.size(), m.triangles.size());
    return header + vertexLines(m, "%.9g %.9g %.9g\n") + triangleLines(m, "3 %d %d %d\n", 0);
}

// Positions and faces only: a per-vertex normal would be taken for the
// shading normal of every face that shares the vertex.
std::string objBytes(const TriangleMesh& m)
{
    char header[96];
    std::snprintf(header, sizeof header, "# Korvith surface: %zu vertices, %zu triangles\no surface\n",
                  m.vertices.size(), m.triangles.size());
    return header + vertexLines(m, "v %.9g %.9g %.9g\n") + triangleLines(m, "f %d %d %d\n", 1);
}

std::string plyBytes(const TriangleMesh& m)
{
    std::string out = "ply\nformat binary_little_endian 1.0\ncomment Korvith surface\nelement vertex " +
                      std::to_string(m.vertices.size()) +
                      "\nproperty float x\nproperty float y\nproperty float z\nelement face " +
                      std::to_string(m.triangles.size()) + "\nproperty list uchar int vertex_indices\nend_header\n";
    for (const Point3& p : m.vertices)
        putPoint(out, p);
    for (const auto& c : m.triangles) {
        out.push_back(3);
        for (int i : c)
            putU32(out, static_cast<uint32_t>(i));
    }
    return out;
}

// Whether every position survives the conversion to float that PLY, STL and
// glTF store (a larger one would turn into infinity).
bool fitsInFloats(const TriangleMesh& m)
{
    const double largest = std::numeric_limits<float>::max();
    for (const Point3& p : m.vertices)
        if (std::fabs(p.x) > largest || std::fabs(p.y) > largest || std::fabs(p.z) > largest)
            return false;
    return true;
}

// Whether a coordinate that is not 0 would become 0 or lose digits (a
// subnormal) as a float.
bool underflowsFloats(const TriangleMesh& m)
{
    for (const Point3& p : m.vertices)
        for (double x : {p.x, p.y, p.z})
            if (x != 0 && std::fabs(x) < std::numeric_limits<float>::min())
                return true;
    return false;
}

// Binary STL: the header must not begin with "solid", which readers take for
// the text form; each facet's normal is its corners' right-hand normal.
std::string stlBytes(const TriangleMesh& m)
{
    std::string out = "Binary STL of a Korvith surface";
    out.resize(80, ' ');
    putU32(out, static_cast<uint32_t>(m.triangles.size()));
    for (const auto& c : m.triangles) {
        const Point3 &p = m.vertices[c[0]], &q = m.vertices[c[1]], &r = m.vertices[c[2]];
        const double ux = q.x - p.x, uy = q.y - p.y, uz = q.z - p.z;
        const double wx = r.x - p.x, wy = r.y - p.y, wz = r.z - p.z;
        Point3 n{uy * wz - uz * wy, uz * wx - ux * wz, ux * wy - uy * wx};
        const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        n = len > 0 ? Point3{n.x / len, n.y / len, n.z / len} : Point3{0, 0, 0};
        putPoint(out, n);
        putPoint(out, p);
        putPoint(out, q);
        putPoint(out, r);
        out.append(2, '\0');  // attribute byte count
    }
    return out;
}

// glTF 2 binary: one mesh, one double-sided material in the window's face
// colour, positions as floats and indices as unsigned ints in one buffer.
std::string glbBytes(const TriangleMesh& m)
{
    std::string bin;
    float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    float hi[3] = {-lo[0], -lo[1], -lo[2]};
    for (const Point3& p : m.vertices) {
        const float c[3] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], c[k]);
            hi[k] = std::max(hi[k], c[k]);
        }
        putPoint(bin, p);
    }
    const size_t positionBytes = bin.size();
    for (const auto& c : m.triangles)
        for (int i : c)
            putU32(bin, static_cast<uint32_t>(i));
    const size_t indexBytes = bin.size() - positionBytes;

    using nlohmann::ordered_json;
    ordered_json j;
    j["asset"] = {{"version", "2.0"}, {"generator", "Korvith"}};
    j["scene"] = 0;
    j["scenes"] = ordered_json::array({{{"nodes", {0}}}});
    j["nodes"] = ordered_json::array({{{"mesh", 0}, {"name", "surface"}}});
    ordered_json primitive = {{"attributes", {{"POSITION", 0}}}, {"indices", 1}, {"material", 0}, {"mode", 4}};
    j["meshes"] = ordered_json::array({{{"name", "surface"}, {"primitives", {primitive}}}});
    const double cream[3] = {229 / 255.0, 224 / 255.0, 188 / 255.0};
    j["materials"] = ordered_json::array(
        {{{"name", "surface"},
          {"pbrMetallicRoughness",
           {{"baseColorFactor", {cream[0], cream[1], cream[2], 1.0}}, {"metallicFactor", 0.0}, {"roughnessFactor", 0.8}}},
          {"doubleSided", true}}});
    j["buffers"] = ordered_json::array({{{"byteLength", bin.size()}}});
    j["bufferViews"] = ordered_json::array(
        {{{"buffer", 0}, {"byteOffset", 0}, {"byteLength", positionBytes}, {"target", 34962}},
         {{"buffer", 0}, {"byteOffset", positionBytes}, {"byteLength", indexBytes}, {"target", 34963}}});
    j["accessors"] = ordered_json::array(
        {{{"bufferView", 0},
          {"componentType", 5126},
          {"count", m.vertices.size()},
          {"type", "VEC3"},
          {"min", {lo[0], lo[1], lo[2]}},
          {"max", {hi[0], hi[1], hi[2]}}},
         {{"bufferView", 1}, {"componentType", 5125}, {"count", 3 * m.triangles.size()}, {"type", "SCALAR"}}});
    std::string json = j.dump();
    json.resize((json.size() + 3) / 4 * 4, ' ');
    bin.resize((bin.size() + 3) / 4 * 4, '\0');

    std::string out;
    putU32(out, 0x46546C67);  // "glTF"
    putU32(out, 2);
    putU32(out, static_cast<uint32_t>(12 + 8 + json.size() + 8 + bin.size()));
    putU32(out, static_cast<uint32_t>(json.size()));
    putU32(out, 0x4E4F534A);  // "JSON"
    out += json;
    putU32(out, static_cast<uint32_t>(bin.size()));
    putU32(out, 0x004E4942);  // "BIN\0"
    out += bin;
    return out;
}

}  // namespace

std::string vertexLines(const TriangleMesh& mesh, const char* format)
{
    const locale_t previous = uselocale(cLocale());
    std::string out;
    char line[160];
    for (const Point3& p : mesh.vertices) {
        const int n = std::snprintf(line, sizeof line, format, p.x, p.y, p.z);
        out.append(line, n > 0 ? static_cast<size_t>(n) : 0);
    }
    uselocale(previous);
    return out;
}

std::string triangleLines(const TriangleMesh& mesh, const char* format, int firstIndex)
{
    std::string out;
    char line[160];
    for (const auto& c : mesh.triangles) {
        const int n = std::snprintf(line, sizeof line, format, c[0] + firstIndex, c[1] + firstIndex, c[2] + firstIndex);
        out.append(line, n > 0 ? static_cast<size_t>(n) : 0);
    }
    return out;
}

bool isMeshFormat(const std::string& extension)
{
    return extension == ".obj" || extension == ".ply" || extension == ".stl" || extension == ".off" ||
           extension == ".glb" || extension == ".3mf";
}

bool meshFileBytes(const TriangleMesh& mesh, const std::string& extension, std::string* bytes, std::string* error)
{
    if (mesh.triangles.empty()) {
        *error = "the surface has no faces";
        return false;
    }
    if (!meshIsFinite(mesh)) {
        *error = "the surface has positions that are not numbers (undo or relax it first)";
        return false;
    }
    if ((extension == ".ply" || extension == ".stl" || extension == ".glb") && !fitsInFloats(mesh)) {
        *error = "the surface has positions too large for the single-precision numbers of " + extension +
                 " files (scale it down first)";
        return false;
    }
    if ((extension == ".ply" || extension == ".stl" || extension == ".glb") && underflowsFloats(mesh)) {
        *error = "the surface has positions too near 0 for the single-precision numbers of " + extension +
                 " files (scale it up first)";
        return false;
    }
    if (extension == ".off")
        *bytes = offBytes(mesh);
    else if (extension == ".obj")
        *bytes = objBytes(mesh);
    else if (extension == ".ply")
        *bytes = plyBytes(mesh);
    else if (extension == ".stl")
        *bytes = stlBytes(mesh);
    else if (extension == ".glb")
        *bytes = glbBytes(mesh);
    else if (extension == ".3mf")
        *bytes = threeMfBytes(mesh);
    else {
        *error = "\"" + extension + "\" is not a mesh format";
        return false;
    }
    return true;
}

bool writeMeshFile(const std::string& path, const std::string& extension, const TriangleMesh& mesh,
                   std::string* error)
{
    std::string bytes;
    if (!meshFileBytes(mesh, extension, &bytes, error))
        return false;
    wxString reason;
    if (writeFileReplacing(wxString::FromUTF8(path), bytes, &reason))
        return true;
    *error = std::string(reason.utf8_str());
    return false;
}
