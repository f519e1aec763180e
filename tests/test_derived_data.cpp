#include "tests/fixture.h"

#include <cmath>

#include "io/reader.h"
#include "model/derived_data.h"

namespace {
void setFace(int f, int a, int b, int c)
{
    face[f][0] = a;
    face[f][1] = b;
    face[f][2] = c;
}
void setEdge(int e, int a, int b, double t)
{
    edge[e][0] = a;
    edge[e][1] = b;
    phi[e] = t;
}
void expectFace(int f, int a, int b, int c)
{
    EXPECT_EQ(face[f][0], a);
    EXPECT_EQ(face[f][1], b);
    EXPECT_EQ(face[f][2], c);
}
}  // namespace

TEST_F(StoreTest, TheoryAngleSums)
{
    subdiv_level = 1;
    EXPECT_NEAR(theoryCurvature(), 6.597345, 5e-7);
    EXPECT_NEAR(theoryCurvature(), 2.1 * 3.1415926535, 1e-12);
    subdiv_level = 2;
    EXPECT_NEAR(theoryCurvature(), 6.358886, 5e-7);
}

TEST_F(StoreTest, FaceToEdgeTakesTheHighestIndexAndLeavesUnmatchedSlots)
{
    NOV = 4;
    NOS = 1;
    setFace(0, 0, 1, 2);
    NOE = 3;
    setEdge(0, 1, 0, 1.0);
    setEdge(1, 2, 1, 1.0);
    setEdge(2, 0, 1, 1.0);  // a second edge joining corners 0 and 1
    face2edge[2] = 77;      // corners 2 and 0 have no edge
    make_face2edge();
    EXPECT_FALSE(revised_face2edge);
    EXPECT_EQ(face2edge[0], 2);
    EXPECT_EQ(face2edge[1], 1);
    EXPECT_EQ(face2edge[2], 77);

    subdiv_level = 2;
    revised_face2edge = true;
    face2edge[0] = 5;
    make_face2edge();
    EXPECT_FALSE(revised_face2edge);
    EXPECT_EQ(face2edge[0], 5) << "a subdivided surface keeps its table";
}

TEST_F(StoreTest, FaceCountsCountRepeatedCornersTwice)
{
    NOV = 3;
    NOS = 2;
    setFace(0, 0, 1, 2);
    setFace(1, 1, 1, 2);
    make_NOfaceOfVertex();
    EXPECT_TRUE(NOfaceOfVertex_on);
    EXPECT_EQ(NOfaceOfVertex[0], 1);
    EXPECT_EQ(NOfaceOfVertex[1], 3);
    EXPECT_EQ(NOfaceOfVertex[2], 2);
    setFace(1, 0, 0, 0);
    make_NOfaceOfVertex();  // counts are valid: nothing is recounted
    EXPECT_EQ(NOfaceOfVertex[1], 3);
}

TEST_F(StoreTest, RevisionPutsTheRimSideFirst)
{
    // The one cell with its faces stored centre-first and centre-second.
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    setFace(0, 7, 0, 1);   // (centre, r1, r2)
    setFace(1, 2, 7, 1);   // (r2, centre, r1)
    for (int e = 0; e < NOE; ++e)
        phi[e] = 0.5;      // the revision reassigns every length from the face counts
    revise_facedata();
    EXPECT_FALSE(revised_facedata);
    EXPECT_FALSE(revised_face2edge);
    EXPECT_TRUE(NOfaceOfVertex_on);
    expectFace(0, 0, 1, 7);
    expectFace(1, 1, 2, 7);
    expectFace(6, 6, 0, 7);
    EXPECT_EQ(phi[0], REVISED_RIM_LENGTH);
    EXPECT_EQ(phi[7], REVISED_SPOKE_LENGTH);
    EXPECT_NEAR(REVISED_RIM_LENGTH, std::sin(0.9424777959), 1e-10);
    EXPECT_NEAR(REVISED_SPOKE_LENGTH, std::sin(1.09955742855), 1e-10);
    // After the revision slot 0 of every face is its rim edge.
    for (int f = 0; f < NOS; ++f)
        EXPECT_LT(phi[face2edge[3 * f]], 0.85) << "face " << f;
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, RevisionKeepsLengthsBetweenCentresAndAtCrowdedVertices)
{
    // Vertex 0 in 7 faces, vertex 1 in 7, vertex 2 in 8, vertex 3 in 6, vertex 4 in 6.
    NOV = 10;
    NOS = 0;
    auto addFaces = [](int vertex, int n) {
        for (int k = 0; k < n; ++k) {
            setFace(NOS, vertex, 9, 9);
            ++NOS;
        }
    };
    addFaces(0, 7);
    addFaces(1, 7);
    addFaces(2, 8);
    addFaces(3, 6);
    addFaces(4, 6);
    NOE = 5;
    setEdge(0, 0, 1, 0.25);  // 7 and 7: kept
    setEdge(1, 2, 3, 0.25);  // 8 and 6: kept
    setEdge(2, 0, 3, 0.25);  // 7 and 6: spoke
    setEdge(3, 3, 4, 0.25);  // 6 and 6: rim
    setEdge(4, 4, 0, 0.25);  // 6 and 7: spoke
    revise_facedata();
    EXPECT_EQ(phi[0], 0.25);
    EXPECT_EQ(phi[1], 0.25);
    EXPECT_EQ(phi[2], REVISED_SPOKE_LENGTH);
    EXPECT_EQ(phi[3], REVISED_RIM_LENGTH);
    EXPECT_EQ(phi[4], REVISED_SPOKE_LENGTH);
}

TEST_F(StoreTest, RevisionDoesNothingOnASubdividedSurface)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    setFace(0, 7, 0, 1);
    phi[0] = 0.3;
    subdiv_level = 2;
    revise_facedata();
    EXPECT_FALSE(revised_facedata);
    expectFace(0, 7, 0, 1);
    EXPECT_EQ(phi[0], 0.3);
}

TEST_F(StoreTest, AngleSumsOfAFlatFanAndOfADegenerateFace)
{
    // A flat regular fan of seven faces: 2 pi at the centre, one base angle pair per rim vertex.
    NOV = 8;
    NOS = 7;
    for (int k = 0; k < 7; ++k) {
        v[k] = Point3{std::cos(2 * M_PI * k / 7), std::sin(2 * M_PI * k / 7), 0};
        setFace(k, k, (k + 1) % 7, 7);
    }
    v[7] = Point3{0, 0, 0};
    make_curvature();
    EXPECT_NEAR(curvature[7], 2 * M_PI, 1e-12);
    EXPECT_NEAR(curvature[0], M_PI - 2 * M_PI / 7, 1e-12);

    v[1] = v[0];  // a side of length zero
    make_curvature();
    EXPECT_TRUE(std::isnan(curvature[0]));
    EXPECT_TRUE(std::isnan(curvature[1]));
}

TEST_F(StoreTest, CurvatureRangeReport)
{
    NOV = 4;
    NOfaceOfVertex[0] = 6;
    NOfaceOfVertex[1] = 7;
    NOfaceOfVertex[2] = 5;
    NOfaceOfVertex[3] = 7;
    curvature[0] = 6.5;
    curvature[1] = 6.7;
    curvature[2] = 1.0;  // a boundary vertex is left out
    curvature[3] = std::nan("");
    EXPECT_EQ(curvatureRangeText(), "Curvature : min=6.500000, max=6.700000, theory=6.597345");
    NOfaceOfVertex[0] = NOfaceOfVertex[1] = 2;
    EXPECT_EQ(curvatureRangeText(), "Curvature : min=999.900000, max=-999.900000, theory=6.597345");
}
