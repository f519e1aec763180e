#include "construct/grow_ring.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include <Eigen/Dense>

#include "geometry/precise_relaxation.h"
#include "geometry/face_clearance.h"
#include "geometry/self_intersection.h"
#include "model/adjacency.h"
#include "model/boundary_loops.h"
#include "model/history.h"
#include "model/store.h"

namespace {

enum class Kind { OneCell, TwoCells, Other };

Eigen::Vector3d vec(const Point3& p) { return {p.x, p.y, p.z}; }
Point3 point(const Eigen::Vector3d& p) { return {p.x(), p.y(), p.z()}; }

// Leans tried for each new cell about the sides it takes, to either side of
// the surface it continues, in radians.
const double LEANS[] = {0.0, 0.3, 0.6, 0.9, 1.2, 1.5, 1.8};
// Gap a new cell keeps from faces it shares no corner with.
constexpr double MARGIN = 0.05;
// Sizes tried for a new cell whose every lean passes through the surface.
const double SIZES[] = {1.0, 0.6, 0.35, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005};
// Placements of the cell before tried with a cell that crosses wherever it stands.
constexpr int JOINT_TRIES = 24;
// Distance to the surface beyond which a lean's room counts as enough.
constexpr double APART = 1.5;

// The vertices in a grid of cubes APART wide, to find how near a point comes
// to them.
struct NearVertices {
    std::unordered_map<long long, std::vector<int>> cells;
    static long long key(long long x, long long y, long long z)
    {
        return (x * 73856093LL) ^ (y * 19349663LL) ^ (z * 83492791LL);
    }
    static long long index(double c) { return static_cast<long long>(std::floor(c / APART)); }
    void insert(int i)
    {
        if (std::isfinite(v[i].x) && std::isfinite(v[i].y) && std::isfinite(v[i].z) &&
            std::fabs(v[i].x) + std::fabs(v[i].y) + std::fabs(v[i].z) < 1e12)
            cells[key(index(v[i].x), index(v[i].y), index(v[i].z))].push_back(i);
    }
    // The distance from p to the nearest vertex other than those in `skip`,
    // at most APART.
    double distance(const Eigen::Vector3d& p, const std::vector<int>& skip) const
    {
        double best = APART;
        if (!p.allFinite() || p.cwiseAbs().sum() >= 1e12)
            return 0;
        const long long x = index(p.x()), y = index(p.y()), z = index(p.z());
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy)
                for (long long dz = -1; dz <= 1; ++dz) {
                    auto it = cells.find(key(x + dx, y + dy, z + dz));
                    if (it == cells.end())
                        continue;
                    for (int i : it->second) {
                        bool skipped = false;
                        for (int s : skip)
                            skipped = skipped || s == i;
                        if (!skipped)
                            best = std::min(best, (vec(v[i]) - p).norm());
                    }
                }
        return best;
    }
};

// Whether the faces at `vtx` form one open fan that starts with the boundary
// side leaving `vtx` and ends with the one arriving there, covering all of
// them. Reads: face.
bool oneOpenFan(int vtx, const FacesOfVertex& fv, int firstFace)
{
    const int n = fv.count(vtx);
    const int* faces = fv.of(vtx);
    int f = firstFace;
    for (int walked = 1;; ++walked) {
        int k = 0;
        while (face[f][k] != vtx)
            ++k;
        const int before = face[f][(k + 2) % 3];  // the side before -> vtx
        int next = -1;
        for (int q = 0; q < n && next < 0; ++q) {
            const int g = faces[q];
            for (int c = 0; c < 3; ++c)
                if (g != f && face[g][c] == vtx && face[g][(c + 1) % 3] == before)
                    next = g;
        }
        if (next < 0)
            return walked == n;
        if (walked >= n)
            return false;  // a closed fan, or one that runs round more than once
        f = next;
    }
}

bool isRim(int e)
{
    return e >= 0 && std::fabs(phi[e] - RIM_LENGTH) < 1e-6;
}

// A regular heptagon of rim vertices with its centre, the shape a new cell
// starts from before relaxing.
Eigen::Vector3d templateRim(int q)
{
    const double R = RIM_LENGTH / (2 * std::sin(M_PI / 7));
    const double t = 2 * M_PI * q / 7;
    return {R * std::cos(t), R * std::sin(t), 0};
}

// The rigid motion that takes the template points `from` nearest to `to`
// (least squares), applied to `p`.
struct Motion {
    Eigen::Matrix3d R = Eigen::Matrix3d::Identity();
    Eigen::Vector3d t = Eigen::Vector3d::Zero();
    Eigen::Vector3d operator()(const Eigen::Vector3d& p) const { return R * p + t; }
};

Motion fitMotion(const std::vector<Eigen::Vector3d>& from, const std::vector<Eigen::Vector3d>& to)
{
    Eigen::Vector3d cf = Eigen::Vector3d::Zero(), ct = Eigen::Vector3d::Zero();
    for (std::size_t i = 0; i < from.size(); ++i) {
        cf += from[i];
        ct += to[i];
    }
    cf /= double(from.size());
    ct /= double(to.size());
    Eigen::Matrix3d H = Eigen::Matrix3d::Zero();
    for (std::size_t i = 0; i < from.size(); ++i)
        H += (from[i] - cf) * (to[i] - ct).transpose();
    Eigen::JacobiSVD<Eigen::Matrix3d> svd(H, Eigen::ComputeFullU | Eigen::ComputeFullV);
    Eigen::Matrix3d D = Eigen::Matrix3d::Identity();
    if ((svd.matrixV() * svd.matrixU().transpose()).determinant() < 0)
        D(2, 2) = -1;
    Motion m;
    m.R = svd.matrixV() * D * svd.matrixU().transpose();
    m.t = ct - m.R * cf;
    return m;
}


// p turned by `angle` about the line through a in direction `axis` (a unit vector).
Eigen::Vector3d turnAbout(const Eigen::Vector3d& p, const Eigen::Vector3d& a, const Eigen::Vector3d& axis, double angle)
{
    return a + Eigen::AngleAxisd(angle, axis) * (p - a);
}

// The faces in a grid of cubes APART wide by their centroids, to find those
// that a new cell may cross.
struct NearFaces {
    std::unordered_map<long long, std::vector<int>> cells;
    static bool usable(const Eigen::Vector3d& p) { return p.allFinite() && p.cwiseAbs().sum() < 1e12; }
    static Eigen::Vector3d centroid(int f)
    {
        return (vec(v[face[f][0]]) + vec(v[face[f][1]]) + vec(v[face[f][2]])) / 3.0;
    }
    void insert(int f)
    {
        const Eigen::Vector3d c = centroid(f);
        if (usable(c))
            cells[NearVertices::key(NearVertices::index(c.x()), NearVertices::index(c.y()), NearVertices::index(c.z()))]
                .push_back(f);
    }
    // The faces whose centroids lie in the cube of p and the `reach` cubes
    // around it in every direction.
    std::vector<int> around(const Eigen::Vector3d& p, int reach) const
    {
        std::vector<int> found;
        if (!usable(p))
            return found;
        const long long x = NearVertices::index(p.x()), y = NearVertices::index(p.y()), z = NearVertices::index(p.z());
        for (long long dx = -reach; dx <= reach; ++dx)
            for (long long dy = -reach; dy <= reach; ++dy)
                for (long long dz = -reach; dz <= reach; ++dz) {
                    auto it = cells.find(NearVertices::key(x + dx, y + dy, z + dz));
                    if (it != cells.end())
                        found.insert(found.end(), it->second.begin(), it->second.end());
                }
        return found;
    }
};

// The box of a face, grown by MARGIN on every side.
struct Box {
    Eigen::Vector3d lo, hi;
    static Box of(int f)
    {
        Box b{vec(v[face[f][0]]), vec(v[face[f][0]])};
        for (int k = 1; k < 3; ++k) {
            b.lo = b.lo.cwiseMin(vec(v[face[f][k]]));
            b.hi = b.hi.cwiseMax(vec(v[face[f][k]]));
        }
        b.lo.array() -= MARGIN;
        b.hi.array() += MARGIN;
        return b;
    }
    bool meets(const Box& o) const { return (lo.array() <= o.hi.array()).all() && (o.lo.array() <= hi.array()).all(); }
};

// Whether faces f and g, which share no corner, come nearer than MARGIN.
bool tooNear(int f, int g)
{
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            if (face[f][a] == face[g][b])
                return false;
    const double* p[6];
    for (int a = 0; a < 3; ++a) {
        p[a] = &v[face[f][a]].x;
        p[3 + a] = &v[face[g][a]].x;
    }
    return triangleDistance(p[0], p[1], p[2], p[3], p[4], p[5]) < MARGIN;
}

// Whether faces f and g of one cell, which share only its centre, are folded
// onto each other: the rim side of one comes within half the margin of the other.
bool foldedOnto(int f, int g)
{
    for (int pass = 0; pass < 2; ++pass) {
        const int a = pass == 0 ? f : g, b = pass == 0 ? g : f;
        const double* r0 = &v[face[a][0]].x;
        const double* r1 = &v[face[a][1]].x;
        const double* t[3] = {&v[face[b][0]].x, &v[face[b][1]].x, &v[face[b][2]].x};
        double nearest = std::min(pointTriangleDistance(r0, t[0], t[1], t[2]), pointTriangleDistance(r1, t[0], t[1], t[2]));
        for (int k = 0; k < 3; ++k)
            nearest = std::min(nearest, segmentDistance(r0, r1, t[k], t[(k + 1) % 3]));
        if (nearest < MARGIN / 2)
            return true;
    }
    return false;
}

// One new cell's placement: where its new vertices may stand, what they are
// tested against, and the placement chosen.
struct Placing {
    int k = 0;           // boundary sides taken
    int rim[7] = {};     // the rim in the cell's own order: the sides taken, then out
    int centre = 0;
    int firstFace = 0;   // the cell's seven faces start here
    std::vector<int> slot;  // rim positions (7 = the centre) this cell places
    std::vector<int> own;   // vertices the cell already has, not counted as room
    Eigen::Vector3d mid = Eigen::Vector3d::Zero(), a = Eigen::Vector3d::Zero(), axis = Eigen::Vector3d::Zero();
    Motion place;
    double preferred = 1;        // the lean's side tried first
    bool mayFreeStart = false;   // the outward vertex the previous cell placed may move
    std::vector<int> nearby;     // faces a candidate is tested against
    std::vector<Box> nearbyBox;
    // the choice
    double lean = 0, size = 1, score = -1;
    int rank = -1;
    bool freed = false;

    int vertexAt(int q2) const { return q2 == 7 ? centre : rim[q2]; }

    // Where rim position q2 (7: the centre) stands at a lean and size: as the
    // surface would continue, turned about the sides taken, drawn in towards
    // them (a shared outward vertex towards its boundary vertex).
    Eigen::Vector3d position(int q2, double atLean, double atSize) const
    {
        const Eigen::Vector3d full =
            turnAbout(place(q2 == 7 ? Eigen::Vector3d::Zero() : templateRim(q2)), a, axis, atLean);
        const Eigen::Vector3d to = q2 == k + 1 ? vec(v[rim[k]]) : q2 == 6 ? vec(v[rim[0]]) : mid;
        return to + atSize * (full - to);
    }

    // The crossings of the cell where it stands (its faces from `testedFrom`
    // on, up to its own last face, against the faces nearby, and its own
    // faces against each other), counted up to `enough` (a placement that
    // crosses that often is of no more interest); *tooClose when, crossing
    // nothing, it comes nearer than the margin to a face nearby.
    // With `clearOnly` only a placement that keeps the margin is of interest,
    // and the count stops at the first face that crosses or comes near.
    int crossingsHere(int testedFrom, int enough, bool* tooClose, bool clearOnly = false) const
    {
        const int end = firstFace + 7;
        int crossed = 0;
        *tooClose = false;
        for (int f = testedFrom; f < end && crossed < enough && !(clearOnly && *tooClose); ++f) {
            const Box box = Box::of(f);
            for (std::size_t n = 0; n < nearby.size() && !(clearOnly && (crossed || *tooClose)); ++n) {
                const int g = nearby[n];
                if (g == f || !box.meets(nearbyBox[n]))
                    continue;
                if (facesCross(f, g))
                    ++crossed;
                else if (!*tooClose && !crossed && tooNear(f, g))
                    *tooClose = true;
            }
        }
        if (clearOnly && *tooClose)
            return crossed;
        for (int f = firstFace; f < end && crossed < enough; ++f)
            for (int g = f + 1; g < end; ++g)
                crossed += facesCross(f, g) ? 1 : 0;
        return crossed;
    }

    // Whether two of the cell's own faces that share only its centre nearly
    // fold onto each other.
    bool folded() const
    {
        for (int f = firstFace; f < firstFace + 7; ++f)
            for (int g = f + 2; g < firstFace + 7 && g - f < 6; ++g)
                if (foldedOnto(f, g))
                    return true;
        return false;
    }

    // The rank of the cell where it stands, its faces from `testedFrom` on
    // (see choose).
    int rankHere(int testedFrom) const
    {
        bool tooClose = false;
        return crossingsHere(testedFrom, 1, &tooClose) ? 0 : folded() ? 1 : tooClose ? 2 : 3;
    }

    // Tries every lean and size (and, where none keeps the margin, the
    // previous cell's outward vertex moved too) and stands the cell at the best.
    // Candidates rank by whether they keep the margin (3), cross nothing but
    // come nearer (2), fold so that two of the cell's own faces nearly meet (1),
    // or cross (0); the relaxation that follows pushes the second kind apart,
    // but a fold is likely to pass through itself at its first step, and a
    // crossing it cannot undo. Among the leans that keep the margin at the
    // largest size, the one that keeps farthest from the surface wins
    // (alternating leans win ties, so that a ring in open space ruffles
    // evenly); where every candidate crosses, the one that crosses least.
    void choose(const NearVertices& near)
    {
        lean = 0, size = 1, score = -1, rank = -1, freed = false;
        const Eigen::Vector3d startWas = vec(v[rim[k + 1]]);
        for (int free = 0; free <= (mayFreeStart ? 1 : 0) && rank < 3; ++free) {
            std::vector<int> moving = slot;
            if (free)
                moving.insert(moving.begin(), k + 1);
            const int testedFrom = free ? firstFace - 7 : firstFace;
            for (double atSize : SIZES) {
                for (double atLean : LEANS) {
                    for (double sign : {preferred, -preferred}) {
                        double room = APART;
                        for (int q2 : moving) {
                            const Eigen::Vector3d p = position(q2, sign * atLean, atSize);
                            v[vertexAt(q2)] = point(p);
                            room = std::min(room, near.distance(p, own));
                        }
                        // Past a placement that crosses nothing, one that does cannot win;
                        // past one that keeps the margin, or one only near with a better
                        // score than this one's, only one keeping the margin can.
                        const double clearScore = room + (sign == preferred ? 1e-3 : 0) + 1e-4 * atLean;
                        if (rank == 3 && clearScore <= score) {
                            if (atLean == 0)
                                break;
                            continue;
                        }
                        const bool clearOnly = rank == 3 || (rank == 2 && clearScore <= score);
                        bool tooClose = false;
                        const int crossings = crossingsHere(
                            testedFrom, rank >= 1 ? 1 : rank == 0 ? int(-score) : 1 << 30, &tooClose, clearOnly);
                        const double s = crossings ? -crossings : clearScore;
                        int r = crossings ? 0 : tooClose ? 2 : 3;
                        // only a placement that would win unfolded is looked at for a fold
                        if (r > 0 && (r > rank || (r == rank && s > score)) && folded())
                            r = 1;
                        if (r > rank || (r == rank && s > score)) {
                            score = s;
                            lean = sign * atLean;
                            size = atSize;
                            rank = r;
                            freed = free;
                        }
                        if (atLean == 0)
                            break;
                    }
                }
                if (rank == 3)
                    break;
            }
            if (rank < 3)
                v[rim[k + 1]] = point(startWas);
        }
        stand();
    }

    // The cell at its chosen lean and size.
    void stand() const
    {
        if (freed)
            v[rim[k + 1]] = point(position(k + 1, lean, size));
        for (int q2 : slot)
            v[vertexAt(q2)] = point(position(q2, lean, size));
    }
};

// One new cell: the boundary sides [first, first + sides) of a loop.
struct NewCell {
    int first, sides;
};

}  // namespace

namespace {

// The ring; `snapshot` records an undo snapshot once the ring is planned and
// before anything changes, so a refused ring records none.
GrowReport growRingWith(bool snapshot)
{
    GrowReport report;
    if (subdiv_level != 1) {
        report.refusal = "the surface is subdivided (level " + std::to_string(subdiv_level) +
                         "); rings grow on a surface of cells";
        return report;
    }
    FacesOfVertex fv;
    fv.build();
    std::unordered_map<unsigned long long, int> edgeOf;
    edgeOf.reserve(2 * NOE);
    for (int e = NOE - 1; e >= 0; --e)
        edgeOf[vertexPairKey(edge[e][0], edge[e][1])] = e;
    auto edgeBetween = [&](int a, int b) {
        auto it = edgeOf.find(vertexPairKey(a, b));
        return it == edgeOf.end() ? -1 : it->second;
    };

    const std::vector<std::vector<BoundarySide>> loops = boundaryLoops();
    std::unordered_map<int, int> leavingCount;
    for (const auto& loop : loops)
        for (const BoundarySide& s : loop)
            ++leavingCount[s.from];

    // Plan every loop's cells before anything changes.
    struct LoopPlan {
        std::vector<Kind> kind;
        std::vector<NewCell> cells;
    };
    std::vector<LoopPlan> plans(loops.size());
    int boundaryVertices = 0, closed = 0, newVertices = 0, newEdges = 0;
    for (std::size_t L = 0; L < loops.size(); ++L) {
        const auto& loop = loops[L];
        const int m = int(loop.size());
        LoopPlan& plan = plans[L];
        plan.kind.resize(m);
        boundaryVertices += m;
        for (int l = 0; l < m; ++l) {
            const int b = loop[l].from;
            const int n = fv.count(b);
            const bool rimSides = isRim(edgeBetween(b, loop[l].to)) && isRim(edgeBetween(loop[(l + m - 1) % m].from, b));
            const bool fan = leavingCount[b] == 1 && (n == 2 || n == 4) && rimSides && oneOpenFan(b, fv, loop[l].face);
            plan.kind[l] = !fan ? Kind::Other : n == 2 ? Kind::OneCell : Kind::TwoCells;
        }
        std::vector<int> ends;
        for (int l = 0; l < m; ++l)
            if (plan.kind[l] != Kind::TwoCells)
                ends.push_back(l);
        if (ends.size() < 2)
            continue;
        for (std::size_t a = 0; a < ends.size(); ++a) {
            const int i = ends[a], j = ends[(a + 1) % ends.size()];
            const int k = (j - i + m) % m;
            if (plan.kind[i] == Kind::OneCell && plan.kind[j] == Kind::OneCell && k >= 1 && k <= 4)
                plan.cells.push_back({i, k});
        }
        if (plan.cells.empty())
            continue;
        // A one-cell vertex between two new cells gets one new vertex and one
        // new rim edge that both cells share; two-cell vertices inside a new
        // cell are closed by it.
        const int c = int(plan.cells.size());
        for (int q = 0; q < c; ++q) {
            const NewCell& cell = plan.cells[q];
            const NewCell& next = plan.cells[(q + 1) % c];
            const bool sharedEnd = (cell.first + cell.sides) % m == next.first && (c > 1 || cell.sides < m);
            closed += cell.sides - 1 + (sharedEnd ? 1 : 0);
            // private rim vertices (4 - sides), the centre, the vertex at the
            // start unless the previous cell made it, the one at the end unless shared
            newVertices += (4 - cell.sides) + 1 + 1 + (sharedEnd ? 0 : 1);
            newEdges += 14 - cell.sides - (sharedEnd ? 1 : 0);
        }
    }
    report.skipped = boundaryVertices - closed;
    int newCells = 0;
    for (const LoopPlan& p : plans)
        newCells += int(p.cells.size());
    if (newCells == 0) {
        report.refusal = loops.empty() ? "the surface has no boundary"
                                       : "no boundary vertex lies in one or two cells with room for new cells";
        return report;
    }
    if (NOV + newVertices > MAX_VERTICES - 1 || NOE + newEdges > MAX_EDGES - 1 || NOS + 7 * newCells > MAX_FACES - 1) {
        report.refusal = "the ring needs " + std::to_string(newCells) + " more cells (" + std::to_string(newVertices) +
                         " vertices, " + std::to_string(newEdges) + " edges, " + std::to_string(7 * newCells) +
                         " faces) than the store has room for";
        return report;
    }

    if (snapshot)
        saveState();
    auto addEdge = [&](int a, int b, double target) {
        edge[NOE][0] = a;
        edge[NOE][1] = b;
        phi[NOE] = target;
        ++NOE;
    };
    auto newVertex = [&](const Eigen::Vector3d& p) {
        v[NOV] = point(p);
        conn_comp[NOV] = 0;
        return NOV++;
    };

    NearVertices near;
    for (int i = 0; i < NOV; ++i)
        near.insert(i);
    NearFaces faceGrid;
    for (int f = 0; f < NOS; ++f)
        faceGrid.insert(f);
    for (std::size_t L = 0; L < loops.size(); ++L) {
        const auto& loop = loops[L];
        const int m = int(loop.size());
        const LoopPlan& plan = plans[L];
        const int c = int(plan.cells.size());
        if (c == 0)
            continue;
        std::unordered_map<int, int> outward;  // loop position of a one-cell vertex -> its new shared vertex
        std::vector<Placing> placing(c);
        for (int q = 0; q < c; ++q) {
            const NewCell& cell = plan.cells[q];
            const int k = cell.sides;
            const int i = cell.first, j = (cell.first + k) % m;
            const NewCell& prev = plan.cells[(q + c - 1) % c];
            const NewCell& next = plan.cells[(q + 1) % c];
            const bool sharedStart = (prev.first + prev.sides) % m == i && (c > 1 || k < m);
            const bool sharedEnd = (i + k) % m == next.first && (c > 1 || k < m);

            // The rim in the new cell's own order: b_j, b_j-1, ..., b_i, then out.
            int rim[7];
            for (int q2 = 0; q2 <= k; ++q2)
                rim[q2] = loop[(j - q2 + m) % m].from;
            std::vector<Eigen::Vector3d> from, to;
            for (int q2 = 0; q2 <= k; ++q2) {
                from.push_back(templateRim(q2));
                to.push_back(vec(v[rim[q2]]));
            }
            // The faces the new cell continues: their third corners lie across
            // the shared sides, where a neighbouring heptagon would have its centre.
            for (int s = 0; s < k; ++s) {
                const BoundarySide& side = loop[(i + s) % m];
                const int q2 = k - 1 - s;  // the side runs rim[q2 + 1] -> rim[q2] in the loop
                from.push_back(templateRim(q2) + templateRim(q2 + 1));
                to.push_back(vec(v[side.opposite]));
            }
            const int startPos = i, endPos = j;
            const bool haveStart = sharedStart && outward.count(startPos);
            const bool haveEnd = sharedEnd && outward.count(endPos);
            if (haveStart) {
                from.push_back(templateRim(k + 1));
                to.push_back(vec(v[outward[startPos]]));
            }
            if (haveEnd) {
                from.push_back(templateRim(6));
                to.push_back(vec(v[outward[endPos]]));
            }
            const Motion place = fitMotion(from, to);
            const Eigen::Vector3d a = vec(v[rim[k]]), b = vec(v[rim[0]]);
            Eigen::Vector3d axis = b - a;
            if (axis.norm() > 0)
                axis.normalize();

            Placing& placed = placing[q];
            placed.k = k;
            placed.place = place;
            placed.a = a;
            placed.axis = axis;
            for (int q2 = k + 1; q2 <= 6; ++q2)
                if (!((q2 == k + 1 && haveStart) || (q2 == 6 && haveEnd)))
                    placed.slot.push_back(q2);
            placed.slot.push_back(7);
            placed.own.assign(rim, rim + k + 1);
            if (haveStart)
                placed.own.push_back(outward[startPos]);
            if (haveEnd)
                placed.own.push_back(outward[endPos]);
            for (int q2 = 0; q2 <= k; ++q2)
                placed.mid += vec(v[rim[q2]]);
            placed.mid /= double(k + 1);

            // The cell's vertices, edges and faces go in first; the candidates
            // differ only in where its new vertices stand.
            if (haveStart)
                rim[k + 1] = outward[startPos];
            else {
                rim[k + 1] = newVertex(Eigen::Vector3d::Zero());
                if (sharedStart)
                    outward[startPos] = rim[k + 1];
            }
            for (int q2 = k + 2; q2 <= 5; ++q2)
                rim[q2] = newVertex(Eigen::Vector3d::Zero());
            if (haveEnd)
                rim[6] = outward[endPos];
            else {
                rim[6] = newVertex(Eigen::Vector3d::Zero());
                if (sharedEnd)
                    outward[endPos] = rim[6];
            }
            const int centre = newVertex(Eigen::Vector3d::Zero());
            // Rim edges not yet in the table (the sides taken are; a shared
            // outward edge is made by the first of its two cells), then spokes.
            for (int q2 = k; q2 < 7; ++q2) {
                if ((q2 == k && haveStart) || (q2 == 6 && haveEnd))
                    continue;
                addEdge(rim[q2], rim[(q2 + 1) % 7], RIM_LENGTH);
            }
            for (int q2 = 0; q2 < 7; ++q2)
                addEdge(rim[q2], centre, SPOKE_LENGTH);
            const int firstFace = NOS;
            for (int q2 = 0; q2 < 7; ++q2) {
                face[NOS][0] = rim[q2];
                face[NOS][1] = rim[(q2 + 1) % 7];
                face[NOS][2] = centre;
                ++NOS;
            }

            std::copy(rim, rim + 7, placed.rim);
            placed.centre = centre;
            placed.firstFace = firstFace;
            placed.preferred = q % 2 == 0 ? 1.0 : -1.0;
            // Every candidate lies within two grid cubes of the sides taken.
            placed.nearby = faceGrid.around(placed.mid, 2);
            for (int g : placed.nearby)
                placed.nearbyBox.push_back(Box::of(g));
            // When no lean clears, the outward vertex the previous cell placed
            // may move too, as long as that cell's faces stay clear as well.
            placed.mayFreeStart = haveStart && q > 0 && sharedStart;
            placed.choose(near);
            // A cell that crosses whatever it tries is often shut out by the
            // previous one, leaning over the sides it takes: when that one
            // stands well (neither crossing nor folded), the two are placed
            // together, the previous one at its placements that stand as well
            // (at most JOINT_TRIES of them, largest first), this one at its
            // best for each, until this one crosses nothing either.
            if (placed.rank == 0 && q > 0 && placing[q - 1].rank >= 2) {
                Placing& before = placing[q - 1];
                const Placing was = before;
                Placing best = before;
                int bestRank = placed.rank, tries = 0;
                double bestScore = placed.score;
                for (double atSize : SIZES)
                    for (double atLean : LEANS)
                        for (double sign : {1.0, -1.0}) {
                            if ((atLean == 0 && sign < 0) || bestRank >= 2 || tries >= JOINT_TRIES)
                                continue;
                            before.lean = sign * atLean;
                            before.size = atSize;
                            before.freed = false;
                            before.stand();
                            before.rank = before.rankHere(before.firstFace);
                            if (before.rank < 2)
                                continue;
                            ++tries;
                            placed.choose(near);
                            if (placed.rank > bestRank || (placed.rank == bestRank && placed.score > bestScore)) {
                                bestRank = placed.rank;
                                bestScore = placed.score;
                                best = before;
                            }
                        }
                before = bestRank > 0 ? best : was;
                before.stand();
                placed.choose(near);
                for (int q2 : before.slot)
                    near.insert(before.vertexAt(q2));
            }
            for (int q2 : placed.slot)
                near.insert(placed.vertexAt(q2));
            for (int f = firstFace; f < NOS; ++f)
                faceGrid.insert(f);
        }
    }
    report.cellsAdded = newCells;
    revised_facedata = true;
    revised_face2edge = true;
    NOfaceOfVertex_on = false;
    return report;
}

}  // namespace

GrowReport growRing()
{
    return growRingWith(false);
}

GrowReport growRingCommand()
{
    return growRingWith(true);
}

std::string growRingMessage(const GrowReport& report)
{
    if (report.cellsAdded == 0)
        return "Cannot grow a ring: " + report.refusal;
    char text[200];
    std::snprintf(text, sizeof text, "Grew one ring: %d cell%s; largest edge error %.2g", report.cellsAdded,
                  report.cellsAdded == 1 ? "" : "s", maxRelativeEdgeError());
    std::string message = text;
    if (report.skipped > 0)
        message += "; " + std::to_string(report.skipped) + " boundary vertex" + (report.skipped == 1 ? "" : "es") +
                   " skipped";
    return message;
}
