#include "tests/fixture.h"

#include <cmath>
#include <limits>
#include <random>

#include "geometry/face_clearance.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "tests/reference/literal_face_clearance.h"
#include "tests/surface_generators.h"

TEST(FaceClearance, DistancesBetweenTriangles)
{
    const double p[3] = {0, 0, 0}, q[3] = {1, 0, 0}, r[3] = {0, 1, 0};
    // A copy 0.3 above: the corners lie over the other face.
    const double p1[3] = {0, 0, 0.3}, q1[3] = {1, 0, 0.3}, r1[3] = {0, 1, 0.3};
    EXPECT_NEAR(triangleDistance(p, q, r, p1, q1, r1), 0.3, 1e-15);
    // A corner over the middle of the other face, the rest further up.
    const double tip[3] = {0.2, 0.2, 0.1}, up1[3] = {0.2, 0.2, 2}, up2[3] = {0.3, 0.1, 2};
    EXPECT_NEAR(triangleDistance(p, q, r, tip, up1, up2), 0.1, 1e-15);
    // Two sides that pass each other crosswise, 0.25 apart, beyond the corners.
    const double s0[3] = {0.5, -1, 0.25}, s1[3] = {0.5, -0.5, 0.25}, s2[3] = {0.5, -1, 2};
    const double t0[3] = {0.3, -0.75, 0}, t1[3] = {0.7, -0.75, 0}, t2[3] = {0.5, -0.75, -2};
    EXPECT_NEAR(triangleDistance(s0, s1, s2, t0, t1, t2), 0.25, 1e-15) << "side to side";
    // Beside each other in one plane, 0.5 apart along x.
    const double b0[3] = {1.5, 0, 0}, b1[3] = {2.5, 0, 0}, b2[3] = {1.5, 1, 0};
    EXPECT_NEAR(triangleDistance(p, q, r, b0, b1, b2), 0.5, 1e-15);
    // Through each other.
    const double c0[3] = {0.2, 0.2, -1}, c1[3] = {0.3, 0.2, 1}, c2[3] = {0.2, 0.3, 1};
    EXPECT_EQ(triangleDistance(p, q, r, c0, c1, c2), 0);
    // A face with no area is measured by its corners and sides.
    const double d0[3] = {0.5, 0.5, 0.4}, d1[3] = {0.5, 0.5, 0.4};
    EXPECT_NEAR(triangleDistance(p, q, r, d0, d1, d1), 0.4, 1e-15);
}

TEST(FaceClearance, GridFindsTheNearestPairThatAllPairsFind)
{
    std::mt19937 rng(18);
    int surfaces = 0;
    auto compare = [&](const std::string& name) {
        EXPECT_EQ(smallestFaceClearance(), literalSmallestFaceClearance()) << name;
        ++surfaces;
    };
    resetStore();
    ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
    EXPECT_EQ(smallestFaceClearance(), std::numeric_limits<double>::infinity()) << "every face has the centre";
    for (int round = 0; round < 8; ++round) {
        resetStore();
        ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/single.kor", false));
        grow(rng, 4 + 3 * round, round % 2 == 0);
        compare("generated " + std::to_string(round));
        std::normal_distribution<double> jitter(0, 0.2);
        for (int i = 0; i < NOV; ++i)
            v[i].x += jitter(rng), v[i].y += jitter(rng), v[i].z += jitter(rng);
        compare("crumpled " + std::to_string(round));
        // Two copies far apart: the nearest pair lies within one of them.
        ASSERT_TRUE(replicate(2));
        compare("crumpled " + std::to_string(round) + " twice");
    }
    for (int n = FIRST_SAMPLE + 1; n <= LAST_SAMPLE; ++n) {
        resetStore();
        const std::string name(sampleFileName(n).utf8_str());
        ASSERT_TRUE(wxTranslateData(sourceDir() + "/sample/" + name, false)) << name;
        if (NOS <= 500)  // the larger ones take all pairs too long
            compare(name);
    }
    // Two faces far from all others: the search widens until it reaches them.
    resetStore();
    NOV = 6;
    v[0] = {0, 0, 0}, v[1] = {1, 0, 0}, v[2] = {0, 1, 0};
    v[3] = {0, 0, 40}, v[4] = {1, 0, 40}, v[5] = {0, 1, 40};
    NOS = 2;
    face[0][0] = 0, face[0][1] = 1, face[0][2] = 2;
    face[1][0] = 3, face[1][1] = 4, face[1][2] = 5;
    EXPECT_NEAR(smallestFaceClearance(), 40, 1e-12);
    // A corner that is not a number meets everything.
    v[4].y = std::nan("");
    EXPECT_EQ(smallestFaceClearance(), 0);
    EXPECT_GT(surfaces, 25);
    resetStore();
}
