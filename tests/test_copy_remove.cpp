#include "tests/fixture.h"

#include "construct/copy_remove.h"
#include "construct/subdivision.h"
#include "io/reader.h"
#include "io/sample_loader.h"
#include "model/components.h"
#include "model/history.h"
#include "model/topology.h"
#include "tests/model_copy.h"
#include "tests/reference/literal_copy_remove.h"
#include "tests/surface_generators.h"

#include <random>

class CellTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(wxTranslateData(writeFile(kSingleCellFile), false));
        fill_conn_comp();
    }
};

TEST_F(CellTest, PlainCopy)
{
    const std::vector<Point3> p(v, v + 8);
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(NOE, 28);
    EXPECT_EQ(NOS, 14);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[8 + i].x, p[i].x + 2.0);
        EXPECT_EQ(v[8 + i].y, p[i].y);
        EXPECT_EQ(v[8 + i].z, p[i].z);
    }
    for (int e = 0; e < 14; ++e) {
        EXPECT_EQ(edge[14 + e][0], edge[e][0] + 8);
        EXPECT_EQ(edge[14 + e][1], edge[e][1] + 8);
        EXPECT_EQ(phi[14 + e], phi[e]);
    }
    for (int f = 0; f < 7; ++f)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(face[7 + f][k], face[f][k] + 8);
    EXPECT_EQ(historyLength(), 1) << "the snapshot is the command's (addCopyCommand), not the copy's";
    EXPECT_FALSE(NOfaceOfVertex_on);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, MirrorCopy)
{
    const std::vector<Point3> p(v, v + 8);
    ASSERT_TRUE(addcopy(true));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[8 + i].x, 2.0 - p[i].x);
        EXPECT_EQ(v[8 + i].y, p[i].y);
    }
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(face[7 + f][0], face[f][0] + 8);
        EXPECT_EQ(face[7 + f][1], face[f][2] + 8);
        EXPECT_EQ(face[7 + f][2], face[f][1] + 8);
    }
}

TEST_F(CellTest, CopyExtendsTheLabels)
{
    NOcomp = 2;
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(conn_comp[8], 3);
    EXPECT_EQ(NOcomp, 4);
    fill_conn_comp();
    EXPECT_EQ(conn_comp[8], 2);
    EXPECT_EQ(NOcomp, 3);

    // Labels past the component tables are never handed out.
    NOcomp = 60;
    for (int i = 0; i < NOV; ++i)
        conn_comp[i] = 50;
    ASSERT_TRUE(addcopy(false));
    EXPECT_EQ(NOcomp, 99);
    EXPECT_EQ(conn_comp[16], 0) << "50 + 60 does not fit: no component";
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, CopyCapacityBoundaries)
{
    auto tryCopy = [](int nv, int ne, int ns) {
        NOV = nv;
        NOE = ne;
        NOS = ns;
        for (int e = 14; e < ne; ++e) {
            edge[e][0] = 0, edge[e][1] = 1, phi[e] = 1.0;
        }
        for (int f = 7; f < ns; ++f)
            face[f][0] = 0, face[f][1] = 1, face[f][2] = 7;
        const bool fits = copyRefusal().empty();
        EXPECT_EQ(addcopy(false), fits);
        return NOV == 2 * nv;
    };
    EXPECT_FALSE(tryCopy(15001, 14, 7));
    EXPECT_TRUE(tryCopy(15000, 15000, 6666));
    EXPECT_EQ(NOV, 30000);
    EXPECT_EQ(NOE, 30000);
    EXPECT_EQ(NOS, 13332);
    EXPECT_FALSE(tryCopy(8, 15001, 7));
    EXPECT_FALSE(tryCopy(8, 14, 6667));
}

TEST_F(CellTest, RemovingTheCentreLeavesTheRim)
{
    remove(7);
    EXPECT_EQ(NOV, 7);
    EXPECT_EQ(NOE, 7);
    EXPECT_EQ(NOS, 0);
    for (int e = 0; e < 7; ++e)
        EXPECT_LT(phi[e], 0.85);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, RemovingARimVertexRenumbers)
{
    const Point3 p1 = v[1];
    remove(0);
    EXPECT_EQ(NOV, 7);
    EXPECT_EQ(NOE, 11);
    EXPECT_EQ(NOS, 5);
    EXPECT_EQ(v[0].x, p1.x);
    // Old faces (1,2,7) ... (5,6,7) remain as (0,1,6) ... (4,5,6).
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(face[f][0], f);
        EXPECT_EQ(face[f][1], f + 1);
        EXPECT_EQ(face[f][2], 6);
    }
    EXPECT_EQ(getEdgeIncludeVertices(0, 6), 5) << "old spoke (1, 7)";
    for (int e = 0; e < NOE; ++e)
        EXPECT_LT(std::max(edge[e][0], edge[e][1]), 7);
    remove(NOV);  // not a live vertex: nothing happens
    EXPECT_EQ(NOV, 7);
    EXPECT_STORE_VALID();
}

TEST_F(CellTest, FlipTwiceRestoresEveryFace)
{
    const std::vector<int> f(&face[0][0], &face[0][0] + 3 * NOS);
    flipFace();
    EXPECT_EQ(face[0][1], 7);
    EXPECT_EQ(face[0][2], 1);
    flipFace();
    EXPECT_EQ(std::vector<int>(&face[0][0], &face[0][0] + 3 * NOS), f);
}

TEST_F(CellTest, KagoRemovesTheCentreOfASubdividedCell)
{
    ASSERT_TRUE(subdiv(2));
    kago();
    EXPECT_EQ(NOV, 21);
    EXPECT_EQ(NOE, 42);
    EXPECT_EQ(NOS, 21);
    for (int i = 0; i < NOV; ++i)
        EXPECT_LT(numberOfFacesIncludeVertex(i), 7);
    EXPECT_STORE_VALID();
}

namespace {
// Runs `literal` and `fast` from the same start and expects the same model.
template <class Literal, class Fast>
void expectSameAsLiteral(Literal literal, Fast fast, const std::string& what)
{
    const Model start = Model::take();
    literal();
    const Model expected = Model::take();
    start.put();
    fast();
    EXPECT_TRUE(Model::take() == expected) << what;
}

// The surfaces of the differential tests: generated ones, subdivided or not,
// and every sample, alone and in copies.
std::vector<std::pair<std::string, Model>> kagoSurfaces()
{
    std::vector<std::pair<std::string, Model>> surfaces;
    std::mt19937 rng(5);
    for (int round = 0; round < 12; ++round) {
        resetStore();
        wxTranslateData(sourceDir() + "/sample/single.kor", false);
        grow(rng, 3 + round, round % 2 == 0);
        if (round % 3 != 0)
            subdiv(2 + round % 3);
        surfaces.emplace_back("generated " + std::to_string(round), Model::take());
    }
    for (int n = 128; n <= 141; ++n) {
        resetStore();
        const std::string name(sampleFileName(n).utf8_str());
        wxTranslateData(sourceDir() + "/sample/" + name, false);
        surfaces.emplace_back(name, Model::take());
        if (replicate(3))
            surfaces.emplace_back(name + " x3", Model::take());
        if (n % 2 == 0 && subdiv(2))
            surfaces.emplace_back(name + " x3 subdivided", Model::take());
    }
    return surfaces;
}
}  // namespace

TEST(RemoveDifferential, OnePassKagoAndRemoveEqualTheLiteralOnes)
{
    std::mt19937 rng(3);
    int removed = 0;
    for (const auto& [name, start] : kagoSurfaces()) {
        ASSERT_GT(start.v.size(), 0u) << name << " could not be made";
        start.put();
        expectSameAsLiteral(literalKago, kago, "kago on " + name);
        removed += static_cast<int>(start.v.size()) - NOV;
        EXPECT_STORE_VALID();
        for (int k = 0; k < 3; ++k) {
            start.put();
            const int p = static_cast<int>(rng() % start.v.size());
            expectSameAsLiteral([p] { literalRemove(p); }, [p] { remove(p); },
                                "removing " + std::to_string(p) + " of " + name);
            EXPECT_STORE_VALID();
        }
    }
    EXPECT_GT(removed, 1000) << "kago found cell centres to remove";
    resetStore();
}

TEST_F(StoreTest, KagoJudgesEachVertexByTheFacesLeftWhenTheScanReachesIt)
{
    // Vertex 0 lies in 7 faces, one of them shared with vertex 9, which lies in
    // 8: once 0 is gone, 9 is down to 7 and goes too. Vertex 18 lies in 7 faces
    // of which one holds 0, so it is down to 6 when the scan reaches it and stays.
    NOV = 26;
    for (int i = 0; i < NOV; ++i)
        v[i] = Point3{double(i), double(i % 3), 0.0};
    auto add = [](int a, int b, int c) {
        face[NOS][0] = a, face[NOS][1] = b, face[NOS][2] = c;
        ++NOS;
        edge[NOE][0] = a, edge[NOE][1] = b, phi[NOE] = 1.0;
        ++NOE;
    };
    for (int i = 1; i <= 5; ++i)
        add(0, i, i + 1);
    add(0, 7, 9);
    add(0, 6, 18);
    for (int i = 10; i <= 16; ++i)
        add(9, i, i + 1);
    for (int i = 19; i <= 24; ++i)
        add(18, i, i + 1);
    ASSERT_EQ(numberOfFacesIncludeVertex(0), 7);
    ASSERT_EQ(numberOfFacesIncludeVertex(9), 8);
    ASSERT_EQ(numberOfFacesIncludeVertex(18), 7);
    const Model start = Model::take();
    literalKago();
    const Model expected = Model::take();
    EXPECT_EQ(NOV, 24) << "0 and 9 removed, 18 kept";
    start.put();
    kago();
    EXPECT_TRUE(Model::take() == expected);
    EXPECT_EQ(NOS, 6) << "only vertex 18's six faces remain";
}
