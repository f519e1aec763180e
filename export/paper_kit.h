// The paper kit laid out on pages: the surface's unfolding (construct/unfold.h)
// scaled so that a rim edge has the chosen length, each piece turned to take
// little room and packed onto pages (shelf by shelf, never split across two),
// every face, tab, fold and cut line and edge number in page millimetres.
#pragma once

#include <string>
#include <vector>

#include "construct/unfold.h"

enum class Paper { A4, Letter };

struct KitOptions {
    double rimMm = 30;        // the length of a cell's rim edge on paper
    Paper paper = Paper::A4;  // 210 x 297 mm or 215.9 x 279.4 mm, 10 mm margins
};

// Page positions are millimetres from the page's top left corner, y downwards.
struct KitPolygon {
    std::vector<Point2> corners;  // clockwise on the page's y-down numbers: counter-clockwise as seen
    int face = -1;                // a face: its index in the surface
    int edge = -1;                // a tab: its edge in the edge table (-1 when the side has none)
    int number = 0;               // a tab: the kit number of its edge
};

enum class LineKind { Cut, Mountain, Valley };

struct KitLine {
    Point2 a, b;
    LineKind kind;
};

struct KitText {
    std::string text;
    Point2 at;          // the middle of the text's baseline
    double angle = 0;   // of the baseline, radians, clockwise on the page
    double size = 3;    // font size, mm
    int edge = -1;      // an edge number: its edge in the edge table (-1 when none)
    bool centred = true;  // else `at` is the baseline's left end
};

struct KitPage {
    std::vector<KitPolygon> faces, tabs;
    std::vector<KitLine> lines;
    std::vector<KitText> numbers;
    // The page's title ("NAME — page k of n") and, on the first page, the
    // legend: its sample lines, its sample tab and its words.
    std::vector<KitText> labels;
    std::vector<KitLine> legendLines;
    std::vector<KitPolygon> legendTabs;
};

struct PaperKit {
    double width = 0, height = 0;  // of a page, mm
    double margin = 10;
    double scale = 0;              // mm per model unit
    std::string paperName;         // "A4" or "Letter"
    std::vector<KitPage> pages;
    Unfolding unfolding;           // in model units, each piece in its own frame
    std::vector<int> pageOfPiece;  // the page each piece is printed on
};

// The kit's page size, margin and scale for `options`.
void kitPaper(const KitOptions& options, double* width, double* height, double* scale);

// What the pieces of a kit for `options` must keep to, in model units.
UnfoldLimits kitLimits(const KitOptions& options);

// Unfolds the current surface and lays the kit out on pages titled with
// `name`. Fails, with the reason in *why, when the rim edge length is not
// positive or a face with its tabs does not fit a page. Reads what
// unfoldSurface reads. Writes *kit.
bool makePaperKit(const KitOptions& options, const std::string& name, PaperKit* kit, std::string* why);
