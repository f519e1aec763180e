#include "tests/fixture.h"

#include <cmath>

#include "construct/subdivision.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/topology.h"

namespace {
Point3 normal(const Point3& a, const Point3& b, const Point3& c)
{
    const Point3 e1{b.x - a.x, b.y - a.y, b.z - a.z}, e2{c.x - a.x, c.y - a.y, c.z - a.z};
    return Point3{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
}
}  // namespace

class SubdivTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        refreshDerivedData();  // faces stored rim side first, as the program keeps them
    }
};

TEST(SubdivisionLengths, TableToSixDecimals)
{
    const std::vector<std::vector<double>> ring = {
        {0.404508, 0.418089},
        {0.269672, 0.273616, 0.286293},
        {0.202254, 0.203906, 0.209056, 0.218341},
        {0.161803, 0.162646, 0.165238, 0.169776, 0.176634},
        {0.134836, 0.135323, 0.136808, 0.139370, 0.143149, 0.148367},
    };
    const std::vector<std::vector<double>> step = {
        {0.413578, 0.476451},
        {0.272303, 0.289086, 0.328285},
        {0.203356, 0.210194, 0.225075, 0.250904},
        {0.162365, 0.165812, 0.173080, 0.185018, 0.203175},
        {0.135161, 0.137138, 0.141239, 0.147785, 0.157325, 0.170748},
    };
    for (int n = 2; n <= 6; ++n) {
        const SubdivisionLengths L = subdivisionLengths(n);
        double sum = 0;
        for (int d = 0; d < n; ++d) {
            EXPECT_NEAR(L.ring[d], ring[n - 2][d], 5e-7) << "n " << n << " ring " << d;
            EXPECT_NEAR(L.step[d + 1], step[n - 2][d], 5e-7) << "n " << n << " step " << d + 1;
            sum += L.step[d + 1];
        }
        EXPECT_EQ(L.ring[0], std::sin(0.9424777959) / n);
        EXPECT_GT(sum, 0.8893);
        EXPECT_LT(sum, 0.8901);
    }
}

TEST_F(SubdivTest, LevelTwoCounts)
{
    const Point3 p = v[edge[0][0]], q = v[edge[0][1]];
    ASSERT_TRUE(subdiv(2));
    EXPECT_EQ(NOV, 22);
    EXPECT_EQ(NOE, 49);
    EXPECT_EQ(NOS, 28);
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_FALSE(NOfaceOfVertex_on);
    // Vertex 8 is the midpoint of old edge 0; no vertex lies inside an old face.
    EXPECT_DOUBLE_EQ(v[8].x, 0.5 * p.x + 0.5 * q.x);
    EXPECT_DOUBLE_EQ(v[8].z, 0.5 * p.z + 0.5 * q.z);
    EXPECT_EQ(NOV, 8 + 14);
    EXPECT_STORE_VALID();
}

TEST_F(SubdivTest, LevelSixCounts)
{
    ASSERT_TRUE(subdiv(6));
    EXPECT_EQ(NOV, 148);
    EXPECT_EQ(NOE, 399);
    EXPECT_EQ(NOS, 252);
    EXPECT_STORE_VALID();
}

TEST_F(SubdivTest, TargetLengthsFollowTheDepthModel)
{
    ASSERT_TRUE(subdiv(2));
    // Rim sub-edges.
    for (int e = 0; e < 14; ++e)
        EXPECT_NEAR(phi[e], 0.404508, 5e-7) << "the halves of rim edge 0-1 .. 0-6";
    // Spoke (i, 7): the half at the rim vertex 0.413578, the half at the centre 0.476451.
    for (int i = 0; i < 7; ++i) {
        const int mid = getEdgeIncludeVertices(i, 8 + 7 + i) >= 0 ? 8 + 7 + i : -1;
        ASSERT_GE(mid, 0);
        EXPECT_NEAR(phi[getEdgeIncludeVertices(i, mid)], 0.413578, 5e-7);
        EXPECT_NEAR(phi[getEdgeIncludeVertices(mid, 7)], 0.476451, 5e-7);
    }
    EXPECT_EQ(numberOfFacesIncludeVertex(7), 7) << "the centre lies in exactly 7 faces";
}

TEST_F(SubdivTest, EverySmallFaceKeepsItsOrientation)
{
    // A flat fan, so that every normal is comparable: every old face faces +z.
    for (int i = 0; i < 7; ++i)
        v[i] = Point3{std::cos(2 * M_PI * i / 7), std::sin(2 * M_PI * i / 7), 0};
    v[7] = Point3{0, 0, 0};
    for (int n = 2; n <= 6; ++n) {
        const std::vector<Point3> keep(v, v + 8);
        const std::vector<int> edges(&edge[0][0], &edge[0][0] + 2 * NOE), faces(&face[0][0], &face[0][0] + 3 * NOS);
        const std::vector<double> lengths(phi, phi + NOE);
        const int ne = NOE, ns = NOS;
        ASSERT_TRUE(subdiv(n));
        for (int f = 0; f < NOS; ++f) {
            const Point3 nrm = normal(v[face[f][0]], v[face[f][1]], v[face[f][2]]);
            ASSERT_GT(nrm.z, 0) << "level " << n << " face " << f << " is reversed or flat";
        }
        NOV = 8;
        NOE = ne;
        NOS = ns;
        std::copy(keep.begin(), keep.end(), v);
        std::copy(edges.begin(), edges.end(), &edge[0][0]);
        std::copy(faces.begin(), faces.end(), &face[0][0]);
        std::copy(lengths.begin(), lengths.end(), phi);
        subdiv_level = 1;
    }
}

TEST_F(SubdivTest, RefusedWhenTheResultWouldNotFit)
{
    // Level 6 adds 5 points on each of the 14 edges and 10 inside each of the
    // 7 faces: 140 vertices. 29861 + 140 = 30001 do not fit.
    NOV = 29861;
    const int before = NOV;
    EXPECT_FALSE(subdiv(6));
    EXPECT_EQ(NOV, before);
    EXPECT_EQ(subdiv_level, 1);
    NOV = before - 1;  // exactly 30000
    EXPECT_TRUE(subdiv(6));
    EXPECT_EQ(NOV, 30000);
}

TEST_F(SubdivTest, EdgeOnNoFaceGetsTheRimLength)
{
    NOV = 9;
    v[8] = Point3{3, 0, 0};
    edge[NOE][0] = 0;
    edge[NOE][1] = 8;
    phi[NOE] = 1.0;
    ++NOE;
    ASSERT_TRUE(subdiv(3));
    EXPECT_EQ(phi[3 * 14], std::sin(0.9424777959) / 3);
    EXPECT_EQ(phi[3 * 14 + 2], std::sin(0.9424777959) / 3);
    EXPECT_STORE_VALID();
}

TEST_F(SubdivTest, FaceSideWithoutAnEdgeIsRefused)
{
    // Remove the rim edge (0, 1): face (0, 1, 7) has a side without an edge.
    for (int e = 0; e + 1 < NOE; ++e)
        if (getEdgeIncludeVertices(0, 1) <= e) {
            edge[e][0] = edge[e + 1][0];
            edge[e][1] = edge[e + 1][1];
            phi[e] = phi[e + 1];
        }
    --NOE;
    ASSERT_EQ(getEdgeIncludeVertices(0, 1), -1);
    const int nv = NOV, ne = NOE, ns = NOS;
    EXPECT_FALSE(subdiv(2));
    EXPECT_EQ(NOV, nv);
    EXPECT_EQ(NOE, ne);
    EXPECT_EQ(NOS, ns);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_STORE_VALID();
}

TEST_F(SubdivTest, UndoAcrossASubdivision)
{
    saveState();  // what the Subdivide command records first
    ASSERT_TRUE(subdiv(2));
    saveState();  // a later recorded edit
    undo();
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(NOV, 22);
    undo();
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(NOV, 8);
    redo();
    redo();
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(NOS, 28);
}
