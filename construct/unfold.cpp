#include "construct/unfold.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/adjacency.h"
#include "model/store.h"

namespace {
double distance3(const Point3& a, const Point3& b)
{
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// A triangle or a tab with its bounding box.
struct Shape {
    Point2 c[4];
    int n = 0;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

Shape shapeOf(const Point2* corners, int n)
{
    Shape s;
    s.n = n;
    s.x0 = s.x1 = corners[0].x;
    s.y0 = s.y1 = corners[0].y;
    for (int k = 0; k < n; ++k) {
        s.c[k] = corners[k];
        s.x0 = std::min(s.x0, corners[k].x);
        s.x1 = std::max(s.x1, corners[k].x);
        s.y0 = std::min(s.y0, corners[k].y);
        s.y1 = std::max(s.y1, corners[k].y);
    }
    return s;
}

// Two shapes are clear of each other when their boxes lie more than the gap
// apart or, failing that, when the polygons keep the gap.
bool shapesClear(const Shape& s, const Shape& o, double gap)
{
    if (o.x0 > s.x1 + gap || s.x0 > o.x1 + gap || o.y0 > s.y1 + gap || s.y0 > o.y1 + gap)
        return true;
    return polygonsClear(s.c, s.n, o.c, o.n, gap);
}

// The shapes of one piece in a square grid around its seed, so that a new
// shape is tested only against the shapes near it. Cleared in constant time.
class PieceGrid {
public:
    void prepare(double cell, double half)
    {
        cell_ = cell;
        n_ = static_cast<int>(std::ceil(2 * half / cell)) + 3;
        head_.assign(static_cast<size_t>(n_) * n_, -1);
        headStamp_.assign(head_.size(), 0);
    }

    void reset(Point2 centre)
    {
        ++stamp_;
        ox_ = centre.x - 0.5 * n_ * cell_;
        oy_ = centre.y - 0.5 * n_ * cell_;
        shapes_.clear();
        seen_.clear();
        next_.clear();
        entryShape_.clear();
    }

    void add(const Shape& s)
    {
        const int id = static_cast<int>(shapes_.size());
        shapes_.push_back(s);
        seen_.push_back(0);
        int i0, i1, j0, j1;
        range(s.x0, s.y0, s.x1, s.y1, &i0, &i1, &j0, &j1);
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const size_t cell = static_cast<size_t>(j) * n_ + i;
                if (headStamp_[cell] != stamp_) {
                    headStamp_[cell] = stamp_;
                    head_[cell] = -1;
                }
                next_.push_back(head_[cell]);
                entryShape_.push_back(id);
                head_[cell] = static_cast<int>(next_.size()) - 1;
            }
    }

    // True when `s` keeps `gap` from every shape of the grid (sharing corners
    // and sides bit for bit is allowed).
    bool clear(const Shape& s, double gap)
    {
        if (everyShape) {
            for (const Shape& o : shapes_)
                if (!shapesClear(s, o, gap))
                    return false;
            return true;
        }
        ++query_;
        int i0, i1, j0, j1;
        range(s.x0 - gap, s.y0 - gap, s.x1 + gap, s.y1 + gap, &i0, &i1, &j0, &j1);
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const size_t cell = static_cast<size_t>(j) * n_ + i;
                if (headStamp_[cell] != stamp_)
                    continue;
                for (int e = head_[cell]; e >= 0; e = next_[e]) {
                    const int id = entryShape_[e];
                    if (seen_[id] == query_)
                        continue;
                    seen_[id] = query_;
                    if (!shapesClear(s, shapes_[id], gap))
                        return false;
                }
            }
        return true;
    }

    bool everyShape = false;  // the literal test: against every shape, no box or grid

private:
    int index(double value, double origin) const
    {
        const double k = std::floor((value - origin) / cell_);
        if (!(k > 0))
            return 0;
        return k >= n_ - 1 ? n_ - 1 : static_cast<int>(k);
    }
    void range(double x0, double y0, double x1, double y1, int* i0, int* i1, int* j0, int* j1) const
    {
        *i0 = index(x0, ox_);
        *i1 = index(x1, ox_);
        *j0 = index(y0, oy_);
        *j1 = index(y1, oy_);
    }

    double cell_ = 1, ox_ = 0, oy_ = 0;
    int n_ = 0;
    unsigned stamp_ = 0, query_ = 0;
    std::vector<int> head_;
    std::vector<unsigned> headStamp_;
    std::vector<int> next_, entryShape_;
    std::vector<Shape> shapes_;
    std::vector<unsigned> seen_;
};

struct Box {
    double x0, y0, x1, y1;
    void add(const Point2& p)
    {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
};

bool fits(const Box& b, const UnfoldLimits& limits)
{
    const double w = b.x1 - b.x0 + 2 * limits.tabHeight, h = b.y1 - b.y0 + 2 * limits.tabHeight;
    return (w <= limits.width && h <= limits.height) || (w <= limits.height && h <= limits.width);
}

// The third corner of a triangle on the right of p -> q, |pr| = lp, |qr| = lq.
// False when the lengths give no triangle of area.
bool thirdCorner(const Point2& p, const Point2& q, double lp, double lq, Point2* r)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (!(d > 0))
        return false;
    const double along = (d * d + lp * lp - lq * lq) / (2 * d);
    const double h2 = lp * lp - along * along;
    const double longest = std::max(d, std::max(lp, lq));
    if (!(h2 > 1e-18 * longest * longest))
        return false;
    const double h = std::sqrt(h2), ux = dx / d, uy = dy / d;
    *r = Point2{p.x + along * ux + h * uy, p.y + along * uy - h * ux};
    return true;
}

// The glue tab on side p -> q of a counter-clockwise face: on its right, of
// height h, its ends slanting in from the side with the cotangents cp (at p)
// and cq (at q).
KitTab tabOn(int f, int k, const Point2& p, const Point2& q, double h, double cp, double cq)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double ux = dx / d, uy = dy / d;
    KitTab t;
    t.face = f;
    t.side = k;
    t.corners = {q, p, Point2{p.x + h * uy + h * cp * ux, p.y - h * ux + h * cp * uy},
                 Point2{q.x + h * uy - h * cq * ux, q.y - h * ux - h * cq * uy}};
    return t;
}

// The tab shapes tried on a side, best first: full height, then lower; at each
// height the ends at 45 degrees, then flatter ones (which fit a narrow gap
// between two faces at a corner).
struct TabShape {
    double height, cp, cq;  // height as a share of the full one; cotangents of the end slants
};
const TabShape kTabShapes[] = {
    {1, 1, 1},           {1, 1, 2.1445},      {1, 2.1445, 1},      {1, 2.1445, 2.1445},
    {0.6, 1, 1},         {0.6, 1, 2.1445},    {0.6, 2.1445, 1},    {0.6, 2.1445, 2.1445},
    {0.6, 1, 4.7046},    {0.6, 4.7046, 1},    {0.6, 4.7046, 4.7046}, {0.35, 2.1445, 4.7046},
    {0.35, 4.7046, 2.1445}, {0.35, 4.7046, 4.7046},
};
}  // namespace

bool unfoldSurface(const UnfoldLimits& limits, Unfolding* out, std::string* why)
{
    Unfolding& u = *out;
    u = Unfolding();
    if (!(limits.width > 0) || !(limits.height > 0) || !(limits.tabHeight > 0) || !(limits.gap >= 0) ||
        !std::isfinite(limits.width + limits.height + limits.tabHeight + limits.gap)) {
        *why = "the page and the tabs must have a positive size";
        return false;
    }
    const int n = NOS;
    u.piece.assign(n, -1);
    u.corners.assign(n, {});
    u.kind.assign(n, {SideKind::Boundary, SideKind::Boundary, SideKind::Boundary});
    u.across.assign(n, {-1, -1, -1});
    u.mountain.assign(n, {0, 0, 0});
    u.edgeIndex.assign(n, {-1, -1, -1});
    u.number.assign(n, {0, 0, 0});

    // Each face's side lengths in space, and its shape laid down by itself.
    std::vector<std::array<double, 3>> length(n);
    std::vector<char> usable(n, 0);
    double sideSum = 0;
    int sideCount = 0;
    for (int f = 0; f < n; ++f) {
        for (int k = 0; k < 3; ++k)
            length[f][k] = distance3(v[face[f][k]], v[face[f][(k + 1) % 3]]);
        Point2 r;
        // Corner 2 on the left of corner 0 -> corner 1: counter-clockwise.
        const Point2 a{0, 0}, b{length[f][0], 0};
        if (std::isfinite(length[f][0] + length[f][1] + length[f][2]) && thirdCorner(b, a, length[f][1], length[f][2], &r)) {
            usable[f] = 1;
            sideSum += length[f][0] + length[f][1] + length[f][2];
            sideCount += 3;
        } else {
            ++u.leftOut;
        }
    }

    // The sides of usable faces grouped by their pair of corners.
    std::vector<std::pair<unsigned long long, int>> sides;
    sides.reserve(3 * static_cast<size_t>(n));
    for (int f = 0; f < n; ++f)
        if (usable[f])
            for (int k = 0; k < 3; ++k)
                sides.emplace_back(vertexPairKey(face[f][k], face[f][(k + 1) % 3]), 3 * f + k);
    std::sort(sides.begin(), sides.end());
    std::vector<int> groupOf(3 * static_cast<size_t>(n), -1);
    std::vector<int> groupStart;  // sides[groupStart[g] .. groupStart[g + 1]) form group g
    for (size_t s = 0; s < sides.size(); ++s) {
        if (s == 0 || sides[s].first != sides[s - 1].first)
            groupStart.push_back(static_cast<int>(s));
        groupOf[sides[s].second] = static_cast<int>(groupStart.size()) - 1;
    }
    const int groups = static_cast<int>(groupStart.size());
    groupStart.push_back(static_cast<int>(sides.size()));
    auto groupSize = [&](int g) { return groupStart[g + 1] - groupStart[g]; };

    // The edge of each side: the lowest-indexed edge joining its corners.
    {
        std::vector<std::pair<unsigned long long, int>> edges(NOE);
        for (int e = 0; e < NOE; ++e)
            edges[e] = {vertexPairKey(edge[e][0], edge[e][1]), e};
        std::sort(edges.begin(), edges.end());
        for (const auto& [key, s] : sides) {
            const auto it = std::lower_bound(edges.begin(), edges.end(), std::make_pair(key, -1));
            if (it != edges.end() && it->first == key)
                u.edgeIndex[s / 3][s % 3] = it->second;
        }
    }

    // The face across each side that a fold may join: exactly two faces share
    // the side, running along it in opposite directions (the same printed side up).
    std::vector<int> foldable(3 * static_cast<size_t>(n), -1);
    for (int g = 0; g < groups; ++g) {
        if (groupSize(g) != 2)
            continue;
        const int s = sides[groupStart[g]].second, t = sides[groupStart[g] + 1].second;
        const int f = s / 3, k = s % 3, h = t / 3, j = t % 3;
        if (f != h && face[f][k] == face[h][(j + 1) % 3] && face[f][(k + 1) % 3] == face[h][j]) {
            foldable[s] = t;
            foldable[t] = s;
        }
    }

    const double cell = sideCount > 0 ? sideSum / sideCount : 1;
    const double half = std::max(limits.width, limits.height) + limits.gap;
    PieceGrid grid;
    grid.everyShape = limits.everyShape;
    grid.prepare(std::max(cell, 2 * half / 1000), half);

    // The pieces are cut in a few ways (growing nearest first or breadth
    // first, from the first face or the last); the kit with the fewest pieces
    // is kept.
    const Unfolding start = u;
    auto cut = [&](Unfolding& u, bool nearest, bool backwards) {
        // Grow the pieces.
        for (int i = 0; i < n; ++i) {
            const int seed = backwards ? n - 1 - i : i;
            if (!usable[seed] || u.piece[seed] >= 0)
                continue;
            const int p = static_cast<int>(u.pieces.size());
            u.pieces.push_back({seed});
            std::array<Point2, 3>& c = u.corners[seed];
            c[0] = Point2{0, 0};
            c[1] = Point2{length[seed][0], 0};
            thirdCorner(c[1], c[0], length[seed][1], length[seed][2], &c[2]);
            Box box{0, 0, 0, 0};
            for (const Point2& q : c)
                box.add(q);
            if (!fits(box, limits)) {
                *why = "a face with its glue tabs is larger than the page at this scale";
                return false;
            }
            u.piece[seed] = p;
            grid.reset(Point2{(c[0].x + c[1].x + c[2].x) / 3, (c[0].y + c[1].y + c[2].y) / 3});
            grid.add(shapeOf(c.data(), 3));
            // Nearest first: the faces across the piece's open sides are taken
            // in order of their distance from the seed, which keeps pieces round
            // and compact on the page.
            const Point2 centre{(c[0].x + c[1].x + c[2].x) / 3, (c[0].y + c[1].y + c[2].y) / 3};
            std::vector<std::pair<double, int>> open;  // (-distance, side of a piece face), a heap
            long offered = 0;
            auto offer = [&](int f) {
                for (int k = 0; k < 3; ++k) {
                    const int t = foldable[3 * f + k];
                    if (t < 0 || u.piece[t / 3] >= 0)
                        continue;
                    const Point2 P = u.corners[f][k], Q = u.corners[f][(k + 1) % 3];
                    const double x = 0.5 * (P.x + Q.x) - centre.x, y = 0.5 * (P.y + Q.y) - centre.y;
                    open.emplace_back(nearest ? -(x * x + y * y) : -static_cast<double>(++offered), 3 * f + k);
                    std::push_heap(open.begin(), open.end());
                }
            };
            offer(seed);
            while (!open.empty()) {
                std::pop_heap(open.begin(), open.end());
                const int side = open.back().second;
                open.pop_back();
                const int f = side / 3, k = side % 3;
                const int t = foldable[side];
                if (u.piece[t / 3] >= 0)
                    continue;
                const int h = t / 3, j = t % 3;
                // Side k of f runs p -> q; side j of h runs q -> p, and h's third
                // corner lies on the right of p -> q.
                const Point2 P = u.corners[f][k], Q = u.corners[f][(k + 1) % 3];
                Point2 R;
                if (!thirdCorner(P, Q, length[h][(j + 1) % 3], length[h][(j + 2) % 3], &R))
                    continue;
                Box grown = box;
                grown.add(R);
                if (!fits(grown, limits))
                    continue;
                std::array<Point2, 3> laid;
                laid[j] = Q;
                laid[(j + 1) % 3] = P;
                laid[(j + 2) % 3] = R;
                const Shape shape = shapeOf(laid.data(), 3);
                if (!grid.clear(shape, limits.gap))
                    continue;
                grid.add(shape);
                box = grown;
                u.corners[h] = laid;
                u.piece[h] = p;
                u.pieces[p].push_back(h);
                u.kind[f][k] = u.kind[h][j] = SideKind::Fold;
                u.across[f][k] = h;
                u.across[h][j] = f;
                offer(h);
            }
        }

        // Pieces joined whole: a piece turned and moved so that one of its cut
        // sides lies on the matching side of another piece joins it there when it
        // stays clear of it and the two still fit the page, smallest pieces first,
        // until no more join.
        for (bool joined = true; joined;) {
            joined = false;
            std::vector<int> bySize(u.pieces.size());
            for (size_t p = 0; p < bySize.size(); ++p)
                bySize[p] = static_cast<int>(p);
            std::stable_sort(bySize.begin(), bySize.end(),
                             [&](int a, int b) { return u.pieces[a].size() < u.pieces[b].size(); });
            std::vector<std::array<Point2, 3>> moved;
            for (int S : bySize) {
                bool done = false;
                for (size_t i = 0; i < u.pieces[S].size() && !done; ++i) {
                    const int f = u.pieces[S][i];
                    for (int k = 0; k < 3 && !done; ++k) {
                        const int t = foldable[3 * f + k];
                        if (t < 0 || u.kind[f][k] == SideKind::Fold)
                            continue;
                        const int h = t / 3, j = t % 3, T = u.piece[h];
                        if (T == S || u.pieces[T].empty())
                            continue;
                        // Side k of f, A -> B, onto side j of h, which runs B' -> A'.
                        const Point2 A = u.corners[f][k], B = u.corners[f][(k + 1) % 3];
                        const Point2 Bt = u.corners[h][j], At = u.corners[h][(j + 1) % 3];
                        const double turn = std::atan2(Bt.y - At.y, Bt.x - At.x) - std::atan2(B.y - A.y, B.x - A.x);
                        const double c = std::cos(turn), sn = std::sin(turn);
                        auto place = [&](const Point2& q) {
                            if (q == A)
                                return At;
                            if (q == B)
                                return Bt;
                            const double x = q.x - A.x, y = q.y - A.y;
                            return Point2{At.x + c * x - sn * y, At.y + sn * x + c * y};
                        };
                        Box box{At.x, At.y, At.x, At.y};
                        for (int g : u.pieces[T])
                            for (const Point2& q : u.corners[g])
                                box.add(q);
                        moved.resize(u.pieces[S].size());
                        for (size_t m = 0; m < moved.size(); ++m)
                            for (int q = 0; q < 3; ++q) {
                                moved[m][q] = place(u.corners[u.pieces[S][m]][q]);
                                box.add(moved[m][q]);
                            }
                        if (!fits(box, limits))
                            continue;
                        const std::array<Point2, 3>& s0 = u.corners[u.pieces[T][0]];
                        grid.reset(Point2{(s0[0].x + s0[1].x + s0[2].x) / 3, (s0[0].y + s0[1].y + s0[2].y) / 3});
                        for (int g : u.pieces[T])
                            grid.add(shapeOf(u.corners[g].data(), 3));
                        bool clear = true;
                        for (size_t m = 0; m < moved.size() && clear; ++m)
                            clear = grid.clear(shapeOf(moved[m].data(), 3), limits.gap);
                        if (!clear)
                            continue;
                        for (size_t m = 0; m < moved.size(); ++m) {
                            const int g = u.pieces[S][m];
                            u.corners[g] = moved[m];
                            u.piece[g] = T;
                            u.pieces[T].push_back(g);
                        }
                        u.pieces[S].clear();
                        u.kind[f][k] = u.kind[h][j] = SideKind::Fold;
                        u.across[f][k] = h;
                        u.across[h][j] = f;
                        done = joined = true;
                    }
                }
            }
            // Only the pieces that are left, in their order.
            size_t kept = 0;
            for (size_t p = 0; p < u.pieces.size(); ++p)
                if (!u.pieces[p].empty()) {
                    for (int g : u.pieces[p])
                        u.piece[g] = static_cast<int>(kept);
                    if (kept != p)
                        u.pieces[kept] = std::move(u.pieces[p]);
                    ++kept;
                }
            u.pieces.resize(kept);
        }

        // Glue tabs: every cut edge shared by m sides gets m - 1 tabs, each on the
        // first of its sides (in piece order) where one fits, full or shrunk. A
        // side that must take a tab and cannot has its face cut loose, and the tabs
        // are laid again: a face alone always has room for tabs on every side.
        for (int f = 0; f < n; ++f)
            for (int k = 0; k < 3; ++k)
                if (groupOf[3 * f + k] >= 0 && u.kind[f][k] != SideKind::Fold && groupSize(groupOf[3 * f + k]) > 1)
                    u.kind[f][k] = SideKind::Cut;
        for (;;) {
            u.tabs.clear();
            std::vector<int> tabsOf(groups, 0), tried(groups, 0);
            std::vector<int> loose;
            for (const std::vector<int>& piece : u.pieces) {
                const std::array<Point2, 3>& s = u.corners[piece[0]];
                grid.reset(Point2{(s[0].x + s[1].x + s[2].x) / 3, (s[0].y + s[1].y + s[2].y) / 3});
                for (int f : piece)
                    grid.add(shapeOf(u.corners[f].data(), 3));
                for (int f : piece)
                    for (int k = 0; k < 3; ++k) {
                        if (u.kind[f][k] != SideKind::Cut)
                            continue;
                        const int g = groupOf[3 * f + k];
                        const int need = groupSize(g) - 1 - tabsOf[g];
                        const int untried = groupSize(g) - tried[g]++;
                        if (need <= 0)
                            continue;
                        const Point2 P = u.corners[f][k], Q = u.corners[f][(k + 1) % 3];
                        const double side = std::hypot(Q.x - P.x, Q.y - P.y);
                        const double full = std::min(limits.tabHeight, 0.35 * side);
                        bool laid = false;
                        for (const TabShape& shape : kTabShapes) {
                            // The tab's outer side keeps at least 0.15 of the side's length.
                            const double height = std::min(full * shape.height, 0.85 * side / (shape.cp + shape.cq));
                            const KitTab tab = tabOn(f, k, P, Q, height, shape.cp, shape.cq);
                            const Shape outline = shapeOf(tab.corners.data(), 4);
                            if (full > 0 && grid.clear(outline, limits.gap)) {
                                grid.add(outline);
                                u.tabs.push_back(tab);
                                ++tabsOf[g];
                                laid = true;
                                break;
                            }
                        }
                        if (!laid && untried <= need)
                            loose.push_back(f);
                    }
            }
            bool freed = false;
            for (int f : loose)
                for (int k = 0; k < 3; ++k)
                    freed = freed || u.kind[f][k] == SideKind::Fold;
            // A face already alone that finds no room for a tab cannot be
            // helped by cutting (it does not happen with tabs of some height).
            if (!freed)
                break;
            for (int f : loose)
                for (int k = 0; k < 3; ++k)
                    if (u.kind[f][k] == SideKind::Fold) {
                        const int h = u.across[f][k];
                        for (int j = 0; j < 3; ++j)
                            if (u.across[h][j] == f) {
                                u.kind[h][j] = SideKind::Cut;
                                u.across[h][j] = -1;
                            }
                        u.kind[f][k] = SideKind::Cut;
                        u.across[f][k] = -1;
                    }
            // The pieces again, as the folds now join them.
            std::fill(u.piece.begin(), u.piece.end(), -1);
            u.pieces.clear();
            for (int seed = 0; seed < n; ++seed) {
                if (!usable[seed] || u.piece[seed] >= 0)
                    continue;
                const int p = static_cast<int>(u.pieces.size());
                u.pieces.push_back({seed});
                u.piece[seed] = p;
                for (size_t next = 0; next < u.pieces[p].size(); ++next) {
                    const int f = u.pieces[p][next];
                    for (int k = 0; k < 3; ++k) {
                        const int h = u.across[f][k];
                        if (h >= 0 && u.piece[h] < 0) {
                            u.piece[h] = p;
                            u.pieces[p].push_back(h);
                        }
                    }
                }
            }
        }
        return true;
    };
    bool first = true;
    for (const bool nearest : {true, false})
        for (const bool backwards : {false, true}) {
            Unfolding trial = start;
            if (!cut(trial, nearest, backwards))
                return false;
            if (first || trial.pieces.size() < u.pieces.size())
                u = std::move(trial);
            first = false;
        }

    // Numbers for the cut edges, in the order the kit shows them; the fold
    // directions from the faces in space.
    std::vector<int> numberOf(groups, 0);
    for (const std::vector<int>& piece : u.pieces)
        for (int f : piece)
            for (int k = 0; k < 3; ++k) {
                if (u.kind[f][k] == SideKind::Cut) {
                    int& number = numberOf[groupOf[3 * f + k]];
                    if (number == 0)
                        number = ++u.cutEdges;
                    u.number[f][k] = number;
                } else if (u.kind[f][k] == SideKind::Fold) {
                    const Point3 &a = v[face[f][0]], &b = v[face[f][1]], &c = v[face[f][2]];
                    const Point3 ab{b.x - a.x, b.y - a.y, b.z - a.z}, ac{c.x - a.x, c.y - a.y, c.z - a.z};
                    const Point3 normal{ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
                    const int h = u.across[f][k];
                    int third = face[h][0];
                    for (int j = 0; j < 3; ++j)
                        if (face[h][j] != face[f][k] && face[h][j] != face[f][(k + 1) % 3])
                            third = face[h][j];
                    const Point3& r = v[third];
                    const Point3& p = v[face[f][k]];
                    const double away = normal.x * (r.x - p.x) + normal.y * (r.y - p.y) + normal.z * (r.z - p.z);
                    const double scale = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z) *
                                         distance3(r, p);
                    // The face across bends away from the printed side: the
                    // fold stands up towards the reader.
                    u.mountain[f][k] = away < -1e-9 * scale ? 1 : away > 1e-9 * scale ? -1 : 0;
                }
            }
    return true;
}
