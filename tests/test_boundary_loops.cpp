// The boundary walked as loops: closed, in face order, and split where two
// pieces meet at a single vertex.
#include "tests/fixture.h"

#include "model/boundary_loops.h"

TEST_F(StoreTest, BoundaryLoopsCloseAndSplitAtAPinchedVertex)
{
    // Two triangles meeting only at vertex 0 (a bow tie), then a square of two
    // triangles beside them: three loops.
    const Point3 at[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {-1, 0, 0}, {-1, -1, 0}, {5, 0, 0}, {6, 0, 0}, {6, 1, 0}};
    NOV = 9;
    for (int i = 0; i < 8; ++i)
        v[i] = at[i];
    v[8] = Point3{5, 1, 0};
    const int faces[4][3] = {{0, 1, 2}, {0, 3, 4}, {5, 6, 7}, {5, 7, 8}};
    NOS = 4;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k)
            face[f][k] = faces[f][k];

    const auto loops = boundaryLoops();
    ASSERT_EQ(loops.size(), 3u);
    EXPECT_EQ(loops[0].size(), 3u);
    EXPECT_EQ(loops[0][0].from, 0);
    EXPECT_EQ(loops[0][0].to, 1) << "starts at the first side in face order";
    EXPECT_EQ(loops[1].size(), 3u);
    EXPECT_EQ(loops[1][0].face, 1) << "the bow tie's second triangle is a loop of its own";
    ASSERT_EQ(loops[2].size(), 4u) << "the square's diagonal is no boundary";
    for (const auto& loop : loops)
        for (size_t k = 0; k < loop.size(); ++k)
            EXPECT_EQ(loop[k].to, loop[(k + 1) % loop.size()].from) << "each side leads to the next";
}
