// The paper kit: every triangle congruent to its face, nothing of the kit
// overlapping anything else (tested exactly, on the kit's pages and on the
// written SVG read back by an XML parser), every edge either a fold inside one
// piece or a cut with its number on both sides and one glue tab, pieces within
// the page's margins and never split across pages, and the PDF's page count.
#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "construct/subdivision.h"
#include "construct/unfold.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/store.h"
#include "tests/kit_checks.h"
#include "tests/read_file.h"
#include "tests/surface_generators.h"
#include "tests/tool_run.h"
#include "export/paper_kit.h"
#include "export/paper_kit_writer.h"

namespace {
const char* const kSamples[] = {"single",         "torio",          "autopasteDemo",    "123-123-123",
                                "2222-2222-2222", "22-22-22",       "2323-2323-2323",   "1313-1313-1313",
                                "222-222-222-222", "222diamondLattice", "2321-31-1223Lattice", "2222skewLattice",
                                "22222Dodecahedra", "13-13-3Lattice"};

std::string samplePath(const std::string& name)
{
    return KORVITH_SOURCE_DIR "/sample/" + name + ".kor";
}

void load(const std::string& name)
{
    resetStore();
    ASSERT_TRUE(openSurfaceFile(samplePath(name), false)) << name;
    refreshDerivedData();
}

double spaceLength(int a, int b)
{
    return std::sqrt((v[a].x - v[b].x) * (v[a].x - v[b].x) + (v[a].y - v[b].y) * (v[a].y - v[b].y) +
                     (v[a].z - v[b].z) * (v[a].z - v[b].z));
}

double planeLength(const Point2& a, const Point2& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double signedArea(const std::vector<Point2>& p)
{
    double twice = 0;
    for (size_t k = 0; k < p.size(); ++k)
        twice += p[k].x * p[(k + 1) % p.size()].y - p[(k + 1) % p.size()].x * p[k].y;
    return twice / 2;
}

// Every check of a kit made from the surface in the store.
void expectSoundKit(const PaperKit& kit, const std::string& what)
{
    SCOPED_TRACE(what);
    const Unfolding& u = kit.unfolding;
    ASSERT_EQ(static_cast<int>(u.piece.size()), NOS);
    EXPECT_EQ(u.leftOut, 0);

    // Congruence, in model units before anything is turned or rounded.
    double worst = 0;
    for (int f = 0; f < NOS; ++f) {
        ASSERT_GE(u.piece[f], 0) << "face " << f << " is in no piece";
        for (int k = 0; k < 3; ++k)
            worst = std::max(worst, std::fabs(planeLength(u.corners[f][k], u.corners[f][(k + 1) % 3]) -
                                              spaceLength(face[f][k], face[f][(k + 1) % 3])));
    }
    EXPECT_LE(worst, 1e-9) << "largest difference of a side's length from its length in space";

    // The pages: each face once, on its piece's page, congruent at the scale,
    // seen from the same side; faces and tabs inside the margins and clear of
    // each other.
    std::vector<int> pageOfFace(NOS, -1);
    const double m = kit.margin;
    for (size_t p = 0; p < kit.pages.size(); ++p) {
        const KitPage& page = kit.pages[p];
        std::vector<std::vector<Point2>> shapes;
        for (const KitPolygon& f : page.faces) {
            ASSERT_EQ(pageOfFace[f.face], -1) << "face " << f.face << " twice";
            pageOfFace[f.face] = static_cast<int>(p);
            EXPECT_EQ(kit.pageOfPiece[u.piece[f.face]], static_cast<int>(p)) << "face " << f.face;
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(planeLength(f.corners[k], f.corners[(k + 1) % 3]),
                            kit.scale * spaceLength(face[f.face][k], face[f.face][(k + 1) % 3]), 1e-9 * kit.scale);
            EXPECT_LT(signedArea(f.corners), 0) << "face " << f.face << " is not printed front up";
            shapes.push_back(f.corners);
        }
        for (const KitPolygon& t : page.tabs)
            shapes.push_back(t.corners);
        for (const std::vector<Point2>& s : shapes)
            for (const Point2& q : s) {
                EXPECT_GE(q.x, m - 1e-9);
                EXPECT_LE(q.x, kit.width - m + 1e-9);
                EXPECT_GE(q.y, m - 1e-9);
                EXPECT_LE(q.y, kit.height - m + 1e-9);
            }
        const auto pairs = overlappingPairs(shapes);
        EXPECT_TRUE(pairs.empty()) << pairs.size() << " overlapping pairs on page " << p + 1 << ", the first "
                                   << (pairs.empty() ? 0 : pairs[0].first) << " and "
                                   << (pairs.empty() ? 0 : pairs[0].second);
        EXPECT_NE(page.labels.at(0).text.find("page " + std::to_string(p + 1) + " of " +
                                              std::to_string(kit.pages.size())),
                  std::string::npos);
    }

    // Every edge: a fold inside a piece, or a cut numbered on every side with
    // a tab on all sides but one; a boundary edge neither.
    std::map<int, std::vector<std::pair<int, int>>> sidesOf;
    for (int f = 0; f < NOS; ++f)
        for (int k = 0; k < 3; ++k) {
            ASSERT_GE(u.edgeIndex[f][k], 0) << "a face side without an edge";
            sidesOf[u.edgeIndex[f][k]].emplace_back(f, k);
        }
    std::map<std::pair<int, int>, int> tabsOnSide;
    for (const KitTab& t : u.tabs)
        ++tabsOnSide[{t.face, t.side}];
    std::map<int, int> tabsOnPages, numbersOnPages;
    for (const KitPage& page : kit.pages) {
        for (const KitPolygon& t : page.tabs)
            ++tabsOnPages[t.edge];
        for (const KitText& t : page.numbers)
            ++numbersOnPages[t.edge];
    }
    std::set<int> numbers;
    for (const auto& [e, sides] : sidesOf) {
        int tabs = 0;
        for (const auto& s : sides)
            tabs += tabsOnSide[s];
        const auto [f, k] = sides[0];
        if (sides.size() == 1) {
            EXPECT_EQ(u.kind[f][k], SideKind::Boundary) << "edge " << e;
            EXPECT_EQ(tabs + numbersOnPages[e], 0) << "edge " << e;
        } else if (u.kind[f][k] == SideKind::Fold) {
            ASSERT_EQ(sides.size(), 2u) << "edge " << e;
            const auto [h, j] = sides[1];
            EXPECT_EQ(u.kind[h][j], SideKind::Fold) << "edge " << e;
            EXPECT_EQ(u.across[f][k], h);
            EXPECT_EQ(u.across[h][j], f);
            EXPECT_EQ(u.piece[f], u.piece[h]);
            // The two faces lie on either side of the one side.
            EXPECT_TRUE(u.corners[f][k] == u.corners[h][(j + 1) % 3] && u.corners[f][(k + 1) % 3] == u.corners[h][j]);
            EXPECT_EQ(tabs + numbersOnPages[e] + tabsOnPages[e], 0) << "edge " << e;
        } else {
            const int number = u.number[f][k];
            EXPECT_GT(number, 0) << "edge " << e;
            EXPECT_TRUE(numbers.insert(number).second) << "number " << number << " twice";
            for (const auto& [h, j] : sides) {
                EXPECT_EQ(u.kind[h][j], SideKind::Cut) << "edge " << e;
                EXPECT_EQ(u.number[h][j], number) << "edge " << e;
            }
            EXPECT_EQ(tabs, static_cast<int>(sides.size()) - 1) << "edge " << e;
            EXPECT_EQ(tabsOnPages[e], static_cast<int>(sides.size()) - 1) << "edge " << e;
            EXPECT_EQ(numbersOnPages[e], static_cast<int>(sides.size())) << "edge " << e;
        }
    }
    EXPECT_EQ(static_cast<int>(numbers.size()), u.cutEdges);
}

PaperKit kitOf(const std::string& what, KitOptions options = KitOptions())
{
    PaperKit kit;
    std::string why;
    EXPECT_TRUE(makePaperKit(options, what, &kit, &why)) << why;
    return kit;
}

std::string attribute(xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    if (!value)
        return std::string();
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

bool hasAttribute(xmlNode* node, const char* name)
{
    return xmlHasProp(node, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

std::vector<Point2> pointsOf(const std::string& text)
{
    std::vector<Point2> points;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair) {
        const size_t comma = pair.find(',');
        points.push_back(Point2{std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1))});
    }
    return points;
}

// What an SVG kit holds, as an XML parser reads it.
struct ReadKit {
    double width = 0, height = 0;             // from width/height in mm
    std::string viewBox;
    std::vector<std::vector<std::vector<Point2>>> pageShapes;  // faces and tabs of each page
    std::vector<double> pageLeft;             // x of each page's sheet
    std::map<int, int> faces;                 // data-face -> times seen
    std::map<int, int> tabs, numbers;         // data-edge -> times seen
    int transformed = 0;                      // faces, tabs or their parents with a transform
};

void walk(xmlNode* node, bool transformAbove, ReadKit& kit)
{
    for (xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        const std::string name(reinterpret_cast<const char*>(n->name));
        const bool transform = transformAbove || hasAttribute(n, "transform");
        if (name == "g" && attribute(n, "class") == "page") {
            kit.pageShapes.emplace_back();
        } else if (name == "rect" && attribute(n, "class") == "sheet") {
            kit.pageLeft.push_back(std::stod(attribute(n, "x")));
        } else if (name == "polygon" && (hasAttribute(n, "data-face") || attribute(n, "class") == "tab")) {
            kit.transformed += transform;
            if (hasAttribute(n, "data-face"))
                ++kit.faces[std::stoi(attribute(n, "data-face"))];
            else
                ++kit.tabs[std::stoi(attribute(n, "data-edge"))];
            kit.pageShapes.back().push_back(pointsOf(attribute(n, "points")));
        } else if (name == "text" && hasAttribute(n, "data-edge")) {
            ++kit.numbers[std::stoi(attribute(n, "data-edge"))];
        }
        walk(n->children, transform, kit);
    }
}

ReadKit readSvgKit(const std::string& path)
{
    ReadKit kit;
    xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
    EXPECT_NE(doc, nullptr) << "the SVG is no well-formed XML";
    if (!doc)
        return kit;
    xmlNode* root = xmlDocGetRootElement(doc);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(root->name)), "svg");
    const std::string w = attribute(root, "width"), h = attribute(root, "height");
    EXPECT_EQ(w.substr(w.size() - 2), "mm");
    EXPECT_EQ(h.substr(h.size() - 2), "mm");
    kit.width = std::stod(w);
    kit.height = std::stod(h);
    kit.viewBox = attribute(root, "viewBox");
    kit.transformed += hasAttribute(root, "transform");
    walk(root->children, hasAttribute(root, "transform"), kit);
    xmlFreeDoc(doc);
    return kit;
}
}  // namespace

TEST(PaperKit, EverySampleMakesASoundKitWithFewerPiecesThanCells)
{
    for (const char* name : kSamples) {
        load(name);
        const PaperKit kit = kitOf(name);
        expectSoundKit(kit, name);
        const int cells = NOS / 7;
        std::printf("%-22s %6d faces %5d cells %5d pieces %4zu pages\n", name, NOS, cells,
                    static_cast<int>(kit.unfolding.pieces.size()), kit.pages.size());
        // Fewer than one piece per cell, once there are enough cells to join.
        if (cells > 12) {
            EXPECT_LT(kit.unfolding.pieces.size(), static_cast<size_t>(cells) * 3 / 4) << name;
        }
    }
    resetStore();
}

TEST(PaperKit, SubdividedSurfacesOtherScalesAndLetterPaper)
{
    load("torio");
    ASSERT_TRUE(subdiv(3));
    refreshDerivedData();
    KitOptions letter;
    letter.paper = Paper::Letter;
    letter.rimMm = 12;
    PaperKit kit = kitOf("torio 3", letter);
    EXPECT_NEAR(kit.width, 215.9, 1e-9);
    EXPECT_NEAR(kit.height, 279.4, 1e-9);
    EXPECT_EQ(kit.paperName, "Letter");
    expectSoundKit(kit, "torio subdivided 3, 12 mm, Letter");

    load("22222Dodecahedra");
    ASSERT_TRUE(subdiv(2));
    refreshDerivedData();
    KitOptions big;
    big.rimMm = 60;
    kit = kitOf("dodecahedra 2", big);
    expectSoundKit(kit, "dodecahedra subdivided 2, 60 mm");
    KitOptions small;
    small.rimMm = 4;
    kit = kitOf("dodecahedra 2", small);
    expectSoundKit(kit, "dodecahedra subdivided 2, 4 mm");
    EXPECT_EQ(kit.pages.size(), 1u) << "840 faces of 2 mm fit one page";
    resetStore();
}

TEST(PaperKit, SurfaceNearTheStoresCapacity)
{
    load("13-13-3Lattice");
    ASSERT_TRUE(replicate(15));
    refreshDerivedData();
    ASSERT_EQ(NOS, 37800);
    const PaperKit kit = kitOf("15 lattices");
    expectSoundKit(kit, "13-13-3 lattice x 15");
    resetStore();
}

TEST(PaperKit, FlatFanIsOnePieceAndACellIsTwo)
{
    // Five equilateral triangles of a hexagon lie flat: one piece, no cut,
    // and every fold flat (drawn as a valley fold).
    resetStore();
    NOV = 7;
    for (int k = 0; k < 6; ++k)
        v[k] = Point3{std::cos(k * M_PI / 3), std::sin(k * M_PI / 3), 0};
    v[6] = Point3{0, 0, 0};
    for (int k = 0; k < 5; ++k) {
        face[k][0] = k;
        face[k][1] = k + 1;
        face[k][2] = 6;
    }
    for (int k = 0; k < 6; ++k) {
        edge[2 * k][0] = k, edge[2 * k][1] = 6;
        phi[2 * k] = phi[2 * k + 1] = 1;
    }
    for (int k = 0; k < 5; ++k)
        edge[2 * k + 1][0] = k, edge[2 * k + 1][1] = k + 1;
    NOS = 5;
    NOE = 11;
    PaperKit kit = kitOf("hexagon");
    expectSoundKit(kit, "five faces of a hexagon");
    EXPECT_EQ(kit.unfolding.pieces.size(), 1u);
    EXPECT_EQ(kit.unfolding.cutEdges, 0);
    EXPECT_TRUE(kit.unfolding.tabs.empty());
    for (const KitLine& l : kit.pages[0].lines)
        EXPECT_NE(l.kind, LineKind::Mountain);

    // A cell has 378 degrees around its centre: it cannot lie flat in one piece.
    load("single");
    kit = kitOf("single");
    expectSoundKit(kit, "single");
    EXPECT_EQ(kit.unfolding.pieces.size(), 2u);
    resetStore();
}

TEST(PaperKit, FoldsAreMountainOrValleySeenFromThePrintedSide)
{
    for (double lift : {-0.5, 0.5}) {
        // Two faces on the side (1, 2); the first faces +z (its printed side).
        resetStore();
        NOV = 4;
        v[0] = Point3{0, 0, 0};
        v[1] = Point3{1, 0, 0};
        v[2] = Point3{0, 1, 0};
        v[3] = Point3{1, 1, lift};
        const int faces[2][3] = {{0, 1, 2}, {2, 1, 3}};
        const int edges[5][2] = {{0, 1}, {1, 2}, {2, 0}, {1, 3}, {3, 2}};
        for (int f = 0; f < 2; ++f)
            for (int k = 0; k < 3; ++k)
                face[f][k] = faces[f][k];
        for (int e = 0; e < 5; ++e) {
            edge[e][0] = edges[e][0];
            edge[e][1] = edges[e][1];
            phi[e] = 1;
        }
        NOS = 2;
        NOE = 5;
        const PaperKit kit = kitOf("hinge");
        expectSoundKit(kit, "hinge");
        EXPECT_EQ(kit.unfolding.mountain[0][1], lift < 0 ? 1 : -1) << "bent away from the printed side: a mountain";
        int folds = 0;
        for (const KitLine& l : kit.pages[0].lines)
            if (l.kind != LineKind::Cut) {
                ++folds;
                EXPECT_EQ(l.kind, lift < 0 ? LineKind::Mountain : LineKind::Valley);
            }
        EXPECT_EQ(folds, 1);
    }
    resetStore();
}

TEST(PaperKit, RefusesWhatCannotBePrintedAndLeavesOutFacesOfNoArea)
{
    load("torio");
    PaperKit kit;
    std::string why;
    KitOptions huge;
    huge.rimMm = 400;
    EXPECT_FALSE(makePaperKit(huge, "torio", &kit, &why));
    EXPECT_NE(why.find("larger than the page"), std::string::npos) << why;
    KitOptions none;
    none.rimMm = 0;
    EXPECT_FALSE(makePaperKit(none, "torio", &kit, &why));
    none.rimMm = NAN;
    EXPECT_FALSE(makePaperKit(none, "torio", &kit, &why));

    // A face whose corners lie in a row, and one that names a vertex twice.
    const int faces = NOS;
    face[NOS][0] = 0, face[NOS][1] = 1, face[NOS][2] = 1;
    ++NOS;
    v[NOV] = Point3{2 * v[1].x - v[0].x, 2 * v[1].y - v[0].y, 2 * v[1].z - v[0].z};
    face[NOS][0] = 0, face[NOS][1] = NOV, face[NOS][2] = 1;
    ++NOV;
    ++NOS;
    ASSERT_TRUE(makePaperKit(KitOptions(), "torio", &kit, &why)) << why;
    EXPECT_EQ(kit.unfolding.leftOut, 2);
    EXPECT_EQ(kit.unfolding.piece[faces], -1);
    EXPECT_EQ(kit.unfolding.piece[faces + 1], -1);
    size_t drawn = 0;
    for (const KitPage& page : kit.pages)
        drawn += page.faces.size();
    EXPECT_EQ(drawn, static_cast<size_t>(faces));

    // No faces at all: one page with the title and the legend.
    resetStore();
    ASSERT_TRUE(makePaperKit(KitOptions(), "empty", &kit, &why)) << why;
    ASSERT_EQ(kit.pages.size(), 1u);
    EXPECT_TRUE(kit.unfolding.pieces.empty());
    EXPECT_EQ(kit.pages[0].labels.at(0).text, "empty \u2014 page 1 of 1");
    EXPECT_EQ(kit.pages[0].legendLines.size(), 2u);
    resetStore();
}

TEST(PaperKitFiles, SvgReadBackByAnXmlParserHoldsTheKit)
{
    for (const char* name : {"torio", "22222Dodecahedra"}) {
        SCOPED_TRACE(name);
        const std::string path = privateDir() + "/" + name + ".svg";
        load(name);
        KitSummary summary;
        std::string why;
        ASSERT_TRUE(exportPaperKit(path, ".svg", KitOptions(), name, &summary, &why)) << why;
        const PaperKit kit = kitOf(name);
        const ReadKit read = readSvgKit(path);
        const int pages = static_cast<int>(kit.pages.size());
        EXPECT_EQ(summary.pages, pages);
        EXPECT_EQ(summary.pieces, static_cast<int>(kit.unfolding.pieces.size()));
        EXPECT_NEAR(read.width, pages * 210 + (pages - 1) * 10, 1e-3) << "sheets side by side, 10 mm apart";
        EXPECT_NEAR(read.height, 297, 1e-3);
        std::istringstream box(read.viewBox);
        double x0, y0, w, h;
        box >> x0 >> y0 >> w >> h;
        EXPECT_EQ(x0, 0);
        EXPECT_EQ(y0, 0);
        EXPECT_NEAR(w, read.width, 1e-3) << "one unit is a millimetre";
        EXPECT_NEAR(h, read.height, 1e-3);
        ASSERT_EQ(static_cast<int>(read.pageShapes.size()), pages);
        ASSERT_EQ(static_cast<int>(read.pageLeft.size()), pages);
        EXPECT_EQ(read.transformed, 0);
        EXPECT_EQ(static_cast<int>(read.faces.size()), NOS);
        for (const auto& [f, times] : read.faces)
            EXPECT_EQ(times, 1) << "face " << f;
        int cutSides = 0;
        for (int f = 0; f < NOS; ++f)
            for (int k = 0; k < 3; ++k)
                if (kit.unfolding.kind[f][k] == SideKind::Cut) {
                    ++cutSides;
                    EXPECT_EQ(read.tabs.count(kit.unfolding.edgeIndex[f][k]), 1u);
                    EXPECT_EQ(read.numbers.at(kit.unfolding.edgeIndex[f][k]), 2);
                }
        EXPECT_EQ(static_cast<int>(read.tabs.size()), cutSides / 2);
        for (const auto& [e, times] : read.tabs)
            EXPECT_EQ(times, 1) << "edge " << e;
        // The rounded positions still overlap nowhere and stay on their sheets.
        for (int p = 0; p < pages; ++p) {
            EXPECT_NEAR(read.pageLeft[p], p * 220, 1e-3);
            EXPECT_TRUE(overlappingPairs(read.pageShapes[p]).empty()) << "page " << p + 1;
            for (const auto& shape : read.pageShapes[p])
                for (const Point2& q : shape) {
                    EXPECT_GE(q.x, p * 220 + 10 - 1e-3);
                    EXPECT_LE(q.x, p * 220 + 200 + 1e-3);
                    EXPECT_GE(q.y, 10 - 1e-3);
                    EXPECT_LE(q.y, 287 + 1e-3);
                }
        }
    }
    resetStore();
}

TEST(PaperKitFiles, ToolWritesAPdfPageForEverySheetAndTellsPiecesAndPages)
{
    const std::string pdf = privateDir() + "/kit.pdf";
    ToolRun run = tool("apply " KORVITH_SOURCE_DIR "/sample/22222Dodecahedra.kor " + pdf + " net");
    ASSERT_EQ(run.status, 0) << run.err;
    std::smatch found;
    ASSERT_TRUE(std::regex_search(run.err, found, std::regex("(\\d+) pieces on (\\d+) pages of A4, rim edge 30 mm")))
        << run.err;
    EXPECT_NE(run.err.find("22222Dodecahedra"), std::string::npos);
    const int pages = std::stoi(found[2]);
    EXPECT_GT(pages, 1);
    const std::string bytes = readAll(pdf);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    int pageObjects = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pageObjects += bytes.compare(at, 12, "/Type /Pages") != 0;
    EXPECT_EQ(pageObjects, pages);
    if (shell("command -v pdfinfo").status == 0) {
        const ToolRun info = shell("pdfinfo " + pdf);
        EXPECT_NE(info.out.find("Pages:           " + std::to_string(pages)), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("(A4)"), std::string::npos) << info.out;
    }

    // net=MM and paper=letter; a scale given as a number of millimetres.
    const std::string svg = privateDir() + "/kit.svg";
    run = tool("apply " KORVITH_SOURCE_DIR "/sample/torio.kor " + svg + " net=20 paper=letter");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("of Letter, rim edge 20 mm"), std::string::npos) << run.err;
    EXPECT_NE(readAll(svg).find("height=\"279.4000mm\""), std::string::npos);
    // The same from standard input to standard output.
    run = shell("cat " KORVITH_SOURCE_DIR "/sample/torio.kor | " KORVITH_TOOL " apply - - --format=svg net");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("data-face=\"20\""), std::string::npos);
}

TEST(PaperKitFiles, ToolRefusesNetOptionsItCannotUse)
{
    const std::string in = KORVITH_SOURCE_DIR "/sample/torio.kor ";
    const std::string out = privateDir() + "/refused";
    for (const std::string& args : {in + out + ".png net", in + out + ".kor net", in + out + ".svg paper=letter",
                                    in + out + ".svg net=0", in + out + ".svg net=-3", in + out + ".svg net=abc",
                                    in + out + ".svg net paper=a3"}) {
        const ToolRun run = tool("apply " + args);
        EXPECT_EQ(run.status, 2) << args << ": " << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << args;
    }
    const ToolRun run = tool("apply " + in + out + ".pdf net=500");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("larger than the page"), std::string::npos) << run.err;
    EXPECT_TRUE(readAll(out + ".pdf").empty()) << "nothing is written";
    EXPECT_NE(tool("--help").out.find("net=MM"), std::string::npos);
}

TEST(PaperKit, ClearanceIsNeverLooserThanTheExactTestEvenAfterRounding)
{
    // Triangles sharing corners, sides or lines with a random one, and
    // random ones nearby: whenever the clearance test passes a pair, the
    // exact test finds no overlap, also with every corner moved by a tenth of
    // the gap (as rounding for a file does), shared corners moved alike.
    std::mt19937 rng(27);
    std::uniform_real_distribution<double> unit(-1, 1);
    const double gap = 1e-3;
    int passed = 0;
    auto ccw = [](std::vector<Point2> t) {
        if (exactOrientation(t[0], t[1], t[2]) < 0)
            std::swap(t[1], t[2]);
        return t;
    };
    for (int round = 0; round < 20000; ++round) {
        std::vector<Point2> a = ccw({{unit(rng), unit(rng)}, {unit(rng), unit(rng)}, {unit(rng), unit(rng)}});
        if (exactOrientation(a[0], a[1], a[2]) == 0)
            continue;
        std::vector<Point2> b(3);
        switch (round % 5) {
        case 0:  // a shared side
            b = {a[1], a[0], {unit(rng), unit(rng)}};
            break;
        case 1:  // a shared corner
            b = {a[0], {unit(rng), unit(rng)}, {unit(rng), unit(rng)}};
            break;
        case 2: {  // a shared corner and a side continuing one of a's sides
            const double s = 0.2 + std::fabs(unit(rng));
            b = {a[0], {a[0].x + s * (a[0].x - a[1].x), a[0].y + s * (a[0].y - a[1].y)}, {unit(rng), unit(rng)}};
            break;
        }
        case 3: {  // a corner just off the line of one of a's sides, past its end
            const double s = 1 + 2 * gap + 0.01 * std::fabs(unit(rng)), off = gap * unit(rng);
            const double dx = a[1].x - a[0].x, dy = a[1].y - a[0].y, d = std::hypot(dx, dy);
            b = {{a[0].x + s * dx - off * dy / d, a[0].y + s * dy + off * dx / d}, {unit(rng), unit(rng)},
                 {unit(rng), unit(rng)}};
            break;
        }
        default:
            b = {{unit(rng), unit(rng)}, {unit(rng), unit(rng)}, {unit(rng), unit(rng)}};
        }
        b = ccw(b);
        if (exactOrientation(b[0], b[1], b[2]) == 0 || !polygonsClear(a.data(), 3, b.data(), 3, gap))
            continue;
        ++passed;
        ASSERT_FALSE(insidesOverlap(a, b)) << "round " << round;
        std::map<std::pair<double, double>, Point2> moved;
        auto shake = [&](const Point2& p) {
            auto it = moved.find({p.x, p.y});
            if (it == moved.end())
                it = moved.emplace(std::make_pair(p.x, p.y), Point2{p.x + 0.1 * gap * unit(rng), p.y + 0.1 * gap * unit(rng)})
                         .first;
            return it->second;
        };
        std::vector<Point2> ra, rb;
        for (const Point2& p : a)
            ra.push_back(shake(p));
        for (const Point2& p : b)
            rb.push_back(shake(p));
        ASSERT_FALSE(insidesOverlap(ra, rb)) << "round " << round;
    }
    EXPECT_GT(passed, 3000);
    // Two faces of a flat fan on either side of one line pass; a face laid
    // over another's side, or closing a fan without sharing its side, does not.
    const Point2 o{0, 0};
    const std::vector<Point2> right{o, {1, 0}, {0.5, 0.8}}, left{o, {-1, 0.0}, {-0.5, -0.8}};
    EXPECT_TRUE(polygonsClear(right.data(), 3, left.data(), 3, gap));
    const std::vector<Point2> along{o, {1.5, -0.8}, {2, 0}};  // its side covers the other's, past its far end
    EXPECT_FALSE(polygonsClear(right.data(), 3, along.data(), 3, gap));
    const std::vector<Point2> closing{o, {0.5, 0.8 + 1e-12}, {-0.5, 0.8}};
    EXPECT_FALSE(polygonsClear(right.data(), 3, closing.data(), 3, gap));
}

TEST(PaperKit, EdgesOfThreeFacesAndFacesTurnedTheOtherWayAreCut)
{
    // Three faces on the side (1, 2), and a fourth on the side (0, 2) running
    // the same way as its neighbour's (turned over against it): none of these
    // sides can be a fold that keeps the printed side up, so all are cut, and
    // the edge of three faces gets two tabs.
    resetStore();
    NOV = 6;
    v[0] = Point3{0, 0, 0};
    v[1] = Point3{1, 0, 0};
    v[2] = Point3{0, 1, 0};
    v[3] = Point3{1, 1, -0.5};
    v[4] = Point3{1, 1, 0.5};
    v[5] = Point3{-1, 0.5, 0.3};
    const int faces[4][3] = {{0, 1, 2}, {2, 1, 3}, {2, 1, 4}, {2, 0, 5}};
    const int edges[8][2] = {{0, 1}, {1, 2}, {2, 0}, {1, 3}, {3, 2}, {1, 4}, {4, 2}, {2, 5}};
    for (int f = 0; f < 4; ++f)
        for (int k = 0; k < 3; ++k)
            face[f][k] = faces[f][k];
    for (int e = 0; e < 8; ++e) {
        edge[e][0] = edges[e][0];
        edge[e][1] = edges[e][1];
        phi[e] = 1;
    }
    NOS = 4;
    NOE = 8;
    edge[NOE][0] = 5, edge[NOE][1] = 0, phi[NOE++] = 1;
    const PaperKit kit = kitOf("three on one edge");
    expectSoundKit(kit, "three faces on one edge, one face turned over");
    EXPECT_EQ(kit.unfolding.kind[0][1], SideKind::Cut);
    EXPECT_EQ(kit.unfolding.kind[0][2], SideKind::Cut);
    EXPECT_EQ(kit.unfolding.cutEdges, 2);
    EXPECT_EQ(kit.unfolding.tabs.size(), 3u);
    EXPECT_EQ(kit.unfolding.pieces.size(), 4u);
    resetStore();
}

TEST(PaperKit, GridFindsWhatTestingEveryPartFinds)
{
    // The grid only saves work: the unfolding that tests each new face and tab
    // against every part of its piece is the same, bit for bit.
    auto same = [](const Unfolding& a, const Unfolding& b) {
        if (a.piece != b.piece || a.pieces != b.pieces || a.kind != b.kind || a.number != b.number ||
            a.tabs.size() != b.tabs.size())
            return false;
        for (size_t f = 0; f < a.corners.size(); ++f)
            for (int k = 0; k < 3; ++k)
                if (!(a.corners[f][k] == b.corners[f][k]))
                    return false;
        for (size_t t = 0; t < a.tabs.size(); ++t)
            for (int k = 0; k < 4; ++k)
                if (!(a.tabs[t].corners[k] == b.tabs[t].corners[k]))
                    return false;
        return true;
    };
    for (const char* name : {"torio", "22222Dodecahedra", "2222skewLattice"})
        for (double rim : {30.0, 8.0}) {
            if (rim < 10 && std::string(name) == "2222skewLattice")
                continue;  // as slow as it is literal
            load(name);
            if (rim < 10) {
                ASSERT_TRUE(subdiv(2));
                refreshDerivedData();
            }
            KitOptions options;
            options.rimMm = rim;
            UnfoldLimits limits = kitLimits(options);
            Unfolding fast, literal;
            std::string why;
            ASSERT_TRUE(unfoldSurface(limits, &fast, &why)) << why;
            limits.everyShape = true;
            ASSERT_TRUE(unfoldSurface(limits, &literal, &why)) << why;
            EXPECT_TRUE(same(fast, literal)) << name << " at " << rim << " mm";
        }
    resetStore();
}
