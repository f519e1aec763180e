#include "tests/fixture.h"

#include <algorithm>
#include <cmath>

#include "geometry/precise_relaxation.h"
#include "geometry/self_intersection.h"
#include "io/reader.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "view/animation.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

// The one cell with its exact target lengths, every vertex pushed off its place
// by a fixed pattern of up to 0.15.
void disturbedCell(const std::string& path)
{
    ASSERT_TRUE(wxTranslateData(path, false));
    refreshDerivedData();  // the targets become the exact sines
    for (int i = 0; i < NOV; ++i) {
        v[i].x += 0.15 * std::sin(3.1 * i + 0.4);
        v[i].y += 0.15 * std::cos(1.7 * i + 1.1);
        v[i].z += 0.15 * std::sin(2.3 * i + 2.0);
    }
}

int addVertex(double x, double y, double z)
{
    v[NOV] = Point3{x, y, z};
    return NOV++;
}

void addEdge(int a, int b, double target)
{
    edge[NOE][0] = a;
    edge[NOE][1] = b;
    phi[NOE++] = target;
}

void addFace(int a, int b, int c)
{
    face[NOS][0] = a;
    face[NOS][1] = b;
    face[NOS][2] = c;
    ++NOS;
}

Point3 centroid()
{
    Point3 c{0, 0, 0};
    for (int i = 0; i < NOV; ++i)
        c = Point3{c.x + v[i].x / NOV, c.y + v[i].y / NOV, c.z + v[i].z / NOV};
    return c;
}
}  // namespace

TEST_F(StoreTest, PreciseRelaxationGivesTheCellItsExactShapeWithoutMovingIt)
{
    disturbedCell(writeFile(kSingleCellFile));
    ASSERT_GT(maxRelativeEdgeError(), 0.05);
    const Point3 before = centroid();
    double error = 1;
    int iterations = 0;
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error, &iterations), PreciseState::Reached);
    EXPECT_LE(error, PRECISE_TOLERANCE);
    EXPECT_EQ(error, maxRelativeEdgeError());
    EXPECT_LT(iterations, 30);
    make_curvature();
    EXPECT_NEAR(curvature[7], 6.5973446, 1e-7);
    EXPECT_NEAR(curvature[7], 7 * 54 * kPi / 180, 1e-9);  // seven apex angles of 54 degrees
    // The steps hold no rigid motion: the cell has not drifted.
    const Point3 after = centroid();
    EXPECT_NEAR(after.x, before.x, 1e-12);
    EXPECT_NEAR(after.y, before.y, 1e-12);
    EXPECT_NEAR(after.z, before.z, 1e-12);
}

TEST_F(StoreTest, PreciseRelaxationOfARelaxedSurfaceMovesNothing)
{
    disturbedCell(writeFile(kSingleCellFile));
    const std::vector<Point3> disturbed(v, v + NOV);
    double error = 1;
    ASSERT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error), PreciseState::Reached);
    const std::vector<Point3> relaxed(v, v + NOV);
    int iterations = -1;
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error, &iterations), PreciseState::Reached);
    EXPECT_EQ(iterations, 0);
    for (int i = 0; i < NOV; ++i) {
        EXPECT_EQ(v[i].x, relaxed[i].x);
        EXPECT_EQ(v[i].y, relaxed[i].y);
        EXPECT_EQ(v[i].z, relaxed[i].z);
    }
    // The same start run again, with what the last runs left in the solver's
    // globals: the same surface bit for bit.
    std::copy(disturbed.begin(), disturbed.end(), v);
    ASSERT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error), PreciseState::Reached);
    for (int i = 0; i < NOV; ++i) {
        EXPECT_EQ(v[i].x, relaxed[i].x);
        EXPECT_EQ(v[i].y, relaxed[i].y);
        EXPECT_EQ(v[i].z, relaxed[i].z);
    }
    // An empty surface is done at once.
    resetStore();
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error), PreciseState::Reached);
    EXPECT_EQ(error, 0);
}

TEST_F(StoreTest, AKeptAnalysisStepsAsAFreshOneEvenCutIntoPiecesAndIsRenewedForOtherEdges)
{
    const std::string path = writeFile(kSingleCellFile);
    PreciseAnalysis analysis;
    // Four iterations, from the descent's first batch or straight into the
    // Newton steps; cut ones stop after every part of their work (a descent
    // step, a piece of the factorisation, the solve, a trial) and go on in the
    // next call.
    for (const bool newton : {false, true}) {
        int cuts = 0;
        auto iterate = [&cuts, newton](PreciseAnalysis* analysis, bool cut) {
            g_precise_descent = PreciseDescent();
            g_precise_descent.over = newton;
            CrossingPairs crossings = selfIntersections();
            double error = 1;
            for (int i = 0; i < 4;)
                if (preciseRelaxIteration(PRECISE_TOLERANCE, &crossings, &error, analysis, cut ? 0.0 : -1.0) ==
                    PreciseState::Working)
                    ++cuts;
                else
                    ++i;
            g_precise_damping = 1e-3;
            return std::vector<Point3>(v, v + NOV);
        };
        resetStore();
        disturbedCell(path);
        g_precise_damping = 1e-3;
        const std::vector<Point3> fresh = iterate(nullptr, false);
        for (const bool cut : {false, true}) {
            resetStore();
            disturbedCell(path);
            g_precise_damping = 1e-3;
            const std::vector<Point3> kept = iterate(&analysis, cut);
            ASSERT_EQ(kept.size(), fresh.size());
            for (size_t i = 0; i < kept.size(); ++i) {
                EXPECT_EQ(kept[i].x, fresh[i].x) << newton << cut;
                EXPECT_EQ(kept[i].y, fresh[i].y) << newton << cut;
                EXPECT_EQ(kept[i].z, fresh[i].z) << newton << cut;
            }
        }
        EXPECT_GT(cuts, 4) << newton;
    }
    // The same analysis on a surface with other edges: renewed, not misused.
    resetStore();
    const int a = addVertex(0, 0, 0), b = addVertex(1.2, 0, 0), c = addVertex(0, 0.9, 0), d = addVertex(0.1, 0.2, 1.1);
    addEdge(a, b, 1), addEdge(a, c, 1), addEdge(a, d, 1), addEdge(b, c, 1), addEdge(b, d, 1), addEdge(c, d, 1);
    addFace(a, b, c), addFace(a, d, b), addFace(b, d, c), addFace(a, c, d);
    CrossingPairs none;
    double error = 1;
    PreciseState state = PreciseState::Running;
    for (int i = 0; i < 100 && state == PreciseState::Running; ++i)
        state = preciseRelaxIteration(PRECISE_TOLERANCE, &none, &error, &analysis);
    EXPECT_EQ(state, PreciseState::Reached);
    EXPECT_LE(error, PRECISE_TOLERANCE);
}

TEST_F(StoreTest, LengthsThatNoShapeHasEndAtTheLeastSquaresMinimum)
{
    // A tetrahedron with five edges of length 1 cannot have a sixth of 2.5.
    const int a = addVertex(0, 0, 0), b = addVertex(1, 0, 0), c = addVertex(0.5, 0.8, 0), d = addVertex(0.5, 0.3, 0.8);
    addEdge(a, b, 2.5);
    addEdge(a, c, 1), addEdge(a, d, 1), addEdge(b, c, 1), addEdge(b, d, 1), addEdge(c, d, 1);
    addFace(a, b, c), addFace(a, d, b), addFace(b, d, c), addFace(a, c, d);
    double error = 0;
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 1000, &error), PreciseState::Minimum);
    EXPECT_GT(error, 0.05);
    // At the minimum a small move either way raises the sum of squares.
    auto squares = [] {
        double sum = 0;
        for (int e = 0; e < NOE; ++e) {
            const Point3& p = v[edge[e][0]];
            const Point3& q = v[edge[e][1]];
            const double r = std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z)) - phi[e];
            sum += r * r;
        }
        return sum;
    };
    const double least = squares();
    for (int i = 0; i < NOV; ++i) {
        for (double h : {1e-4, -1e-4}) {
            v[i].z += h;
            EXPECT_GE(squares(), least - 1e-12);
            v[i].z -= h;
        }
    }
    // Run again, it stays where it is.
    const std::vector<Point3> first(v, v + NOV);
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 1000, &error), PreciseState::Minimum);
    for (int i = 0; i < NOV; ++i)
        EXPECT_NEAR(v[i].z, first[i].z, 1e-9);
}

TEST_F(StoreTest, PreciseStepsNeverPassTheSurfaceThroughItself)
{
    // A wide floor triangle, a small triangle above it, and a spring from the
    // small triangle's corner to a point under the floor that wants it 0.5 long.
    const int f0 = addVertex(-5, -5, 0), f1 = addVertex(5, -5, 0), f2 = addVertex(0, 5, 0);
    const int t0 = addVertex(0, 0, 1), t1 = addVertex(1, 0, 1.2), t2 = addVertex(0, 1, 1.2);
    const int below = addVertex(0, 0, -3);
    addEdge(f0, f1, 10), addEdge(f1, f2, std::hypot(5, 10)), addEdge(f2, f0, std::hypot(5, 10));
    addEdge(t0, t1, std::hypot(1, 0.2)), addEdge(t1, t2, std::sqrt(2.0)), addEdge(t2, t0, std::hypot(1, 0.2));
    addEdge(t0, below, 0.5);
    addFace(f0, f1, f2);
    addFace(t0, t1, t2);
    ASSERT_TRUE(selfIntersections().empty());
    double error = 0;
    const PreciseState state = relaxPrecisely(PRECISE_TOLERANCE, 1000, &error);
    EXPECT_EQ(state, PreciseState::Blocked);
    EXPECT_GT(error, 0.1);
    EXPECT_TRUE(selfIntersections().empty());
    EXPECT_GT(v[t0].z, 0);  // still above the floor
    EXPECT_LT(v[t0].z, 1);  // but pulled towards it as far as it could go
}

TEST_F(StoreTest, PositionsThatAreNotNumbersAreNotRelaxed)
{
    disturbedCell(writeFile(kSingleCellFile));
    v[2].y = std::nan("");
    double error = 0;
    EXPECT_EQ(relaxPrecisely(PRECISE_TOLERANCE, 100, &error), PreciseState::Unusable);
    EXPECT_TRUE(std::isnan(error));
}

TEST_F(StoreTest, RelaxPreciselyRunsOnTheTimerAndUndoesAsOneAction)
{
    disturbedCell(writeFile(kSingleCellFile));
    g_purturb = 0;
    const std::vector<Point3> start(v, v + NOV);
    const int history = historyLength();
    EXPECT_TRUE(toggleRelaxPrecisely());
    EXPECT_EQ(historyLength(), history + 1);  // one snapshot, when it starts
    int ticks = 0;
    TickResult tick;
    do {
        tick = animationTick();
        ASSERT_TRUE(messagetxt.StartsWith("Relaxing precisely: error ")) << messagetxt;
        ++ticks;
    } while (!tick.relaxPreciselyEnded && ticks < 1000);
    EXPECT_FALSE(g_relax_precisely);
    EXPECT_EQ(historyLength(), history + 1);
    EXPECT_LE(maxRelativeEdgeError(), PRECISE_TOLERANCE);
    double shown = 0;
    ASSERT_TRUE(messagetxt.AfterLast(' ').ToCDouble(&shown));
    EXPECT_LE(shown, PRECISE_TOLERANCE);
    EXPECT_TRUE(animationTick().stopTimer);

    undo();
    for (int i = 0; i < NOV; ++i) {
        EXPECT_EQ(v[i].x, start[i].x);
        EXPECT_EQ(v[i].z, start[i].z);
    }
}

TEST_F(StoreTest, ChoosingRelaxPreciselyAgainStopsIt)
{
    disturbedCell(writeFile(kSingleCellFile));
    g_purturb = 0;
    const int history = historyLength();
    EXPECT_TRUE(toggleRelaxPrecisely());
    EXPECT_FALSE(toggleRelaxPrecisely());
    EXPECT_EQ(historyLength(), history + 1);  // stopping records nothing
    const std::vector<Point3> start(v, v + NOV);
    EXPECT_TRUE(animationTick().stopTimer);
    EXPECT_EQ(v[0].x, start[0].x);
}

TEST(PreciseMessage, ErrorIsShownWithTwoSignificantDigits)
{
    EXPECT_EQ(preciseRelaxationMessage(3.2e-5), "Relaxing precisely: error 3.2e-5");
    EXPECT_EQ(preciseRelaxationMessage(0.01234), "Relaxing precisely: error 1.2e-2");
    EXPECT_EQ(preciseRelaxationMessage(4.5e-12), "Relaxing precisely: error 4.5e-12");
    EXPECT_EQ(preciseRelaxationMessage(0), "Relaxing precisely: error 0.0e0");
}
