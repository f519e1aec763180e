// Sparse Cholesky factorisation (L L^T) of a symmetric positive definite
// matrix made of 3 x 3 blocks, one block row and column per vertex, as the
// precise relaxation's model matrix is. The columns are ordered by minimum
// degree on the vertex graph, then gathered into supernodes: runs of columns
// that share their rows below, stored as dense blocks, so that most of the
// work is dense matrix products. The factorisation can be made in pieces
// (factorizeSome), each going on where the last stopped, so that a caller with
// a time budget spreads one factorisation over several calls; the result does
// not depend on where it was cut. Reads and writes no globals.
#pragma once

#include <vector>

#include <Eigen/Core>
#include <Eigen/SparseCore>

class BlockCholesky {
public:
    using SparseMatrix = Eigen::SparseMatrix<double>;

    // The ordering and the supernodes for matrices with the pattern of
    // `pattern` (square, 3 x vertices, symmetric, every diagonal entry present).
    void analyse(const SparseMatrix& pattern);
    // Starts a factorisation of `matrix` (the pattern given to analyse, with
    // its values) plus `shift` on the diagonal.
    void begin(const SparseMatrix& matrix, double shift);
    // Goes on with the factorisation begun last; stops as soon as `seconds` of
    // wall time have passed since the call (never when `seconds` is negative),
    // after at least one update of one supernode. True when the factorisation
    // is complete.
    bool factorizeSome(double seconds = -1);
    // True when the factorisation is complete and the matrix was positive
    // definite.
    bool succeeded() const { return m_next == supernodes() && m_positive; }
    bool done() const { return m_next == supernodes(); }
    // The solution x of matrix x = b; the factorisation must have succeeded.
    Eigen::VectorXd solve(const Eigen::VectorXd& b) const;
    // Entries of the factor, the explicit zeros of the supernodes included.
    long factorEntries() const { return static_cast<long>(m_values.size()); }

private:
    int supernodes() const { return static_cast<int>(m_first.size()) - 1; }
    // Factorises supernode s, or goes on with it; false when outOfTime() said
    // so before it was done.
    template <typename OutOfTime>
    bool factorSupernode(int s, const OutOfTime& outOfTime);

    int m_size = 0;                  // scalar rows and columns
    std::vector<int> m_newIndex;     // scalar index -> its place in the factor's order
    std::vector<int> m_first;        // supernode s: its columns (vertices) m_first[s] .. m_first[s+1]-1
    std::vector<int> m_rowStart;     // supernode s: its rows m_rows[m_rowStart[s]] .. (scalar, sorted)
    std::vector<int> m_rows;
    std::vector<long> m_valueStart;  // supernode s: its dense block, column major, at m_values[m_valueStart[s]]
    std::vector<double> m_values;
    std::vector<int> m_supernodeOf;  // vertex (in the factor's order) -> its supernode
    std::vector<long> m_entryPlace;  // nonzero k of the matrix -> its place in m_values, or -1 (upper triangle)
    std::vector<char> m_onDiagonal;  // nonzero k of the matrix is a diagonal entry
    // The factorisation under way: the next supernode, and for each finished
    // supernode that still has to update later ones, the next of its rows and
    // the list it waits in.
    int m_next = 0;
    bool m_positive = true;
    std::vector<int> m_head, m_link, m_cursor;
    std::vector<int> m_place;        // scratch: scalar row -> its row in the supernode being factorised
    std::vector<double> m_update;    // scratch for one supernode's update
};
