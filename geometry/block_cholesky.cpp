#include "geometry/block_cholesky.h"

#include <algorithm>
#include <chrono>

#include <Eigen/Cholesky>
#include <Eigen/OrderingMethods>

namespace {
// The elimination tree of the graph `adjacent` (each vertex's neighbours, in
// elimination order): parent[k], or -1 for a root.
std::vector<int> eliminationTree(const std::vector<std::vector<int>>& adjacent)
{
    const int count = static_cast<int>(adjacent.size());
    std::vector<int> parent(count, -1), ancestor(count, -1);
    for (int k = 0; k < count; ++k)
        for (int i : adjacent[k]) {
            if (i >= k)
                continue;
            int r = i;
            while (ancestor[r] != -1 && ancestor[r] != k) {
                const int up = ancestor[r];
                ancestor[r] = k;
                r = up;
            }
            if (ancestor[r] == -1) {
                ancestor[r] = k;
                parent[r] = k;
            }
        }
    return parent;
}

// The vertices' neighbours renumbered by `order` (new -> old), sorted.
std::vector<std::vector<int>> renumbered(const std::vector<std::vector<int>>& adjacent, const std::vector<int>& order)
{
    const int count = static_cast<int>(order.size());
    std::vector<int> newIndex(count);
    for (int k = 0; k < count; ++k)
        newIndex[order[k]] = k;
    std::vector<std::vector<int>> out(count);
    for (int k = 0; k < count; ++k) {
        for (int i : adjacent[order[k]])
            out[k].push_back(newIndex[i]);
        std::sort(out[k].begin(), out[k].end());
    }
    return out;
}

// Share of explicit zeros a supernode of `width` vertex columns may hold: a
// few zeros buy dense products on wider blocks.
double zerosAllowed(int width)
{
    if (width <= 2)
        return 1.0;
    if (width <= 8)
        return 0.5;
    if (width <= 16)
        return 0.2;
    return 0.05;
}
}  // namespace

void BlockCholesky::analyse(const SparseMatrix& pattern)
{
    m_size = static_cast<int>(pattern.rows());
    const int count = m_size / 3;
    std::vector<std::vector<int>> adjacent(count);
    for (int c = 0; c < pattern.outerSize(); ++c)
        for (SparseMatrix::InnerIterator it(pattern, c); it; ++it) {
            const int a = static_cast<int>(it.row()) / 3, b = c / 3;
            if (a != b)
                adjacent[b].push_back(a);
        }
    for (auto& list : adjacent) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }

    // Minimum degree on the vertex graph.
    std::vector<int> order(count);
    {
        std::vector<Eigen::Triplet<double>> entries;
        for (int b = 0; b < count; ++b)
            entries.emplace_back(b, b, 1.0);  // without its diagonal the ordering leaves the graph as it is
        for (int b = 0; b < count; ++b)
            for (int a : adjacent[b])
                entries.emplace_back(a, b, 1.0);
        SparseMatrix graph(count, count);
        graph.setFromTriplets(entries.begin(), entries.end());
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> permutation;
        Eigen::AMDOrdering<int>()(graph, permutation);
        for (int k = 0; k < count; ++k)
            order[k] = permutation.indices()[k];
    }
    // Then a postorder of its elimination tree, so that each supernode's
    // columns are consecutive.
    {
        const std::vector<int> parent = eliminationTree(renumbered(adjacent, order));
        std::vector<std::vector<int>> children(count);
        std::vector<int> roots;
        for (int k = 0; k < count; ++k)
            (parent[k] < 0 ? roots : children[parent[k]]).push_back(k);
        std::vector<int> post;
        post.reserve(count);
        std::vector<std::pair<int, size_t>> stack;
        for (int root : roots) {
            stack.emplace_back(root, 0);
            while (!stack.empty()) {
                auto& [k, next] = stack.back();
                if (next < children[k].size()) {
                    const int child = children[k][next++];
                    stack.emplace_back(child, 0);
                } else {
                    post.push_back(k);
                    stack.pop_back();
                }
            }
        }
        std::vector<int> postOrder(count);
        for (int k = 0; k < count; ++k)
            postOrder[k] = order[post[k]];
        order = std::move(postOrder);
    }
    const std::vector<std::vector<int>> graph = renumbered(adjacent, order);
    const std::vector<int> parent = eliminationTree(graph);

    // Each column's rows below the diagonal: its own neighbours further on and
    // its children's rows.
    std::vector<std::vector<int>> below(count);
    {
        std::vector<std::vector<int>> children(count);
        for (int k = 0; k < count; ++k)
            if (parent[k] >= 0)
                children[parent[k]].push_back(k);
        std::vector<int> mark(count, -1);
        for (int j = 0; j < count; ++j) {
            mark[j] = j;
            std::vector<int>& rows = below[j];
            for (int i : graph[j])
                if (i > j && mark[i] != j) {
                    mark[i] = j;
                    rows.push_back(i);
                }
            for (int c : children[j])
                for (int i : below[c])
                    if (mark[i] != j) {
                        mark[i] = j;
                        rows.push_back(i);
                    }
            std::sort(rows.begin(), rows.end());
        }
    }

    // Supernodes: a column joins the one before it when it is that column's
    // parent and the zeros this adds stay within bounds.
    m_first.assign(1, 0);
    {
        long exact = count ? static_cast<long>(below[0].size()) + 1 : 0;
        for (int j = 1; j < count; ++j) {
            const int width = j - m_first.back() + 1;
            const long joined = exact + static_cast<long>(below[j].size()) + 1;
            const long dense = static_cast<long>(width) * (width + 1) / 2 + static_cast<long>(width) * below[j].size();
            if (parent[j - 1] == j && dense - joined <= zerosAllowed(width) * dense) {
                exact = joined;
                continue;
            }
            m_first.push_back(j);
            exact = static_cast<long>(below[j].size()) + 1;
        }
        m_first.push_back(count);
    }
    const int supernodeCount = supernodes();
    m_supernodeOf.assign(count, 0);
    m_rowStart.assign(1, 0);
    m_rows.clear();
    m_valueStart.assign(1, 0);
    for (int s = 0; s < supernodeCount; ++s) {
        const int first = m_first[s], last = m_first[s + 1] - 1;
        for (int j = first; j <= last; ++j) {
            m_supernodeOf[j] = s;
            for (int k = 0; k < 3; ++k)
                m_rows.push_back(3 * j + k);
        }
        for (int i : below[last])
            for (int k = 0; k < 3; ++k)
                m_rows.push_back(3 * i + k);
        m_rowStart.push_back(static_cast<int>(m_rows.size()));
        const long rows = m_rowStart[s + 1] - m_rowStart[s];
        m_valueStart.push_back(m_valueStart[s] + rows * 3 * (last - first + 1));
    }
    m_values.assign(m_valueStart.back(), 0.0);

    m_newIndex.resize(m_size);
    for (int k = 0; k < count; ++k)
        for (int c = 0; c < 3; ++c)
            m_newIndex[3 * order[k] + c] = 3 * k + c;
    m_entryPlace.assign(pattern.nonZeros(), -1);
    m_onDiagonal.assign(pattern.nonZeros(), 0);
    for (int c = 0; c < pattern.outerSize(); ++c)
        for (SparseMatrix::InnerIterator it(pattern, c); it; ++it) {
            const long k = &it.value() - pattern.valuePtr();
            const int row = m_newIndex[it.row()], column = m_newIndex[c];
            m_onDiagonal[k] = it.row() == c;
            if (row < column)
                continue;  // the upper triangle: the same entries as the lower one
            const int s = m_supernodeOf[column / 3];
            const int* first = m_rows.data() + m_rowStart[s];
            const int* last = m_rows.data() + m_rowStart[s + 1];
            const long place = std::lower_bound(first, last, row) - first;
            m_entryPlace[k] = m_valueStart[s] + (column - 3 * m_first[s]) * (last - first) + place;
        }
    m_place.assign(m_size, 0);
    m_next = supernodeCount;  // nothing begun
}

void BlockCholesky::begin(const SparseMatrix& matrix, double shift)
{
    std::fill(m_values.begin(), m_values.end(), 0.0);
    const double* values = matrix.valuePtr();
    for (size_t k = 0; k < m_entryPlace.size(); ++k)
        if (m_entryPlace[k] >= 0)
            m_values[m_entryPlace[k]] += values[k] + (m_onDiagonal[k] ? shift : 0.0);
    m_next = 0;
    m_positive = true;
    m_head.assign(supernodes(), -1);
    m_link.assign(supernodes(), -1);
    m_cursor.assign(supernodes(), 0);
}

bool BlockCholesky::factorizeSome(double seconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto outOfTime = [&] {
        return seconds >= 0 && std::chrono::duration<double>(Clock::now() - start).count() >= seconds;
    };
    while (m_next < supernodes()) {
        if (!factorSupernode(m_next, outOfTime))
            return false;
        ++m_next;
        if (!m_positive)
            m_next = supernodes();  // not positive definite: nothing more to do
        else if (outOfTime())
            break;
    }
    return done();
}

template <typename OutOfTime>
bool BlockCholesky::factorSupernode(int s, const OutOfTime& outOfTime)
{
    using Matrix = Eigen::MatrixXd;
    using Map = Eigen::Map<Matrix>;
    const int* rows = m_rows.data() + m_rowStart[s];
    const int height = m_rowStart[s + 1] - m_rowStart[s];
    const int width = 3 * (m_first[s + 1] - m_first[s]);
    const int columnsEnd = 3 * m_first[s + 1];
    Map block(m_values.data() + m_valueStart[s], height, width);
    for (int i = 0; i < height; ++i)
        m_place[rows[i]] = i;

    // The updates from the supernodes before it that have rows among its
    // columns, taken off its list one by one, so that a large supernode can be
    // left when time is up and gone on with in the next call.
    std::vector<int> target;
    while (m_head[s] != -1) {
        const int d = m_head[s];
        m_head[s] = m_link[d];
        const int* rowsD = m_rows.data() + m_rowStart[d];
        const int heightD = m_rowStart[d + 1] - m_rowStart[d];
        const int widthD = 3 * (m_first[d + 1] - m_first[d]);
        const Map blockD(m_values.data() + m_valueStart[d], heightD, widthD);
        const int p = m_cursor[d];
        int q = p;
        while (q < heightD && rowsD[q] < columnsEnd)
            ++q;
        const int tall = heightD - p, wide = q - p;
        if (m_update.size() < static_cast<size_t>(tall) * wide)
            m_update.resize(static_cast<size_t>(tall) * wide);
        Map update(m_update.data(), tall, wide);
        update.noalias() = blockD.middleRows(p, tall) * blockD.middleRows(p, wide).transpose();
        target.resize(tall);
        for (int i = 0; i < tall; ++i)
            target[i] = m_place[rowsD[p + i]];
        for (int j = 0; j < wide; ++j) {
            double* column = block.data() + static_cast<long>(target[j]) * height;
            const double* from = update.data() + static_cast<long>(j) * tall;
            for (int i = j; i < tall; ++i)
                column[target[i]] -= from[i];
        }
        m_cursor[d] = q;
        if (q < heightD) {
            const int next = m_supernodeOf[rowsD[q] / 3];
            m_link[d] = m_head[next];
            m_head[next] = d;
        }
        if (m_head[s] != -1 && outOfTime())
            return false;
    }

    Eigen::Ref<Matrix> diagonal = block.topRows(width);
    Eigen::LLT<Eigen::Ref<Matrix>> llt(diagonal);
    if (llt.info() != Eigen::Success || !(diagonal.diagonal().minCoeff() > 0)) {
        m_positive = false;
        return true;
    }
    if (height > width) {
        diagonal.triangularView<Eigen::Lower>().transpose().solveInPlace<Eigen::OnTheRight>(block.bottomRows(height - width));
        m_cursor[s] = width;
        const int next = m_supernodeOf[rows[width] / 3];
        m_link[s] = m_head[next];
        m_head[next] = s;
    }
    return true;
}

Eigen::VectorXd BlockCholesky::solve(const Eigen::VectorXd& b) const
{
    using Matrix = Eigen::MatrixXd;
    using ConstMap = Eigen::Map<const Matrix>;
    Eigen::VectorXd y(m_size);
    for (int i = 0; i < m_size; ++i)
        y[m_newIndex[i]] = b[i];
    Eigen::VectorXd scratch;
    for (int s = 0; s < supernodes(); ++s) {
        const int* rows = m_rows.data() + m_rowStart[s];
        const int height = m_rowStart[s + 1] - m_rowStart[s];
        const int width = 3 * (m_first[s + 1] - m_first[s]);
        const ConstMap block(m_values.data() + m_valueStart[s], height, width);
        auto own = y.segment(3 * m_first[s], width);
        block.topRows(width).triangularView<Eigen::Lower>().solveInPlace(own);
        if (height > width) {
            scratch.noalias() = block.bottomRows(height - width) * own;
            for (int i = width; i < height; ++i)
                y[rows[i]] -= scratch[i - width];
        }
    }
    for (int s = supernodes() - 1; s >= 0; --s) {
        const int* rows = m_rows.data() + m_rowStart[s];
        const int height = m_rowStart[s + 1] - m_rowStart[s];
        const int width = 3 * (m_first[s + 1] - m_first[s]);
        const ConstMap block(m_values.data() + m_valueStart[s], height, width);
        auto own = y.segment(3 * m_first[s], width);
        if (height > width) {
            scratch.resize(height - width);
            for (int i = width; i < height; ++i)
                scratch[i - width] = y[rows[i]];
            own.noalias() -= block.bottomRows(height - width).transpose() * scratch;
        }
        block.topRows(width).triangularView<Eigen::Lower>().transpose().solveInPlace(own);
    }
    Eigen::VectorXd x(m_size);
    for (int i = 0; i < m_size; ++i)
        x[i] = y[m_newIndex[i]];
    return x;
}
