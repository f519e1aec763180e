#include "tests/fixture.h"

#include "io/reader.h"
#include "model/surface_info.h"
#include "model/topology.h"

namespace {
void setFace(int f, int a, int b, int c)
{
    face[f][0] = a;
    face[f][1] = b;
    face[f][2] = c;
}
void setEdge(int e, int a, int b)
{
    edge[e][0] = a;
    edge[e][1] = b;
    phi[e] = 1.0;
}
}  // namespace

TEST_F(StoreTest, QueriesOnAnEmptySurface)
{
    NOV = 3;
    EXPECT_EQ(numberOfEdgesIncludeVertex(0), 0);
    EXPECT_EQ(getEdgeIncludeVertices(0, 1), -1);
    EXPECT_EQ(numberOfFacesIncludeVertex(0), 0);
    int first = 7, second = 7;
    setEdge(0, 0, 1);
    getsurface(0, &first, &second);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
}

TEST_F(StoreTest, EdgeQueriesIgnoreDirectionAndTakeTheLowestDuplicate)
{
    NOV = 10;
    NOE = 4;
    setEdge(0, 1, 2);
    setEdge(1, 7, 3);
    setEdge(2, 3, 7);
    setEdge(3, 4, 4);
    EXPECT_EQ(getEdgeIncludeVertices(3, 7), 1);
    EXPECT_EQ(getEdgeIncludeVertices(7, 3), 1);
    EXPECT_EQ(getEdgeIncludeVertices(1, 3), -1);
    EXPECT_TRUE(isEdgeIncludeVertex(1, 3));
    EXPECT_FALSE(isEdgeIncludeVertex(1, 2));
    EXPECT_EQ(numberOfEdgesIncludeVertex(3), 2);
    EXPECT_EQ(numberOfEdgesIncludeVertex(4), 1) << "an edge from a vertex to itself counts once";
}

TEST_F(StoreTest, FaceQueries)
{
    NOV = 10;
    NOS = 10;
    for (int f = 0; f < NOS; ++f)
        setFace(f, 0, 1, 2);
    setFace(2, 3, 5, 9);
    setFace(4, 5, 9, 6);
    setFace(5, 9, 3, 5);
    setFace(8, 5, 3, 8);
    setFace(9, 7, 3, 9);
    EXPECT_EQ(getPhaseOfFace(7, 9), 0);
    EXPECT_EQ(getPhaseOfFace(3, 9), 1);
    EXPECT_EQ(getPhaseOfFace(9, 9), 2);
    EXPECT_EQ(getPhaseOfFace(4, 9), 0) << "a vertex not on the face gives 0";
    EXPECT_TRUE(isFaceIncludeEdge(9, 3, 3));
    EXPECT_FALSE(isFaceIncludeEdge(9, 4, 4));
    EXPECT_TRUE(isFaceIncludeEdge(9, 9, 7));
    EXPECT_EQ(numberOfFacesIncludeVertex(5), 4);

    // Edge (3, 5) lies on faces 2, 5 and 8: the lowest and the highest are reported.
    NOE = 2;
    setEdge(0, 5, 3);
    setEdge(1, 6, 4);
    int first = 0, second = 0;
    getsurface(0, &first, &second);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 8);
    // Edge (6, 4): only face 4 holds vertex 6, and none holds both.
    getsurface(1, &first, &second);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
    setEdge(1, 6, 9);
    getsurface(1, &first, &second);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(second, -1);
}

TEST_F(StoreTest, SwapExchanges)
{
    int a = 1, b = 2;
    swap(&a, &b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST_F(StoreTest, SurfaceInfoFindsBoundaryAndBadlyOrientedEdges)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    SurfaceInfo info = surfaceInfo();
    EXPECT_EQ(info.boundaryEdges, 7);
    EXPECT_EQ(info.boundaryLoops, 1);
    EXPECT_EQ(info.inconsistentEdges, 0);
    swap(&face[2][1], &face[2][2]);  // one face turned over: its two spokes run the same way twice
    info = surfaceInfo();
    EXPECT_EQ(info.boundaryEdges, 7);
    EXPECT_EQ(info.inconsistentEdges, 2);
    NOS = 6;  // the last face gone: two more sides on the boundary, still one loop
    info = surfaceInfo();
    EXPECT_EQ(info.boundaryEdges, 8);
    EXPECT_EQ(info.boundaryLoops, 1);
}
