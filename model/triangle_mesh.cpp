#include "model/triangle_mesh.h"

#include <cmath>
#include <unordered_set>

#include "model/adjacency.h"
#include "model/components.h"

TriangleMesh currentMesh()
{
    TriangleMesh mesh;
    mesh.vertices.assign(v, v + NOV);
    mesh.triangles.resize(NOS);
    for (int f = 0; f < NOS; ++f)
        mesh.triangles[f] = {face[f][0], face[f][1], face[f][2]};
    return mesh;
}

bool meshIsFinite(const TriangleMesh& mesh)
{
    for (const Point3& p : mesh.vertices)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return false;
    return true;
}

void scalePoints(Point3* points, size_t count, double factor)
{
    for (size_t i = 0; i < count; ++i) {
        points[i].x *= factor;
        points[i].y *= factor;
        points[i].z *= factor;
    }
}

void scaleMesh(TriangleMesh& mesh, double factor)
{
    scalePoints(mesh.vertices.data(), mesh.vertices.size(), factor);
}

bool loadMeshIntoStore(const TriangleMesh& mesh, std::string* why)
{
    std::vector<std::array<int, 2>> edges;
    std::unordered_set<unsigned long long> seen;
    for (const auto& t : mesh.triangles)
        for (int k = 0; k < 3; ++k) {
            const int a = t[k], b = t[(k + 1) % 3];
            if (seen.insert(vertexPairKey(a, b)).second)
                edges.push_back({a, b});
        }
    const size_t nv = mesh.vertices.size(), ne = edges.size(), nf = mesh.triangles.size();
    if (nv > MAX_VERTICES || ne > MAX_EDGES || nf > MAX_FACES) {
        *why = "the result would have " + std::to_string(nv) + " vertices, " + std::to_string(ne) + " edges and " +
               std::to_string(nf) + " faces, more than the program holds (" + std::to_string(MAX_VERTICES) + ", " +
               std::to_string(MAX_EDGES) + ", " + std::to_string(MAX_FACES) + ")";
        return false;
    }
    NOV = static_cast<int>(nv);
    NOE = static_cast<int>(ne);
    NOS = static_cast<int>(nf);
    for (int i = 0; i < NOV; ++i)
        v[i] = mesh.vertices[i];
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            face[f][k] = mesh.triangles[f][k];
    for (int e = 0; e < NOE; ++e) {
        edge[e][0] = edges[e][0];
        edge[e][1] = edges[e][1];
        const Point3& a = v[edges[e][0]];
        const Point3& b = v[edges[e][1]];
        phi[e] = std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
    }
    subdiv_level = 1;
    // The target lengths are the present ones: nothing is to be revised from
    // face counts, which no longer describe cells.
    revised_facedata = false;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    for (int i = 0; i < NOV; ++i)
        conn_comp[i] = 0;
    fill_conn_comp();
    return true;
}
