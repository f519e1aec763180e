#include "tests/fixture.h"

#include <cmath>
#include <random>

#include "geometry/smoothing.h"
#include "io/reader.h"
#include "tests/reference/literal_geometry.h"

namespace {
void addFace(int a, int b, int c)
{
    face[NOS][0] = a;
    face[NOS][1] = b;
    face[NOS][2] = c;
    ++NOS;
}
void addEdge(int a, int b)
{
    edge[NOE][0] = a;
    edge[NOE][1] = b;
    phi[NOE] = 1.0;
    ++NOE;
}

// A triangulated grid of (n+1) x (n+1) vertices with random heights, every
// quad split into two consistently oriented faces; `rng` also flips some faces,
// adds third faces on some edges, degenerate faces, self-loops and duplicates.
void generatedSurface(std::mt19937& rng, int n, bool messy)
{
    std::uniform_real_distribution<double> z(-0.6, 0.6);
    NOV = (n + 1) * (n + 1);
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{double(i % (n + 1)), double(i / (n + 1)), z(rng)};
    auto id = [n](int x, int y) { return y * (n + 1) + x; };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            addFace(id(x, y), id(x + 1, y), id(x + 1, y + 1));
            addFace(id(x, y), id(x + 1, y + 1), id(x, y + 1));
        }
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x) {
            if (x < n)
                addEdge(id(x, y), id(x + 1, y));
            if (y < n)
                addEdge(id(x, y), id(x, y + 1));
            if (x < n && y < n)
                addEdge(id(x + 1, y + 1), id(x, y));
        }
    if (!messy)
        return;
    std::uniform_int_distribution<int> vertex(0, NOV - 1);
    for (int k = 0; k < NOS / 4; ++k)
        std::swap(face[rng() % NOS][1], face[rng() % NOS][2]);
    for (int k = 0; k < 6; ++k) {
        const int e = static_cast<int>(rng() % NOE);
        addFace(edge[e][0], edge[e][1], vertex(rng));
    }
    addFace(vertex(rng), vertex(rng), vertex(rng));
    const int a = vertex(rng);
    addFace(a, a, vertex(rng));
    addEdge(a, a);
    addEdge(edge[0][1], edge[0][0]);
    for (int k = 0; k < 5; ++k)
        addEdge(vertex(rng), vertex(rng));
}
}  // namespace

TEST_F(StoreTest, SmoothingASingleCellMovesOnlyItsCentre)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    const std::vector<Point3> p(v, v + NOV);
    Point3 mean{0, 0, 0};
    for (int i = 0; i < 7; ++i)
        mean = Point3{mean.x + p[i].x, mean.y + p[i].y, mean.z + p[i].z};
    smoothen();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(v[i].x, p[i].x);
    EXPECT_NEAR(v[7].x, p[7].x + 0.05 * (mean.x / 7 - p[7].x), 1e-15);
    EXPECT_NEAR(v[7].z, p[7].z + 0.05 * (mean.z / 7 - p[7].z), 1e-15);
}

TEST_F(StoreTest, SpreadingLeavesAFlatPatchAndTheBoundaryAlone)
{
    std::mt19937 rng(3);
    generatedSurface(rng, 4, false);
    for (int i = 0; i < NOV; ++i)
        v[i].z = 0;
    for (int e = 0; e < NOE; ++e)
        phi[e] = 1.0;  // relaxation is off below; only the fold test matters
    modify_off = true;
    const std::vector<Point3> p(v, v + NOV);
    spread();
    for (int i = 0; i < NOV; ++i)
        ASSERT_EQ(v[i].z, p[i].z);
}

TEST_F(StoreTest, SpreadingOpensAFold)
{
    // Two faces on edge (0, 1), folded nearly flat onto each other.
    NOV = 4;
    v[0] = {0, 0, 0};
    v[1] = {1, 0, 0};
    v[2] = {0.5, 1, 0};
    v[3] = {0.5, 1, 0.1};
    addFace(0, 1, 2);
    addFace(1, 0, 3);
    addEdge(0, 1);
    modify_off = true;
    spread();
    EXPECT_LT(v[2].z, 0.0) << "the corner of the first face moves away from the other face";
    EXPECT_GT(v[3].z, 0.1);
    // An edge at the picked vertex is never spread.
    v[2] = {0.5, 1, 0};
    v[3] = {0.5, 1, 0.1};
    g_purtj = 1;
    spread();
    EXPECT_EQ(v[2].z, 0.0);
    EXPECT_EQ(v[3].z, 0.1);
}

TEST_F(StoreTest, LinearSmoothingEqualsTheLiteralOneBitForBit)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        resetStore();
        generatedSurface(rng, 2 + round % 7, round % 2 == 1);
        const std::vector<Point3> start(v, v + NOV);
        literalSmoothen();
        const std::vector<Point3> literal(v, v + NOV);
        std::copy(start.begin(), start.end(), v);
        smoothen();
        for (int i = 0; i < NOV; ++i) {
            ASSERT_EQ(v[i].x, literal[i].x) << "round " << round << " vertex " << i;
            ASSERT_EQ(v[i].y, literal[i].y);
            ASSERT_EQ(v[i].z, literal[i].z);
        }
    }
}

TEST_F(StoreTest, LinearSpreadingEqualsTheLiteralOneBitForBit)
{
    std::mt19937 rng(5);
    int moved = 0;
    for (int round = 0; round < 40; ++round) {
        resetStore();
        generatedSurface(rng, 2 + round % 7, round % 2 == 1);
        modify_off = true;  // the closing burst is the same call in both
        g_purtj = round % 3 == 0 ? static_cast<int>(rng() % NOV) : -1;
        const std::vector<Point3> start(v, v + NOV);
        literalSpreadPass();
        const std::vector<Point3> literal(v, v + NOV);
        std::copy(start.begin(), start.end(), v);
        spread();
        for (int i = 0; i < NOV; ++i) {
            ASSERT_EQ(v[i].x, literal[i].x) << "round " << round << " vertex " << i;
            ASSERT_EQ(v[i].y, literal[i].y);
            ASSERT_EQ(v[i].z, literal[i].z);
            moved += !(v[i].z == start[i].z);
        }
    }
    EXPECT_GT(moved, 100) << "the generated surfaces have folds to open";
}
