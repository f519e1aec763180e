// The paper kit's files: a PDF of one page per sheet (cairo), or one SVG with
// the sheets side by side, left to right, 10 mm apart. In the SVG every
// length is in millimetres and nothing is transformed but the edge numbers'
// own turns, so that other programs can read the kit: each face is a
// <polygon data-face="I">, each glue tab a <polygon class="tab" data-edge="E">
// and each edge number a <text data-edge="E"> (I a face's index, E an edge's
// index in the surface's edge table).
#pragma once

#include <string>

#include "export/paper_kit.h"

// True for the formats a paper kit is written in (".svg", ".pdf").
bool isPaperKitFormat(const std::string& extension);

// The SVG text of `kit`.
std::string paperKitSvg(const PaperKit& kit);

// The PDF bytes of `kit`; false with cairo's reason in *why when it fails.
bool paperKitPdf(const PaperKit& kit, std::string* bytes, std::string* why);

// What a written kit holds, for the user.
struct KitSummary {
    int pieces = 0, pages = 0, faces = 0, cutEdges = 0, leftOut = 0;
    double rimMm = 0;
    std::string paper;
};

// The window's File > Export paper model... and korvith-tool's `net`: the
// current surface's paper kit, titled `name`, written to `path` as `extension`
// (".svg" or ".pdf"), replacing the old file only after a complete write.
// Refused when a position is not a finite number, when the extension is
// neither, and when makePaperKit fails. Reads what makePaperKit reads.
// Returns false with the reason in *why; fills *summary when done.
bool exportPaperKit(const std::string& path, const std::string& extension, const KitOptions& options,
                    const std::string& name, KitSummary* summary, std::string* why);

// "P pieces on N pages of A4, rim edge 30 mm" (and the faces left out, if any).
std::string kitSummaryText(const KitSummary& summary);
