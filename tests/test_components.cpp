#include "tests/fixture.h"

#include "io/reader.h"
#include "model/components.h"

namespace {
// A path of `n` vertices along x, joined by n - 1 edges.
void chain(int n, int firstVertex = 0)
{
    for (int i = 0; i < n; ++i)
        v[firstVertex + i] = Point3{double(i), 0, 0};
    for (int i = 0; i + 1 < n; ++i) {
        edge[NOE][0] = firstVertex + i;
        edge[NOE][1] = firstVertex + i + 1;
        phi[NOE] = 1.0;
        ++NOE;
    }
    NOV = firstVertex + n;
}
}  // namespace

TEST_F(StoreTest, LabelsTheSingleCellAsOneComponent)
{
    ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
    fill_conn_comp();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(conn_comp[i], 1);
    EXPECT_EQ(NOcomp, 2);
    EXPECT_TRUE(filledconn_comp);
    fill_center_conn_comp();
    Point3 mean{0, 0, 0};
    for (int i = 0; i < 8; ++i) {
        mean.x += v[i].x / 8;
        mean.y += v[i].y / 8;
        mean.z += v[i].z / 8;
    }
    EXPECT_NEAR(compCenter[1].x, mean.x, 1e-15);
    EXPECT_NEAR(compCenter[1].y, mean.y, 1e-15);
    EXPECT_NEAR(compCenter[1].z, mean.z, 1e-15);
    EXPECT_EQ(compCenter[2].x, 0.0);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, NumbersComponentsByLowestVertexAndIsolatedVerticesApart)
{
    // Vertex 0 joined to 3, vertex 1 alone, vertex 2 joined to 4 (edge stored backwards).
    NOV = 5;
    for (int i = 0; i < 5; ++i)
        v[i] = Point3{double(i), 0, 0};
    NOE = 2;
    edge[0][0] = 4;
    edge[0][1] = 2;
    edge[1][0] = 0;
    edge[1][1] = 3;
    phi[0] = phi[1] = 1.0;
    fill_conn_comp();
    EXPECT_EQ(conn_comp[0], 1);
    EXPECT_EQ(conn_comp[3], 1);
    EXPECT_EQ(conn_comp[1], 2);
    EXPECT_EQ(conn_comp[2], 3);
    EXPECT_EQ(conn_comp[4], 3);
    EXPECT_EQ(NOcomp, 4);
    fill_center_conn_comp();
    EXPECT_EQ(compCenter[1].x, 1.5);
    EXPECT_EQ(compCenter[2].x, 1.0);
    EXPECT_EQ(compCenter[3].x, 3.0);
}

TEST_F(StoreTest, LabellingLeavesEverythingAloneWithoutEdgesAndKeepsHigherSelections)
{
    NOV = 3;
    NOcomp = 7;
    conn_comp[0] = 4;
    fill_conn_comp();
    EXPECT_EQ(NOcomp, 7);
    EXPECT_EQ(conn_comp[0], 4);
    EXPECT_FALSE(filledconn_comp);

    chain(3);
    hilighted[1] = hilighted[2] = hilighted[3] = true;
    fill_conn_comp();
    EXPECT_EQ(NOcomp, 2);
    EXPECT_FALSE(hilighted[1]);
    EXPECT_FALSE(hilighted[2]) << "labels 0 .. NOcomp inclusive are cleared";
    EXPECT_TRUE(hilighted[3]) << "flags above NOcomp keep their value";
}

TEST_F(StoreTest, CentroidsLabelFirstWhenNoLabellingWasDone)
{
    chain(4);
    fill_center_conn_comp();
    EXPECT_TRUE(filledconn_comp);
    EXPECT_EQ(compCenter[1].x, 1.5);
}

TEST_F(StoreTest, NinetyEightComponentsFitTheTables)
{
    for (int c = 0; c < 98; ++c)
        chain(2, 2 * c);
    fill_conn_comp();
    EXPECT_EQ(NOcomp, 99);
    EXPECT_EQ(conn_comp[0], 1);
    EXPECT_EQ(conn_comp[195], 98);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ComponentsBeyondTheTablesGetNoLabel)
{
    for (int c = 0; c < 150; ++c)
        chain(2, 2 * c);
    fill_conn_comp();
    EXPECT_EQ(NOcomp, 99);
    EXPECT_EQ(conn_comp[195], 98);
    EXPECT_EQ(conn_comp[196], 0) << "the 99th component is left without a label";
    EXPECT_EQ(conn_comp[299], 0);
    fill_center_conn_comp();
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, LabelsAChainOfThirtyThousandVerticesWithoutDeepRecursion)
{
    chain(MAX_VERTICES);
    // Edges stored from the far end first, so a recursive flood would go the whole way down.
    for (int e = 0; e < NOE; ++e)
        std::swap(edge[e][0], edge[e][1]);
    fill_conn_comp();
    EXPECT_EQ(NOcomp, 2);
    for (int i = 0; i < NOV; ++i)
        ASSERT_EQ(conn_comp[i], 1);
    fill_center_conn_comp();
    EXPECT_NEAR(compCenter[1].x, (MAX_VERTICES - 1) / 2.0, 1e-6);
    EXPECT_STORE_VALID();
}
