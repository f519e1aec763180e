#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <Eigen/Cholesky>
#include <Eigen/SparseCholesky>

#include "geometry/block_cholesky.h"

namespace {
using SparseMatrix = Eigen::SparseMatrix<double>;

// A matrix shaped like the precise relaxation's model on a triangulated
// 9 x 7 grid of vertices (a strip joined into a tube, so that the ordering has
// work to do): each edge adds w u u^T to its ends' blocks and subtracts it from
// the blocks between them, with directions and weights from a fixed pattern.
SparseMatrix gridModel()
{
    const int across = 9, along = 7, count = across * along;
    std::vector<Eigen::Triplet<double>> entries;
    for (int i = 0; i < 3 * count; ++i)
        entries.emplace_back(i, i, 0.0);
    int made = 0;
    auto addEdge = [&](int a, int b) {
        const double u[3] = {std::sin(1.3 * made + 0.2), std::cos(0.7 * made + 1.0), std::sin(2.9 * made)};
        const double norm = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
        const double w = 1 + 0.5 * std::sin(0.37 * made++);
        for (int k = 0; k < 3; ++k)
            for (int m = 0; m < 3; ++m) {
                const double x = w * u[k] * u[m] / (norm * norm);
                entries.emplace_back(3 * a + k, 3 * a + m, x);
                entries.emplace_back(3 * b + k, 3 * b + m, x);
                entries.emplace_back(3 * a + k, 3 * b + m, -x);
                entries.emplace_back(3 * b + k, 3 * a + m, -x);
            }
    };
    for (int r = 0; r < along; ++r)
        for (int c = 0; c < across; ++c) {
            const int here = r * across + c, right = r * across + (c + 1) % across;
            addEdge(here, right);
            if (r + 1 < along) {
                addEdge(here, here + across);
                addEdge(here, right + across);
            }
        }
    SparseMatrix model(3 * count, 3 * count);
    model.setFromTriplets(entries.begin(), entries.end());
    model.makeCompressed();
    return model;
}
}  // namespace

// The supernodal factorisation against Eigen's simplicial one and a dense one:
// the same solutions, also when it is made in pieces (bit for bit), and a
// matrix that is not positive definite is reported as such.
TEST(BlockCholesky, SolvesAsEigensFactorisationsDoInOnePieceOrMany)
{
    const SparseMatrix model = gridModel();
    const int n = static_cast<int>(model.rows());
    Eigen::VectorXd b(n);
    for (int i = 0; i < n; ++i)
        b[i] = std::cos(0.3 * i) + 0.1 * i / n;
    const double shift = 1e-3;

    BlockCholesky whole;
    whole.analyse(model);
    whole.begin(model, shift);
    EXPECT_TRUE(whole.factorizeSome());
    ASSERT_TRUE(whole.succeeded());
    const Eigen::VectorXd x = whole.solve(b);

    SparseMatrix shifted = model;
    shifted.diagonal().array() += shift;
    Eigen::SimplicialLDLT<SparseMatrix> simplicial(shifted);
    ASSERT_EQ(simplicial.info(), Eigen::Success);
    const Eigen::VectorXd expected = simplicial.solve(b);
    const Eigen::VectorXd dense = Eigen::MatrixXd(shifted).llt().solve(b);
    EXPECT_LE((x - expected).norm(), 1e-9 * expected.norm());
    EXPECT_LE((x - dense).norm(), 1e-9 * dense.norm());
    EXPECT_LE((shifted * x - b).norm(), 1e-10 * b.norm());

    // One supernode per call, and a second factorisation with the same analysis.
    BlockCholesky pieces;
    pieces.analyse(model);
    pieces.begin(model, 5.0);
    pieces.factorizeSome();
    pieces.begin(model, shift);
    int calls = 1;
    while (!pieces.factorizeSome(0))
        ++calls;
    EXPECT_GT(calls, 10);
    ASSERT_TRUE(pieces.succeeded());
    const Eigen::VectorXd y = pieces.solve(b);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(y[i], x[i]) << i;

    // Shifted below zero the model (singular: its rigid motions change no
    // length) is indefinite.
    whole.begin(model, -1e-3);
    EXPECT_TRUE(whole.factorizeSome());
    EXPECT_FALSE(whole.succeeded());
}
