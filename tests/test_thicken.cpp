// Thickening a surface into a printable solid, on built sheets and on every
// sample; and the orientability and genus that info reports.
#include "tests/fixture.h"

#include <cmath>
#include <map>

#include "geometry/self_intersection.h"
#include "construct/edit_commands.h"
#include "geometry/thicken.h"
#include "geometry/wall_thickness.h"
#include "io/open_commands.h"
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "model/surface_info.h"
#include "model/triangle_mesh.h"
#include "tests/reference/literal_wall_distances.h"

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
        ASSERT_TRUE(thicken(T, false, nullptr, &why)) << name << ": " << why;
        refreshDerivedData();
        EXPECT_STORE_VALID();
        EXPECT_TRUE(g_solid);
        const TriangleMesh solid = currentMesh();
        EXPECT_EQ(watertightFault(solid), "") << name;
        EXPECT_GT(sixVolume(solid), 0) << name;
        EXPECT_TRUE(selfIntersections().empty()) << name << ": faces pass through each other";
        // Each side lies at least thickness / 2 off the sheet, at most
        // MAX_OFFSET_STRETCH times that, the sheet halfway between; all sample
        // vertices are used.
        const int used = static_cast<int>(before.vertices.size());
        ASSERT_EQ(static_cast<int>(solid.vertices.size()), 2 * used) << name;
        for (int i = 0; i < used; i += 7) {
            const Point3 &p = before.vertices[i], &f = solid.vertices[i], &b = solid.vertices[i + used];
            EXPECT_GE(std::hypot(f.x - p.x, f.y - p.y, f.z - p.z), T / 2 - 1e-12);
            EXPECT_LE(std::hypot(f.x - p.x, f.y - p.y, f.z - p.z), MAX_OFFSET_STRETCH * T / 2 + 1e-12);
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

namespace {
// A roof: two unit squares (two triangles each) meeting along the y axis at
// `fold` radians from flat, facing up.
TriangleMesh roof(double fold)
{
    TriangleMesh m;
    const double c = std::cos(fold / 2), z = std::sin(fold / 2);
    for (double y : {0.0, 1.0})
        m.vertices.insert(m.vertices.end(), {{-c, y, -z}, {0, y, 0}, {c, y, -z}});
    m.triangles = {{0, 1, 4}, {0, 4, 3}, {1, 2, 5}, {1, 5, 4}};
    return m;
}

// Whether sheet vertex i or one sharing a face with it has less than its full
// offset (report.shortVertices).
std::vector<bool> nearShortOffset(const TriangleMesh& sheet, const ThickenReport& report)
{
    std::vector<bool> isShort(sheet.vertices.size()), near(sheet.vertices.size());
    for (int i : report.shortVertices)
        isShort[i] = true;
    for (const auto& t : sheet.triangles)
        if (isShort[t[0]] || isShort[t[1]] || isShort[t[2]])
            near[t[0]] = near[t[1]] = near[t[2]] = true;
    return near;
}
}  // namespace

TEST_F(StoreTest, ThickeningKeepsTheWallOnEverySampleAndSubdividedSample)
{
    // Measured per vertex and per face centre: the distance to the other
    // layer behind it. Away from the vertices whose faces turn too sharply
    // (stretched to the limit) it is the full thickness; where it is thinner
    // the report says so and why.
    const double T = 0.1;
    for (int level : {1, 2}) {
        for (int n = FIRST_SAMPLE; n <= LAST_SAMPLE; ++n) {
            const std::string name = std::string(sampleFileName(n).utf8_str()) + " level " + std::to_string(level);
            resetStore();
            ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/" + std::string(sampleFileName(n).utf8_str()), false));
            refreshDerivedData();
            if (level > 1 && !subdivideCommand(level).empty())
                continue;  // too large to subdivide
            const TriangleMesh sheet = currentMesh();
            TriangleMesh solid;
            ThickenReport report;
            std::string why;
            ASSERT_TRUE(thickenChecked(sheet, T, true, &solid, &report, &why)) << name << ": " << why;
            if (report.crossingPairs > 0)
                continue;  // refused without --allow-crossing (see below)
            const std::vector<double> wall = wallDistances(solid, 2 * T);
            const std::vector<bool> sharp = nearShortOffset(sheet, report);
            const size_t half = solid.vertices.size() / 2;
            double least = 2 * T;
            for (size_t k = 0; k < solid.vertices.size(); ++k) {
                least = std::min(least, wall[k]);
                if (!sharp[k % half]) {  // sheet vertices are all used: k % half is one
                    EXPECT_GE(wall[k], 0.9 * T) << name << ": vertex " << k;
                }
            }
            size_t at = solid.vertices.size();
            for (const auto& t : solid.triangles) {
                const int front = (t[0] < static_cast<int>(half)) + (t[1] < static_cast<int>(half)) +
                                  (t[2] < static_cast<int>(half));
                if (front != 0 && front != 3)
                    continue;
                least = std::min(least, wall[at]);
                if (!sharp[t[0] % half] && !sharp[t[1] % half] && !sharp[t[2] % half]) {
                    EXPECT_GE(wall[at], 0.9 * T) << name << ": face centre " << at;
                }
                ++at;
            }
            EXPECT_EQ(at, wall.size());
            EXPECT_DOUBLE_EQ(report.smallestWall, least) << name;
            if (report.smallestWall < 0.9 * T) {
                EXPECT_TRUE(report.thinAtSharpFold) << name;
                EXPECT_GT(report.clampedVertices + report.heldBackVertices, 0) << name;
                const std::string line = wallSummary(report, T, 1, "");
                EXPECT_NE(line.find("near vertex " + std::to_string(report.thinVertex)), std::string::npos) << line;
                EXPECT_NE(line.find("too sharply for a full wall or it would run into another part"), std::string::npos)
                    << line;
            }
        }
    }
}

TEST_F(StoreTest, AFoldKeepsItsFullWallUpToTheStretchLimit)
{
    const double T = 0.1;
    for (double degrees : {0.0, 60.0, 100.0, 120.0}) {
        TriangleMesh solid;
        ThickenReport report;
        std::string why;
        ASSERT_TRUE(thickenMesh(roof(degrees * M_PI / 180), T, &solid, &why, &report)) << why;
        // Every face plane moves by T / 2 exactly: the wall is T everywhere.
        EXPECT_NEAR(report.smallestWall, T, 1e-9) << degrees;
        EXPECT_EQ(report.clampedVertices, 0) << degrees;
        EXPECT_EQ(wallSummary(report, T, 10, "mm").find("smallest wall 1 mm (1 of the thickness 1 mm)"), 0u)
            << wallSummary(report, T, 10, "mm");
    }
    // Folded by 176 degrees the ridge would have to move 1 / cos 88 degrees
    // (29 times) as far: it is held at the limit, and the report says where.
    TriangleMesh solid;
    ThickenReport report;
    std::string why;
    ASSERT_TRUE(thickenMesh(roof(176 * M_PI / 180), T, &solid, &why, &report)) << why;
    EXPECT_EQ(report.clampedVertices, 2);
    EXPECT_EQ(report.clampedVertex, 1);
    EXPECT_LT(report.smallestWall, 0.9 * T);
    EXPECT_TRUE(report.thinAtSharpFold);
    EXPECT_NE(wallSummary(report, T, 1, "").find("2 vertices turn too sharply for a full wall (first: vertex 1)"),
              std::string::npos)
        << wallSummary(report, T, 1, "");

    // Two parallel sheets 2.5 T apart: the 1.5 T gap between the solids is
    // no wall; the walls are T thick.
    TriangleMesh two = roof(0);
    for (int i = 0; i < 6; ++i)
        two.vertices.push_back({two.vertices[i].x, two.vertices[i].y, 2.5 * T});
    for (int t = 0; t < 4; ++t)
        two.triangles.push_back({two.triangles[t][0] + 6, two.triangles[t][1] + 6, two.triangles[t][2] + 6});
    ASSERT_TRUE(thickenMesh(two, T, &solid, &why, &report)) << why;
    EXPECT_NEAR(report.smallestWall, T, 1e-9);
}

TEST_F(StoreTest, ACrossingSolidIsRefusedWithTheLargestCleanThickness)
{
    // The lattice 2321-31-1223 crosses itself at 0.2.
    ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/2321-31-1223Lattice.kor", false));
    refreshDerivedData();
    const TriangleMesh sheet = currentMesh();
    const int faces = NOS;
    ThickenReport report;
    std::string why;
    EXPECT_FALSE(thicken(0.2, false, &report, &why));
    EXPECT_EQ(NOS, faces) << "the surface stays as it was";
    EXPECT_FALSE(g_solid);
    EXPECT_GT(report.crossingPairs, 0);
    ASSERT_GT(report.cleanThickness, 0.001);
    EXPECT_LT(report.cleanThickness, 0.2);
    EXPECT_NE(why.find("passes through itself"), std::string::npos) << why;
    EXPECT_NE(why.find("largest clean thickness found is"), std::string::npos) << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << "one line";
    // The thickness it names is clean; 3 % more is not.
    TriangleMesh solid;
    EXPECT_TRUE(thickenChecked(sheet, report.cleanThickness, false, &solid, nullptr, &why)) << why;
    ThickenReport above;
    EXPECT_FALSE(thickenChecked(sheet, report.cleanThickness * 1.03, false, &solid, &above, &why));
    // Allowed, it is made and the crossings are counted.
    ASSERT_TRUE(thicken(0.2, true, &report, &why)) << why;
    EXPECT_TRUE(g_solid);
    EXPECT_GT(report.crossingPairs, 0);
    EXPECT_EQ(report.cleanThickness, 0);
}

TEST_F(StoreTest, WallAndCrossingMeasuresAgreeWithTheirLiteralForms)
{
    // The grid finds what looking at every triangle finds; the crossing test
    // on a detached mesh finds what it finds on the same mesh in the store.
    for (const char* name : {"torio.kor", "2323-2323-2323.kor", "2321-31-1223Lattice.kor"}) {
        resetStore();
        ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/" + name, false)) << name;
        refreshDerivedData();
        const TriangleMesh sheet = currentMesh();
        for (double T : {0.05, 0.2}) {
            TriangleMesh solid;
            std::string why;
            ASSERT_TRUE(thickenMesh(sheet, T, &solid, &why)) << why;
            EXPECT_EQ(wallDistances(solid, 2 * T), literalWallDistances(solid, 2 * T)) << name << " " << T;
            const auto detached = meshSelfIntersections(solid);
            ASSERT_TRUE(loadMeshIntoStore(solid, &why)) << why;
            EXPECT_EQ(detached, selfIntersections()) << name << " " << T;
            if (std::string(name) == "2321-31-1223Lattice.kor" && T == 0.2) {
                EXPECT_FALSE(detached.empty()) << "this one crosses itself";
            }
        }
    }
}
