// The fast painter's order and face-to-edge table against their literal forms.
#include "tests/fixture.h"

#include <cmath>
#include <random>

#include "model/derived_data.h"
#include "tests/reference/literal_drawing.h"
#include "view/projection.h"

namespace {
// Random depth keys drawn from a small set, so that ties are common, with
// signed zeros, infinities and keys that are not numbers mixed in.
void randomKeys(std::mt19937& rng, int faces)
{
    const double pool[] = {0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 1e-300, -7.25,
                           INFINITY, -INFINITY, std::nan(""), 0.1 + 0.2};
    std::uniform_int_distribution<int> pick(0, sizeof pool / sizeof pool[0] - 1);
    std::uniform_real_distribution<double> any(-3, 3);
    std::uniform_int_distribution<int> coin(0, 3);
    NOS = faces;
    for (int f = 0; f < faces; ++f)
        center[f] = coin(rng) == 0 ? any(rng) : pool[pick(rng)];
}
}  // namespace

TEST_F(StoreTest, FastPaintersOrderEqualsTheLiteralOne)
{
    std::mt19937 rng(12345);
    std::vector<int> literal;
    for (int round = 0; round < 400; ++round) {
        const int faces = round < 20 ? round : 1 + static_cast<int>(rng() % 300);
        randomKeys(rng, faces);
        for (int f = 0; f < faces; ++f)
            order[f] = 0;
        literalPaintingOrder();
        literal.assign(order, order + faces);
        for (int f = 0; f < faces; ++f)
            order[f] = 0;
        computePaintingOrder();
        ASSERT_EQ(std::vector<int>(order, order + faces), literal) << "round " << round;
    }
}

TEST_F(StoreTest, FastPaintersOrderEqualsTheLiteralOneOnGeneratedSurfaces)
{
    // Whole surfaces through depth keys: many faces share corners and so keys.
    std::mt19937 rng(777);
    for (int round = 0; round < 100; ++round) {
        NOV = 5 + static_cast<int>(rng() % 40);
        for (int i = 0; i < NOV; ++i)
            v[i] = Point3{0, 0, static_cast<double>(rng() % 4) * 0.25};
        if (round % 5 == 0)
            v[0].z = std::nan("");
        NOS = static_cast<int>(rng() % 200);
        for (int f = 0; f < NOS; ++f)
            for (int k = 0; k < 3; ++k)
                face[f][k] = static_cast<int>(rng() % NOV);
        computeDepthKeys();
        literalPaintingOrder();
        const std::vector<int> literal(order, order + NOS);
        computeDepthKeys();
        computePaintingOrder();
        ASSERT_EQ(std::vector<int>(order, order + NOS), literal) << "round " << round;
    }
}

TEST_F(StoreTest, FastFaceToEdgeTableEqualsTheLiteralOne)
{
    std::mt19937 rng(2024);
    std::vector<int> literal;
    for (int round = 0; round < 300; ++round) {
        // Few vertices, so duplicate edges, repeated corners and faces without
        // edges all occur; the table starts from the same stale contents.
        NOV = 3 + static_cast<int>(rng() % 12);
        NOS = static_cast<int>(rng() % 60);
        NOE = static_cast<int>(rng() % 80);
        for (int f = 0; f < NOS; ++f)
            for (int k = 0; k < 3; ++k)
                face[f][k] = static_cast<int>(rng() % NOV);
        for (int e = 0; e < NOE; ++e) {
            edge[e][0] = static_cast<int>(rng() % NOV);
            edge[e][1] = static_cast<int>(rng() % NOV);
        }
        std::vector<int> stale(3 * NOS);
        for (int& s : stale)
            s = static_cast<int>(rng() % 1000);
        std::copy(stale.begin(), stale.end(), face2edge);
        literalMakeFace2edge();
        literal.assign(face2edge, face2edge + 3 * NOS);
        std::copy(stale.begin(), stale.end(), face2edge);
        revised_face2edge = true;
        make_face2edge();
        EXPECT_FALSE(revised_face2edge);
        ASSERT_EQ(std::vector<int>(face2edge, face2edge + 3 * NOS), literal) << "round " << round;
    }
}

TEST_F(StoreTest, FaceToEdgeTableHasRoomForEveryFace)
{
    // More faces than the 13333 the original table held: no slot is written out of bounds.
    NOV = 3;
    NOE = 1;
    edge[0][0] = 0;
    edge[0][1] = 1;
    NOS = MAX_FACES;
    for (int f = 0; f < NOS; ++f)
        face[f][0] = 0, face[f][1] = 1, face[f][2] = 2;
    make_face2edge();
    EXPECT_EQ(face2edge[3 * (MAX_FACES - 1)], 0);
}
