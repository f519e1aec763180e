// Thickening a surface into a printable solid, on built sheets and on every
// sample; and the orientability and genus that info reports.
#include "tests/fixture.h"

#include <cmath>
#include <map>

#include "geometry/self_intersection.h"
#include "geometry/thicken.h"
#include "io/open_commands.h"
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "model/surface_info.h"
#include "model/triangle_mesh.h"

namespace {
// Six times the enclosed volume (positive when the triangles face outwards).
double sixVolume(const TriangleMesh& m)
{
    double sum = 0;
    for (const auto& c : m.triangles) {
        const Point3 &a = m.vertices[c[0]], &b = m.vertices[c[1]], &d = m.vertices[c[2]];
        sum += a.x * (b.y * d.z - b.z * d.y) - a.y * (b.x * d.z - b.z * d.x) + a.z * (b.x * d.y - b.y * d.x);
    }
    return sum;
}

// Every side a -> b must be matched by exactly one side b -> a.
std::string watertightFault(const TriangleMesh& m)
{
    std::map<std::pair<int, int>, int> sides;
    for (const auto& c : m.triangles)
        for (int k = 0; k < 3; ++k)
            ++sides[{c[k], c[(k + 1) % 3]}];
    for (const auto& [side, n] : sides) {
        if (n != 1)
            return "side " + std::to_string(side.first) + "-" + std::to_string(side.second) + " in " +
                   std::to_string(n) + " faces";
        if (!sides.count({side.second, side.first}))
            return "side " + std::to_string(side.first) + "-" + std::to_string(side.second) + " open";
    }
    return "";
}

void loadSheet(const TriangleMesh& m)
{
    std::string why;
    ASSERT_TRUE(loadMeshIntoStore(m, &why)) << why;
}

// A strip of n squares (two triangles each) along x; closed into a band when
// `join` is 1 or into a Moebius strip when it is -1.
TriangleMesh strip(int n, int join)
{
    TriangleMesh m;
    const int columns = join ? n : n + 1;
    for (int i = 0; i < columns; ++i) {
        const double t = 2 * M_PI * i / n;
        m.vertices.push_back({std::cos(t) * 3, std::sin(t) * 3, -0.5});
        m.vertices.push_back({std::cos(t) * 3, std::sin(t) * 3, 0.5});
    }
    for (int i = 0; i < n; ++i) {
        int a = 2 * i, b = 2 * i + 1, c = 2 * ((i + 1) % columns), d = c + 1;
        if (join < 0 && i == n - 1)
            std::swap(c, d);  // the half twist
        m.triangles.push_back({a, c, d});
        m.triangles.push_back({a, d, b});
    }
    return m;
}
}  // namespace

TEST_F(StoreTest, ThickeningEverySampleGivesAWatertightOutwardCrossingFreeSolid)
{
    // Thickness 0.1 keeps the layers of every sample apart.
    const double T = 0.1;
    for (int n = FIRST_SAMPLE; n <= LAST_SAMPLE; ++n) {
        const std::string name(sampleFileName(n).utf8_str());
        resetStore();
        ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/" + name, false)) << name;
        refreshDerivedData();
        const SurfaceInfo sheet = surfaceInfo();
        const TriangleMesh before = currentMesh();
        std::string why;
        ASSERT_TRUE(thicken(T, &why)) << name << ": " << why;
        refreshDerivedData();
        EXPECT_STORE_VALID();
        EXPECT_TRUE(g_solid);
        const TriangleMesh solid = currentMesh();
        EXPECT_EQ(watertightFault(solid), "") << name;
        EXPECT_GT(sixVolume(solid), 0) << name;
        EXPECT_TRUE(selfIntersections().empty()) << name << ": faces pass through each other";
        // Each side lies thickness / 2 off the sheet; all sample vertices are used.
        const int used = static_cast<int>(before.vertices.size());
        ASSERT_EQ(static_cast<int>(solid.vertices.size()), 2 * used) << name;
        for (int i = 0; i < used; i += 7) {
            const Point3 &p = before.vertices[i], &f = solid.vertices[i], &b = solid.vertices[i + used];
            EXPECT_NEAR(std::hypot(f.x - p.x, f.y - p.y, f.z - p.z), T / 2, 1e-12);
            EXPECT_NEAR(p.x, (f.x + b.x) / 2, 1e-12);
        }
        // The shell of a connected sheet of genus g with b holes is a closed
        // surface of genus 2g + b - 1.
        const SurfaceInfo shell = surfaceInfo();
        EXPECT_EQ(shell.boundaryEdges, 0) << name;
        EXPECT_EQ(shell.inconsistentEdges, 0) << name;
        EXPECT_TRUE(shell.orientable) << name;
        EXPECT_EQ(shell.faces, 2 * sheet.faces + 2 * sheet.boundaryEdges) << name;
        if (sheet.components == 1) {
            EXPECT_EQ(shell.genus, 2 * sheet.genus + sheet.boundaryLoops - 1) << name;
        }
    }
}

TEST_F(StoreTest, ThickeningRefusesWhatCannotBeClosedAndChangesNothing)
{
    TriangleMesh solid;
    std::string why;
    EXPECT_FALSE(thickenMesh(TriangleMesh{}, 0.1, &solid, &why));
    EXPECT_NE(why.find("no faces"), std::string::npos) << why;

    TriangleMesh band = strip(8, 1);
    EXPECT_FALSE(thickenMesh(band, 0, &solid, &why));
    EXPECT_FALSE(thickenMesh(band, NAN, &solid, &why));
    ASSERT_TRUE(thickenMesh(band, 0.2, &solid, &why)) << why;
    EXPECT_EQ(watertightFault(solid), "");

    // One face turned the other way: the sheet is not consistently oriented.
    TriangleMesh turned = band;
    std::swap(turned.triangles[3][1], turned.triangles[3][2]);
    EXPECT_FALSE(thickenMesh(turned, 0.1, &solid, &why));
    EXPECT_NE(why.find("consistently oriented"), std::string::npos) << why;
    EXPECT_FALSE(thickenMesh(strip(8, -1), 0.1, &solid, &why)) << "a Moebius strip has no two sides";

    // An edge shared by three faces.
    TriangleMesh fin = band;
    fin.vertices.push_back({0, 0, 9});
    fin.triangles.push_back({0, 3, static_cast<int>(fin.vertices.size()) - 1});
    EXPECT_FALSE(thickenMesh(fin, 0.1, &solid, &why));
    EXPECT_NE(why.find("more than two faces"), std::string::npos) << why;

    // Too large for the store: the surface stays as it was.
    TriangleMesh big;
    for (int i = 0; i < MAX_FACES / 2 + 1; ++i) {
        const int k = static_cast<int>(big.vertices.size());
        big.vertices.insert(big.vertices.end(), {{i * 2.0, 0, 0}, {i * 2.0 + 1, 0, 0}, {i * 2.0, 1, 0}});
        big.triangles.push_back({k, k + 1, k + 2});
    }
    loadSheet(band);
    const int faces = NOS;
    EXPECT_FALSE(loadMeshIntoStore(big, &why));
    EXPECT_NE(why.find("more than the program holds"), std::string::npos) << why;
    EXPECT_EQ(NOS, faces);
    EXPECT_FALSE(g_solid);
}

TEST_F(StoreTest, OrientabilityAndGenus)
{
    struct Case {
        TriangleMesh mesh;
        bool orientable;
        int genus, inconsistent;
    };
    TriangleMesh turned = strip(8, 1);
    std::swap(turned.triangles[3][1], turned.triangles[3][2]);
    TriangleMesh solidBand;
    std::string why;
    ASSERT_TRUE(thickenMesh(strip(8, 1), 0.2, &solidBand, &why));
    // The annulus with a vertex of one boundary glued onto one of the other:
    // two fans meet at that point (Euler -1, one boundary walk), which the
    // count of parts and loops alone would take for a torus with a hole.
    TriangleMesh pinched = strip(8, 1);
    for (auto& t : pinched.triangles)
        for (int& corner : t)
            corner = corner == 1 ? 8 : corner;
    const Case cases[] = {
        {strip(8, 1), true, 0, 0},    // an annulus
        {pinched, true, -1, 0},       // not a surface at the pinch: no genus
        {turned, true, 0, 2},         // the same, one face turned: still orientable
        {strip(8, -1), false, -1, 1}, // a Moebius strip: one seam where its faces disagree
        {solidBand, true, 1, 0},      // the shell of an annulus is a torus
    };
    for (const Case& c : cases) {
        resetStore();
        loadSheet(c.mesh);
        const SurfaceInfo info = surfaceInfo();
        EXPECT_EQ(info.orientable, c.orientable) << &c - cases;
        EXPECT_EQ(info.genus, c.genus) << &c - cases;
        EXPECT_EQ(info.inconsistentEdges, c.inconsistent) << &c - cases;
        const bool isPinched = &c == &cases[1];
        EXPECT_EQ(info.manifold, !isPinched) << &c - cases;
        EXPECT_EQ(info.pinchedVertices, isPinched ? 1 : 0) << &c - cases;
    }
}
