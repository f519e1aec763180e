#include "export/paper_kit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "model/store.h"

namespace {
constexpr double kMargin = 10;     // mm on every side of a page
constexpr double kTitleBand = 8;   // mm at the top of the printable area, for the title and legend
constexpr double kPieceGap = 3;    // mm between two pieces on a page
constexpr double kTabMm = 7;       // the height of a full glue tab, mm
constexpr double kClearanceMm = 0.05;  // the least distance between parts that share nothing, mm

// How a piece lies on its page: turned by an angle, scaled, its box's top
// left corner at (left, top).
struct Placement {
    double c = 1, s = 0;                     // cosine and sine of the turn
    double minX = 0, maxY = 0;               // of the turned, scaled piece (y upwards)
    double w = 0, h = 0;                     // its box, mm
    int page = -1;
    double left = 0, top = 0;
};

Point2 onPage(const Placement& p, double scale, const Point2& q)
{
    const double x = scale * (p.c * q.x - p.s * q.y), y = scale * (p.s * q.x + p.c * q.y);
    return Point2{p.left + (x - p.minX), p.top + (p.maxY - y)};
}

// The turn of the piece (of hull `h`, model units) whose box is smallest and
// fits the printable area `areaW` x `areaH`; the turns tried lay a side of
// `h` or of `sides` (the hull of its faces alone) along the page or across it.
Placement turnPiece(const std::vector<Point2>& h, const std::vector<Point2>& sides, double scale, double areaW,
                    double areaH)
{
    std::vector<double> angles{0, M_PI / 2};
    for (const std::vector<Point2>* outline : {&h, &sides})
        for (size_t k = 0; k < outline->size(); ++k) {
            const Point2 &a = (*outline)[k], &b = (*outline)[(k + 1) % outline->size()];
            const double along = -std::atan2(b.y - a.y, b.x - a.x);
            angles.push_back(along);
            angles.push_back(along + M_PI / 2);
        }
    Placement best;
    double bestArea = -1;
    for (double angle : angles) {
        Placement p;
        p.c = std::cos(angle);
        p.s = std::sin(angle);
        double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
        for (size_t k = 0; k < h.size(); ++k) {
            const double x = scale * (p.c * h[k].x - p.s * h[k].y), y = scale * (p.s * h[k].x + p.c * h[k].y);
            x0 = k == 0 ? x : std::min(x0, x);
            x1 = k == 0 ? x : std::max(x1, x);
            y0 = k == 0 ? y : std::min(y0, y);
            y1 = k == 0 ? y : std::max(y1, y);
        }
        p.minX = x0;
        p.maxY = y1;
        p.w = x1 - x0;
        p.h = y1 - y0;
        if (p.w > areaW || p.h > areaH)
            continue;
        // Small boxes first; of two alike, the flatter one packs better on shelves.
        const double area = p.w * p.h * (1 + 1e-9) + 1e-6 * p.h;
        if (bestArea < 0 || area < bestArea) {
            bestArea = area;
            best = p;
        }
    }
    // Pieces are grown to fit unturned or turned a quarter; should rounding
    // ever leave none fitting, the smallest box is taken as it is.
    if (bestArea < 0 && std::isfinite(areaW))
        return turnPiece(h, sides, scale, INFINITY, INFINITY);
    return best;
}

KitText label(const std::string& text, double x, double y, double size)
{
    KitText t;
    t.text = text;
    t.at = Point2{x, y};
    t.size = size;
    t.centred = false;
    return t;
}
}  // namespace

void kitPaper(const KitOptions& options, double* width, double* height, double* scale)
{
    *width = options.paper == Paper::Letter ? 215.9 : 210;
    *height = options.paper == Paper::Letter ? 279.4 : 297;
    *scale = options.rimMm / RIM_LENGTH;
}

UnfoldLimits kitLimits(const KitOptions& options)
{
    double width, height, scale;
    kitPaper(options, &width, &height, &scale);
    UnfoldLimits limits;
    limits.width = (width - 2 * kMargin) / scale;
    limits.height = (height - 2 * kMargin - kTitleBand) / scale;
    limits.tabHeight = kTabMm / scale;
    limits.gap = kClearanceMm / scale;
    return limits;
}

bool makePaperKit(const KitOptions& options, const std::string& name, PaperKit* kit, std::string* why)
{
    PaperKit& k = *kit;
    k = PaperKit();
    if (!(options.rimMm > 0) || !std::isfinite(options.rimMm)) {
        *why = "the rim edge length must be a positive number of millimetres";
        return false;
    }
    kitPaper(options, &k.width, &k.height, &k.scale);
    k.margin = kMargin;
    k.paperName = options.paper == Paper::Letter ? "Letter" : "A4";
    const double areaW = k.width - 2 * kMargin, areaH = k.height - 2 * kMargin - kTitleBand;
    const double top = kMargin + kTitleBand;

    if (!unfoldSurface(kitLimits(options), &k.unfolding, why))
        return false;
    const Unfolding& u = k.unfolding;
    const int pieces = static_cast<int>(u.pieces.size());

    // Turn each piece (its faces and tabs) to its smallest box.
    std::vector<std::vector<Point2>> outline(pieces);
    for (int p = 0; p < pieces; ++p)
        for (int f : u.pieces[p])
            outline[p].insert(outline[p].end(), u.corners[f].begin(), u.corners[f].end());
    for (const KitTab& t : u.tabs)
        outline[u.piece[t.face]].insert(outline[u.piece[t.face]].end(), t.corners.begin(), t.corners.end());
    std::vector<Placement> place(pieces);
    for (int p = 0; p < pieces; ++p) {
        std::vector<Point2> faces;
        for (int f : u.pieces[p])
            faces.insert(faces.end(), u.corners[f].begin(), u.corners[f].end());
        place[p] = turnPiece(convexHull(outline[p]), convexHull(faces), k.scale, areaW, areaH);
    }

    // Shelves, tallest pieces first; each piece goes on the first shelf of any
    // page with room, else on a new shelf of the first page with room, else
    // on a new page.
    struct Shelf {
        int page;
        double y, height, used;
    };
    std::vector<Shelf> shelves;
    std::vector<double> pageUsed;  // height used on each page
    std::vector<int> byHeight(pieces);
    std::iota(byHeight.begin(), byHeight.end(), 0);
    std::stable_sort(byHeight.begin(), byHeight.end(), [&](int a, int b) { return place[a].h > place[b].h; });
    for (int p : byHeight) {
        Placement& pl = place[p];
        Shelf* chosen = nullptr;
        for (Shelf& s : shelves)
            if (pl.h <= s.height && s.used + kPieceGap + pl.w <= areaW) {
                chosen = &s;
                break;
            }
        if (!chosen) {
            int page = -1;
            for (size_t q = 0; q < pageUsed.size() && page < 0; ++q)
                if (pageUsed[q] + kPieceGap + pl.h <= areaH)
                    page = static_cast<int>(q);
            if (page < 0) {
                page = static_cast<int>(pageUsed.size());
                pageUsed.push_back(-kPieceGap);
            }
            shelves.push_back(Shelf{page, pageUsed[page] + kPieceGap, pl.h, -kPieceGap});
            pageUsed[page] += kPieceGap + pl.h;
            chosen = &shelves.back();
        }
        pl.page = chosen->page;
        pl.left = kMargin + chosen->used + kPieceGap;
        pl.top = top + chosen->y;
        chosen->used += kPieceGap + pl.w;
    }
    // A surface without faces still gets a page, with its title and legend.
    const int pageCount = std::max<int>(1, static_cast<int>(pageUsed.size()));
    k.pages.resize(pageCount);
    k.pageOfPiece.resize(pieces);
    for (int p = 0; p < pieces; ++p)
        k.pageOfPiece[p] = place[p].page;

    // Faces, lines and numbers on their pages.
    const int n = static_cast<int>(u.piece.size());
    for (int f = 0; f < n; ++f) {
        const int p = u.piece[f];
        if (p < 0)
            continue;
        KitPage& page = k.pages[place[p].page];
        Point2 c[3];
        for (int q = 0; q < 3; ++q)
            c[q] = onPage(place[p], k.scale, u.corners[f][q]);
        KitPolygon polygon;
        polygon.corners.assign(c, c + 3);
        polygon.face = f;
        page.faces.push_back(polygon);
        for (int s = 0; s < 3; ++s) {
            const Point2 a = c[s], b = c[(s + 1) % 3];
            if (u.kind[f][s] == SideKind::Fold) {
                if (f < u.across[f][s])
                    page.lines.push_back(KitLine{a, b, u.mountain[f][s] > 0 ? LineKind::Mountain : LineKind::Valley});
                continue;
            }
            page.lines.push_back(KitLine{a, b, LineKind::Cut});
            if (u.kind[f][s] != SideKind::Cut)
                continue;
            // The number inside the face along the side, its top towards the
            // face's inside; turned the other way round where it would stand on its head.
            const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
            const double nx = dy / length, ny = -dx / length;  // into the face (y downwards)
            KitText t;
            t.text = std::to_string(u.number[f][s]);
            t.size = std::min(3.2, 0.14 * length);
            t.edge = u.edgeIndex[f][s];
            double offset = 0.4 + 0.1 * t.size;
            t.angle = std::atan2(dy, dx);
            if (dx < -1e-9 * length) {
                t.angle += M_PI;
                offset += 0.72 * t.size;
            }
            t.at = Point2{(a.x + b.x) / 2 + offset * nx, (a.y + b.y) / 2 + offset * ny};
            page.numbers.push_back(t);
        }
    }
    for (const KitTab& t : u.tabs) {
        const int p = u.piece[t.face];
        KitPolygon polygon;
        for (const Point2& q : t.corners)
            polygon.corners.push_back(onPage(place[p], k.scale, q));
        polygon.edge = u.edgeIndex[t.face][t.side];
        polygon.number = u.number[t.face][t.side];
        k.pages[place[p].page].tabs.push_back(polygon);
    }

    // Titles, and the legend on the first page, in the band above the pieces.
    const double baseline = kMargin + 5;
    for (int q = 0; q < pageCount; ++q) {
        char text[64];
        std::snprintf(text, sizeof text, " \u2014 page %d of %d", q + 1, pageCount);
        k.pages[q].labels.push_back(label((name.empty() ? std::string("untitled") : name) + text, kMargin, baseline, 3.5));
    }
    if (pageCount > 0) {
        KitPage& first = k.pages[0];
        double x = k.width - kMargin - 118;
        char scaleText[64];
        std::snprintf(scaleText, sizeof scaleText, "rim edge %g mm", options.rimMm);
        first.labels.push_back(label(scaleText, x, baseline, 3));
        x += 27;
        first.legendLines.push_back(KitLine{Point2{x, baseline - 1}, Point2{x + 8, baseline - 1}, LineKind::Mountain});
        first.labels.push_back(label("mountain fold", x + 9.5, baseline, 3));
        x += 32;
        first.legendLines.push_back(KitLine{Point2{x, baseline - 1}, Point2{x + 8, baseline - 1}, LineKind::Valley});
        first.labels.push_back(label("valley fold", x + 9.5, baseline, 3));
        x += 28;
        KitPolygon tab;
        tab.corners = {Point2{x + 8, baseline}, Point2{x, baseline}, Point2{x + 2, baseline - 2.5},
                       Point2{x + 6, baseline - 2.5}};
        first.legendTabs.push_back(tab);
        first.labels.push_back(label("glue tab", x + 9.5, baseline, 3));
    }
    return true;
}
