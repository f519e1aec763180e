#include "export/paper_kit_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "io/c_locale.h"
#include "io/writer.h"
#include "model/triangle_mesh.h"

namespace {
constexpr double kPageGap = 10;  // mm between two pages side by side in the SVG
constexpr double kPointsPerMm = 72 / 25.4;
const double kMountainDash[] = {3, 1, 0.6, 1};
const double kValleyDash[] = {2, 1.2};

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

class SvgText {
public:
    SvgText() : previous_(uselocale(cLocale())) {}
    ~SvgText() { uselocale(previous_); }
    SvgText(const SvgText&) = delete;
    SvgText& operator=(const SvgText&) = delete;

    void add(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char buffer[512];
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        text_.append(buffer, n < 0 ? 0 : std::min<size_t>(n, sizeof buffer - 1));
    }
    void raw(const std::string& s) { text_ += s; }
    void points(const std::vector<Point2>& corners, double dx)
    {
        for (size_t k = 0; k < corners.size(); ++k)
            add("%s%.4f,%.4f", k ? " " : "", corners[k].x + dx, corners[k].y);
    }
    std::string take() { return std::move(text_); }

private:
    locale_t previous_;
    std::string text_;
};

void svgText(SvgText& out, const KitText& t, double dx, const char* cls)
{
    const double x = t.at.x + dx, y = t.at.y;
    out.add("<text class=\"%s\"", cls);
    if (t.edge >= 0 || std::string(cls) == "number")
        out.add(" data-edge=\"%d\"", t.edge);
    out.add(" x=\"%.4f\" y=\"%.4f\" font-size=\"%.3f\"", x, y, t.size);
    if (t.angle != 0)
        out.add(" transform=\"rotate(%.4f %.4f %.4f)\"", t.angle * 180 / M_PI, x, y);
    out.raw(">" + escaped(t.text) + "</text>\n");
}

void svgLines(SvgText& out, const std::vector<KitLine>& lines, LineKind kind, const char* cls, double dx)
{
    bool any = false;
    for (const KitLine& l : lines) {
        if (l.kind != kind)
            continue;
        if (!any)
            out.add("<path class=\"%s\" d=\"", cls);
        out.add("%sM%.4f %.4fL%.4f %.4f", any ? " " : "", l.a.x + dx, l.a.y, l.b.x + dx, l.b.y);
        any = true;
    }
    if (any)
        out.raw("\"/>\n");
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

void cairoPolygon(cairo_t* cr, const std::vector<Point2>& corners)
{
    for (size_t k = 0; k < corners.size(); ++k)
        (k ? cairo_line_to : cairo_move_to)(cr, corners[k].x, corners[k].y);
    cairo_close_path(cr);
}

void cairoLines(cairo_t* cr, const std::vector<KitLine>& lines, LineKind kind)
{
    bool any = false;
    for (const KitLine& l : lines)
        if (l.kind == kind) {
            cairo_move_to(cr, l.a.x, l.a.y);
            cairo_line_to(cr, l.b.x, l.b.y);
            any = true;
        }
    if (!any)
        return;
    if (kind == LineKind::Cut) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 0.25);
        cairo_set_dash(cr, nullptr, 0, 0);
    } else {
        cairo_set_source_rgb(cr, 0.33, 0.33, 0.33);
        cairo_set_line_width(cr, 0.2);
        if (kind == LineKind::Mountain)
            cairo_set_dash(cr, kMountainDash, 4, 0);
        else
            cairo_set_dash(cr, kValleyDash, 2, 0);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

void cairoText(cairo_t* cr, const KitText& t)
{
    cairo_save(cr);
    cairo_set_font_size(cr, t.size);
    cairo_translate(cr, t.at.x, t.at.y);
    cairo_rotate(cr, t.angle);
    double shift = 0;
    if (t.centred) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, t.text.c_str(), &extents);
        shift = -extents.x_advance / 2;
    }
    cairo_move_to(cr, shift, 0);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_show_text(cr, t.text.c_str());
    cairo_restore(cr);
}

void cairoTabs(cairo_t* cr, const std::vector<KitPolygon>& tabs)
{
    for (const KitPolygon& t : tabs)
        cairoPolygon(cr, t.corners);
    cairo_set_source_rgb(cr, 0.89, 0.89, 0.89);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 0.25);
    cairo_stroke(cr);
}
}  // namespace

bool isPaperKitFormat(const std::string& extension)
{
    return extension == ".svg" || extension == ".pdf";
}

std::string paperKitSvg(const PaperKit& kit)
{
    SvgText out;
    const int pages = static_cast<int>(kit.pages.size());
    const double total = pages * kit.width + (pages > 1 ? (pages - 1) * kPageGap : 0);
    out.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out.add("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.4fmm\" height=\"%.4fmm\" viewBox=\"0 0 %.4f %.4f\">\n",
            total, kit.height, total, kit.height);
    out.raw("<style>\n"
            ".sheet{fill:#ffffff;stroke:#b0b0b0;stroke-width:0.2}\n"
            ".face{fill:#fbf8ec;stroke:none}\n"
            ".tab,.legend-tab{fill:#e3e3e3;stroke:#000000;stroke-width:0.25}\n"
            ".cut{fill:none;stroke:#000000;stroke-width:0.25}\n"
            ".mountain{fill:none;stroke:#555555;stroke-width:0.2;stroke-dasharray:3 1 0.6 1}\n"
            ".valley{fill:none;stroke:#555555;stroke-width:0.2;stroke-dasharray:2 1.2}\n"
            "text{font-family:sans-serif;fill:#000000}\n"
            ".number{text-anchor:middle}\n"
            "</style>\n");
    for (int p = 0; p < pages; ++p) {
        const KitPage& page = kit.pages[p];
        const double dx = p * (kit.width + kPageGap);
        out.add("<g class=\"page\" data-page=\"%d\">\n", p + 1);
        out.add("<rect class=\"sheet\" x=\"%.4f\" y=\"0\" width=\"%.4f\" height=\"%.4f\"/>\n", dx, kit.width, kit.height);
        for (const KitPolygon& f : page.faces) {
            out.add("<polygon class=\"face\" data-face=\"%d\" points=\"", f.face);
            out.points(f.corners, dx);
            out.raw("\"/>\n");
        }
        for (const KitPolygon& t : page.tabs) {
            out.add("<polygon class=\"tab\" data-edge=\"%d\" data-number=\"%d\" points=\"", t.edge, t.number);
            out.points(t.corners, dx);
            out.raw("\"/>\n");
        }
        svgLines(out, page.lines, LineKind::Valley, "valley", dx);
        svgLines(out, page.lines, LineKind::Mountain, "mountain", dx);
        svgLines(out, page.lines, LineKind::Cut, "cut", dx);
        for (const KitText& t : page.numbers)
            svgText(out, t, dx, "number");
        for (const KitText& t : page.labels)
            svgText(out, t, dx, "label");
        for (const KitLine& l : page.legendLines)
            out.add("<path class=\"%s\" d=\"M%.4f %.4fL%.4f %.4f\"/>\n",
                    l.kind == LineKind::Mountain ? "mountain" : l.kind == LineKind::Valley ? "valley" : "cut",
                    l.a.x + dx, l.a.y, l.b.x + dx, l.b.y);
        for (const KitPolygon& t : page.legendTabs) {
            out.raw("<polygon class=\"legend-tab\" points=\"");
            out.points(t.corners, dx);
            out.raw("\"/>\n");
        }
        out.raw("</g>\n");
    }
    out.raw("</svg>\n");
    return out.take();
}

bool paperKitPdf(const PaperKit& kit, std::string* bytes, std::string* why)
{
    bytes->clear();
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendBytes, bytes, kit.width * kPointsPerMm,
                                                                   kit.height * kPointsPerMm);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const KitPage& page : kit.pages) {
        cairo_save(cr);
        cairo_scale(cr, kPointsPerMm, kPointsPerMm);
        for (const KitPolygon& f : page.faces)
            cairoPolygon(cr, f.corners);
        cairo_set_source_rgb(cr, 0.984, 0.973, 0.925);
        cairo_fill(cr);
        cairoTabs(cr, page.tabs);
        cairoLines(cr, page.lines, LineKind::Valley);
        cairoLines(cr, page.lines, LineKind::Mountain);
        cairoLines(cr, page.lines, LineKind::Cut);
        for (const KitText& t : page.numbers)
            cairoText(cr, t);
        for (const KitText& t : page.labels)
            cairoText(cr, t);
        for (const KitLine& l : page.legendLines)
            cairoLines(cr, {l}, l.kind);
        cairoTabs(cr, page.legendTabs);
        cairo_restore(cr);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        *why = cairo_status_to_string(status);
        return false;
    }
    return true;
}

bool exportPaperKit(const std::string& path, const std::string& extension, const KitOptions& options,
                    const std::string& name, KitSummary* summary, std::string* why)
{
    if (!isPaperKitFormat(extension)) {
        *why = "a paper model is written as .pdf or .svg";
        return false;
    }
    if (!meshIsFinite(currentMesh())) {
        *why = "the surface has positions that are not numbers (undo or relax it first)";
        return false;
    }
    PaperKit kit;
    if (!makePaperKit(options, name, &kit, why))
        return false;
    std::string bytes;
    if (extension == ".svg")
        bytes = paperKitSvg(kit);
    else if (!paperKitPdf(kit, &bytes, why))
        return false;
    wxString reason;
    if (!writeFileReplacing(wxString::FromUTF8(path), bytes, &reason)) {
        *why = std::string(reason.utf8_str());
        return false;
    }
    summary->pieces = static_cast<int>(kit.unfolding.pieces.size());
    summary->pages = static_cast<int>(kit.pages.size());
    summary->faces = 0;
    for (const std::vector<int>& piece : kit.unfolding.pieces)
        summary->faces += static_cast<int>(piece.size());
    summary->cutEdges = kit.unfolding.cutEdges;
    summary->leftOut = kit.unfolding.leftOut;
    summary->rimMm = options.rimMm;
    summary->paper = kit.paperName;
    return true;
}

std::string kitSummaryText(const KitSummary& s)
{
    char text[200];
    std::snprintf(text, sizeof text, "%d piece%s on %d page%s of %s, rim edge %g mm, %d cut edge%s", s.pieces,
                  s.pieces == 1 ? "" : "s", s.pages, s.pages == 1 ? "" : "s", s.paper.c_str(), s.rimMm, s.cutEdges,
                  s.cutEdges == 1 ? "" : "s");
    std::string out = text;
    if (s.leftOut > 0)
        out += "; " + std::to_string(s.leftOut) + " face" + (s.leftOut == 1 ? "" : "s") + " of no area left out";
    return out;
}
