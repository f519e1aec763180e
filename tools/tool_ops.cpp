#include "tools/tool_ops.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "construct/add_glued.h"
#include "construct/edit_commands.h"
#include "geometry/sway_commands.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/grow_ring.h"
#include "construct/subdivision.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "geometry/runaway_guard.h"
#include "geometry/rigid_motion.h"
#include "geometry/smoothing.h"
#include "io/file_names.h"
#include "io/open_commands.h"
#include "geometry/thicken.h"
#include "io/reader.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "model/vertex_fans.h"
#include "model/triangle_mesh.h"
#include "export/print_report.h"
#include "view/view_commands.h"

namespace {
constexpr int MAX_STABLE_BURSTS = 100000;

enum class Arg { None, Rings, Count, Vertex, TwoVertices, TwoNumbers, ThreeNumbers, CountOrStable, File, Level, Positive,
                 Size, Net, Paper };

struct OpForm {
    const char* name;
    Arg arg;
};

const OpForm kOps[] = {
    {"add-cell", Arg::Vertex},  {"paste", Arg::TwoVertices},   {"paste-all", Arg::None}, {"relax", Arg::CountOrStable},
    {"steps", Arg::Count},      {"smooth", Arg::Count},        {"spread", Arg::Count},   {"subdivide", Arg::Level},
    {"kago", Arg::None},        {"flip", Arg::None},           {"mirror", Arg::None},    {"copy", Arg::None},
    {"mirror-copy", Arg::None}, {"remove", Arg::Vertex},       {"pull", Arg::Vertex},    {"rotate", Arg::TwoNumbers},
    {"center", Arg::None},      {"move", Arg::ThreeNumbers},   {"append", Arg::File},    {"undo", Arg::None},
    {"redo", Arg::None},        {"zoom-in", Arg::None},        {"zoom-out", Arg::None},   {"open", Arg::File},
    {"modify-off", Arg::None},  {"smoothen", Arg::None},       {"sway", Arg::None},       {"default-size", Arg::None},
    {"thicken", Arg::Positive}, {"scale", Arg::Positive},      {"fit", Arg::None},        {"size", Arg::Size},
    {"net", Arg::Net},          {"paper", Arg::Paper},        {"grow", Arg::Rings},     {"add-glued", Arg::Vertex},
};

// What may still be done to a thickened solid: moves that keep it closed and
// facing outwards, and the picture's scale.
bool keepsASolid(const std::string& name)
{
    for (const char* n : {"scale", "rotate", "center", "move", "mirror", "zoom-in", "zoom-out", "fit", "size", "net",
                          "paper"})
        if (name == n)
            return true;
    return false;
}

bool parseNumber(const std::string& s, double* out)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    *out = std::strtod(s.c_str(), &end);
    return *end == '\0' && std::isfinite(*out);
}

// A whole number written in decimal digits, with an optional minus sign; any
// number of digits (a long one is far beyond every count and vertex, and is
// refused as such by the caller).
bool parseWhole(const std::string& s, double* out)
{
    const std::string digits = !s.empty() && s[0] == '-' ? s.substr(1) : s;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *out = digits.size() > 18 ? (s[0] == '-' ? -1e18 : 1e18) : std::strtod(s.c_str(), nullptr);
    return true;
}

// Largest count an op takes (relax=N, steps=N, smooth=N, spread=N).
constexpr double MAX_COUNT = 1e9;

void progressLine(bool progress, const std::string& op, long done, long total)
{
    if (!progress)
        return;
    if (total > 0)
        std::fprintf(stderr, "\r%s: %ld of %ld", op.c_str(), done, total);
    else
        std::fprintf(stderr, "\r%s: %ld bursts", op.c_str(), done);
    std::fflush(stderr);
}

void endProgress(bool progress)
{
    if (progress)
        std::fprintf(stderr, "\n");
}

// The vertex `text` names, as a number in a message (text as written when it is long).
std::string vertexName(double value)
{
    return std::fabs(value) < 1e15 ? std::to_string(static_cast<long long>(value)) : std::string("that far");
}

bool liveVertex(double value, std::string* error)
{
    if (value >= 0 && value < NOV)
        return true;
    *error = "vertex " + vertexName(value) + " does not exist (the surface has " + std::to_string(NOV) +
             " vertices, numbered from 0)";
    return false;
}

// relax=solve: the precise relaxation to the tolerance. Lengths that cannot all
// be met, here or without passing the surface through itself, are a result:
// told on stderr, not a failure.
bool solvePrecisely(const ToolOp& op, std::string* error)
{
    constexpr int MAX_PRECISE_ITERATIONS = 2000;
    double reached = 0;
    int iterations = 0;
    const PreciseState state = relaxPrecisely(op.numbers[0], MAX_PRECISE_ITERATIONS, &reached, &iterations);
    switch (state) {
    case PreciseState::Reached:
        return true;
    case PreciseState::Minimum:
    case PreciseState::Blocked:
        std::fprintf(stderr, "korvith-tool: %s: the target lengths cannot %s; stopped with largest relative edge error %.3g\n",
                     op.text.c_str(),
                     state == PreciseState::Minimum ? "all be met (least-squares minimum)"
                                                    : "be met without the surface passing through itself",
                     reached);
        return true;
    case PreciseState::Unusable:
        *error = "the surface has positions or target lengths that are not numbers";
        return false;
    case PreciseState::Running:
    case PreciseState::Working:
        break;
    }
    char text[160];
    std::snprintf(text, sizeof text, "no convergence within %d iterations (largest relative edge error %.3g)",
                  iterations, reached);
    *error = text;
    return false;
}

}  // namespace

const char* toolUsage()
{
    return "usage: korvith-tool info FILE\n"
           "       korvith-tool apply IN OUT [--format=EXT] [OP ...]\n"
           "       korvith-tool apply IN OUT [--format=EXT] @OPSFILE\n"
           "       korvith-tool --help | --version\n"
           "\n"
           "info prints a JSON description of a surface file; of an .stl file, what a\n"
           "slicer will find: volume, bounding box (mm), shells, closed, outward.\n"
           "apply reads IN as Open does, runs the operations left to right and writes OUT;\n"
           "OUT's extension picks the format: .kor .h (the program's own), .obj .ply .stl\n"
           ".off .glb .3mf (meshes), .svg .png .pdf (the picture of the window).\n"
           "\n"
           "operations that do exactly what a window command does (with its relaxation):\n"
           "  open=FILE      File > Open...                  append=FILE  File > Open and append...\n"
           "  add-cell=V     Edit > Add new cells at V       paste=A,B    dragging B onto A (a mouse paste)\n"
           "  paste-all      Edit > Paste all possible edges copy         Edit > Add copy image\n"
           "  add-glued=V    Shift + double click at V: a cell added and glued as the tiling\n"
           "                 continues there (seams it closes zipped), one undo step\n"
           "  mirror-copy    Edit > Add mirror image         remove=V     Edit > Remove some cells at V\n"
           "  pull=V         Edit > Pull one point at V      subdivide=N  Edit > Subdivide > N (2..6)\n"
           "  kago           Edit > Kago like                flip         Edit > Flip face\n"
           "  mirror         Edit > Mirror image             undo, redo   Edit > Undo, Redo\n"
           "  grow, grow=N   Edit > Grow one ring, N times (each ring relaxed precisely, as the\n"
           "                 window's timer does, before the next)\n"
           "  zoom-in        Edit > Zoom In                  zoom-out     Edit > Zoom Out\n"
           "  default-size   Edit > Default size             smoothen     Sway > Smoothen\n"
           "  sway           Sway > Sway (its three ticks)   modify-off   Sway > Modify off (a toggle)\n"
           "primitives of no menu command:\n"
           "  relax          one relaxation burst            relax=N      N bursts\n"
           "  relax=stable   bursts until settled            steps=N      N single relaxation steps\n"
           "  relax=solve    every edge to its target length (largest relative error 1e-9)\n"
           "  relax=solve:TOL  the same to the tolerance TOL, e.g. relax=solve:1e-6\n"
           "  smooth=N       N smoothing passes              spread=N     N spreading passes\n"
           "  rotate=A,B     turn by A, B radians            center       centroid to the origin\n"
           "  move=X,Y,Z     shift by X, Y, Z\n"
           "  thicken=T      a closed solid of thickness T around the surface, for printing\n"
           "                 (written only as a mesh or picture; only scale, rotate, center,\n"
           "                 move, mirror and zoom may follow); tells its smallest wall on\n"
           "                 standard error, and refuses a solid that passes through itself,\n"
           "                 naming the largest clean thickness, unless --allow-crossing\n"
           "  scale=S        multiply every position by S (STL and 3MF are read as mm, glTF\n"
           "                 as metres: a .glb holds the positions divided by 1000)\n"
           "pictures (.png .svg .pdf):\n"
           "  fit            scale and centre the surface to fill the picture\n"
           "  size=WxH       a picture of W x H pixels instead of 640 x 480\n"
           "paper models (.pdf: one page per sheet; .svg: the sheets side by side):\n"
           "  net            a paper kit instead of the picture: the surface cut into pieces\n"
           "                 that lie flat, with numbered cut edges and glue tabs\n"
           "  net=MM         the same with rim edges MM millimetres long (30 unless given)\n"
           "  paper=a4|letter  the kit's paper (A4 unless given; goes with net)\n"
           "While modify-off is on, the commands' relaxation bursts (and relax) do nothing.\n"
           "\n"
           "An ops file holds one operation per line; '#' starts a comment.\n"
           "A FILE or IN of - reads standard input; an OUT of - writes standard output\n"
           "in the format --format=EXT names (e.g. --format=obj), which also overrides\n"
           "the extension of a named OUT.\n"
           "--digits=N (1 to 17, anywhere after apply) writes .kor coordinates and target\n"
           "lengths with N significant digits instead of 6.\n"
           "--allow-crossing writes a thickened solid even where it passes through itself.\n"
           "--report prints, after writing, the volume, bounding box (mm), smallest wall,\n"
           "shells, and whether the mesh is closed and faces outwards (on standard error\n"
           "when OUT is -).\n"
           "An STL or 3MF of an open surface, or whose largest side is under 5 mm or over\n"
           "500 mm, is written with a warning on standard error (\"use scale=S\").\n"
           "Exit status: 0 done, 1 a file could not be read or written or an operation\n"
           "failed, 2 a usage error.\n";
}

bool parseToolOp(const std::string& text, ToolOp* op, std::string* error)
{
    op->text = text;
    const std::string::size_type eq = text.find('=');
    op->name = text.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    const OpForm* form = nullptr;
    for (const OpForm& s : kOps)
        if (op->name == s.name)
            form = &s;
    if (!form) {
        *error = "unknown operation \"" + op->name + "\"";
        return false;
    }
    const bool hasArg = eq != std::string::npos;
    double a = 0, b = 0;
    switch (form->arg) {
    case Arg::None:
        if (hasArg) {
            *error = op->name + " takes no argument";
            return false;
        }
        return true;
    case Arg::Rings:
        if (!hasArg) {
            op->numbers = {1};
            return true;
        }
        if (!parseWhole(arg, &a) || a < 1) {
            *error = "grow needs a number of rings of at least 1, as in grow=3";
            return false;
        }
        op->numbers = {a};
        return true;
    case Arg::CountOrStable:
        if (!hasArg) {
            op->numbers = {1};
            return true;
        }
        if (arg == "stable") {
            op->word = arg;
            return true;
        }
        if (arg == "solve" || arg.rfind("solve:", 0) == 0) {
            op->word = "solve";
            a = PRECISE_TOLERANCE;
            if (arg != "solve" && (!parseNumber(arg.substr(6), &a) || !(a > 0))) {
                *error = "relax=solve:TOL needs a positive tolerance, as in relax=solve:1e-6";
                return false;
            }
            op->numbers = {a};
            return true;
        }
        [[fallthrough]];
    case Arg::Count:
    case Arg::Vertex:
        if (!parseWhole(arg, &a)) {
            *error = op->name + " needs a whole number, as in " + op->name + "=3";
            return false;
        }
        if (form->arg != Arg::Vertex && (a < 0 || a > MAX_COUNT)) {
            *error = op->name + " needs a count from 0 to 1000000000";
            return false;
        }
        op->numbers = {a};
        return true;
    case Arg::Level:
        if (!parseWhole(arg, &a) || a < 2 || a > 6) {
            *error = "subdivide needs a level from 2 to 6";
            return false;
        }
        op->numbers = {a};
        return true;
    case Arg::TwoVertices:
    case Arg::TwoNumbers: {
        const std::string::size_type comma = arg.find(',');
        const std::string first = arg.substr(0, comma);
        const std::string second = comma == std::string::npos ? std::string() : arg.substr(comma + 1);
        const bool ok = form->arg == Arg::TwoVertices ? parseWhole(first, &a) && parseWhole(second, &b)
                                                      : parseNumber(first, &a) && parseNumber(second, &b);
        if (!hasArg || !ok) {
            *error = op->name + (form->arg == Arg::TwoVertices ? " needs two vertices, as in paste=3,9"
                                                               : " needs two angles in radians, as in rotate=0.1,0");
            return false;
        }
        op->numbers = {a, b};
        return true;
    }
    case Arg::ThreeNumbers: {
        std::vector<double> xyz;
        std::string::size_type from = 0;
        for (int k = 0; k < 3 && hasArg; ++k) {
            const std::string::size_type comma = k < 2 ? arg.find(',', from) : std::string::npos;
            if (k < 2 && comma == std::string::npos)
                break;
            double x = 0;
            if (!parseNumber(arg.substr(from, comma == std::string::npos ? std::string::npos : comma - from), &x))
                break;
            xyz.push_back(x);
            from = comma + 1;
        }
        if (xyz.size() != 3) {
            *error = op->name + " needs three distances, as in move=1,0,-0.5";
            return false;
        }
        op->numbers = xyz;
        return true;
    }
    case Arg::Positive:
        if (!parseNumber(arg, &a) || !(a > 0)) {
            *error = op->name + " needs a positive number, as in " + op->name + (op->name == "scale" ? "=10" : "=0.1");
            return false;
        }
        op->numbers = {a};
        return true;
    case Arg::Size: {
        const std::string::size_type x = arg.find('x');
        const bool ok = x != std::string::npos && parseWhole(arg.substr(0, x), &a) && parseWhole(arg.substr(x + 1), &b);
        if (!ok || a < 16 || b < 16 || a > 16384 || b > 16384) {
            *error = "size needs a width and a height of 16 to 16384 pixels, as in size=1600x1200";
            return false;
        }
        op->numbers = {a, b};
        return true;
    }
    case Arg::Net:
        a = 30;
        if (hasArg && (!parseNumber(arg, &a) || !(a > 0) || a > 1000)) {
            *error = "net needs a rim edge length in millimetres from above 0 to 1000, as in net=30";
            return false;
        }
        op->numbers = {a};
        return true;
    case Arg::Paper:
        if (arg != "a4" && arg != "A4" && arg != "letter" && arg != "Letter") {
            *error = "paper needs a4 or letter, as in paper=letter";
            return false;
        }
        op->word = arg == "A4" || arg == "a4" ? "a4" : "letter";
        return true;
    case Arg::File:
        if (arg.empty()) {
            *error = op->name + " needs a file, as in " + op->name + "=part.kor";
            return false;
        }
        op->word = arg;
        return true;
    }
    return false;
}

std::string standardInput()
{
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, n);
    return bytes;
}

bool readOpsFile(const std::string& path, std::vector<std::string>* ops, std::string* error)
{
    std::ifstream in(path);
    if (!in) {
        *error = "cannot read the operations file";
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        const std::string::size_type hash = line.find('#');
        if (hash != std::string::npos)
            line.erase(hash);
        const std::string::size_type first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        const std::string::size_type last = line.find_last_not_of(" \t\r");
        ops->push_back(line.substr(first, last - first + 1));
    }
    return true;
}

namespace {
// Runs the window command `run` at vertex `p` as if it were picked.
template <typename Command>
bool atPickedVertex(int p, Command run)
{
    g_purtj = p;
    const bool done = run();
    g_purtj = -1;
    return done;
}
}  // namespace

namespace {
bool runUncheckedOp(const ToolOp& op, bool progress, std::string* error)
{
    const std::string& n = op.name;
    // Only counts and vertices are whole numbers; a distance may be any size.
    const double first = op.numbers.empty() ? 0 : op.numbers[0];
    const long count = std::fabs(first) < 1e15 ? static_cast<long>(first) : 0;
    if (g_solid && !keepsASolid(n)) {
        *error = "the surface has been thickened into a solid; only scale, rotate, center, move, mirror and zoom may "
                 "follow";
        return false;
    }
    if (n == "add-cell") {
        if (!liveVertex(op.numbers[0], error))
            return false;
        if (subdiv_level != 1) {
            *error = "cells are added only to a surface that is not subdivided";
            return false;
        }
        if (!atPickedVertex(static_cast<int>(count), addCellCommand)) {
            *error = "no cell can be added at vertex " + std::to_string(count) +
                     " (it must lie in 2 or 4 faces forming one fan, its open sides must not be vanishingly short, and "
                     "the store must have room)";
            return false;
        }
    } else if (n == "add-glued") {
        if (!liveVertex(op.numbers[0], error))
            return false;
        g_purtj = static_cast<int>(count);
        const AddGluedReport report = addGluedCommand();
        g_purtj = -1;
        if (!report.added) {
            *error = report.refusal;
            return false;
        }
    } else if (n == "paste") {
        if (!liveVertex(op.numbers[0], error) || !liveVertex(op.numbers[1], error))
            return false;
        const int a = static_cast<int>(op.numbers[0]), b = static_cast<int>(op.numbers[1]);
        if (!pasteCommand(a, b)) {
            *error = "vertices " + std::to_string(a) + " and " + std::to_string(b) + " may not be glued: " +
                     pasteRefusal(a, b);
            return false;
        }
        const std::string pinch = pinchWarning(a < b ? a : b);
        if (!pinch.empty())
            std::fprintf(stderr, "korvith-tool: %s: warning: %s\n", op.text.c_str(), pinch.c_str());
    } else if (n == "grow") {
        for (long ring = 1; ring <= count; ++ring) {
            const GrowReport report = growRingCommand();
            if (report.cellsAdded == 0) {
                *error = "ring " + std::to_string(ring) + ": " + growRingMessage(report);
                return false;
            }
            if (report.skipped > 0)
                std::fprintf(stderr, "korvith-tool: %s: ring %ld: %d boundary vertices skipped\n", op.text.c_str(), ring,
                             report.skipped);
            double reached = 0;
            relaxPrecisely(PRECISE_TOLERANCE, 2000, &reached);
            progressLine(progress, op.text, ring, count);
        }
        endProgress(progress && count > 0);
    } else if (n == "paste-all") {
        pasteAllCommand();
    } else if (n == "relax" && op.word == "solve") {
        return solvePrecisely(op, error);
    } else if (n == "relax") {
        if (op.word == "stable") {
            for (long burst = 1;; ++burst) {
                if (modify())
                    break;
                if (burst % 100 == 0)
                    progressLine(progress, op.text, burst, 0);
                if (burst >= MAX_STABLE_BURSTS) {
                    endProgress(progress && burst >= 100);
                    *error = "the surface did not settle within " + std::to_string(MAX_STABLE_BURSTS) + " bursts";
                    return false;
                }
            }
        } else {
            for (long k = 0; k < count; ++k)
                modify();
        }
    } else if (n == "steps") {
        for (long k = 0; k < count; ++k)
            modifyonce();
    } else if (n == "smooth") {
        for (long k = 0; k < count; ++k)
            smoothen();
    } else if (n == "spread") {
        for (long k = 0; k < count; ++k) {
            spread();
            progressLine(progress, op.text, k + 1, count);
        }
        endProgress(progress && count > 0);
    } else if (n == "subdivide") {
        if (subdiv_level != 1) {
            *error = "the surface is already subdivided (level " + std::to_string(subdiv_level) + ")";
            return false;
        }
        if (!subdivideCommand(static_cast<int>(count))) {
            *error = "the subdivided surface would not fit (or a face side has no edge)";
            return false;
        }
    } else if (n == "kago") {
        if (subdiv_level <= 1) {
            *error = "kago needs a subdivided surface";
            return false;
        }
        kagoCommand();
    } else if (n == "flip") {
        flipFace();
    } else if (n == "mirror") {
        mirrorpoly();
    } else if (n == "copy" || n == "mirror-copy") {
        if (!addCopyCommand(n == "mirror-copy")) {
            *error = "the copy would not fit (at most 15000 vertices, 15000 edges and 6666 faces can be copied)";
            return false;
        }
    } else if (n == "remove") {
        if (!liveVertex(op.numbers[0], error))
            return false;
        atPickedVertex(static_cast<int>(count), removeCommand);
    } else if (n == "pull") {
        if (!liveVertex(op.numbers[0], error))
            return false;
        atPickedVertex(static_cast<int>(count), pullpoint);
    } else if (n == "rotate") {
        rotatepoly(op.numbers[0], op.numbers[1]);
    } else if (n == "center") {
        offsetpolygon();
    } else if (n == "move") {
        movepoly(op.numbers[0], op.numbers[1], op.numbers[2]);
    } else if (n == "append" || n == "open") {
        const bool read = op.word == "-" ? openSurfaceBytes("standard input", standardInput(), n == "append")
                                         : openSurfaceFile(pathFromBytes(op.word), n == "append");
        if (!read) {
            *error = "cannot read " + (op.word == "-" ? std::string("standard input") : quotedName(op.word));
            return false;
        }
    } else if (n == "modify-off") {
        modifyOffCommand();
    } else if (n == "smoothen") {
        smoothenCommand();
    } else if (n == "sway") {
        swayCommand();
        while (g_buru > 0)
            swayTick();
    } else if (n == "default-size") {
        defaultSize();
    } else if (n == "fit") {
        g_picture_fit = true;
    } else if (n == "size") {
        g_picture_width = static_cast<int>(op.numbers[0]);
        g_picture_height = static_cast<int>(op.numbers[1]);
    } else if (n == "net") {
        g_net_rim_mm = op.numbers[0];
    } else if (n == "paper") {
        g_net_paper = op.word == "letter" ? 1 : 0;
    } else if (n == "thicken") {
        ThickenReport report;
        if (!thicken(op.numbers[0], op.word == "allow-crossing", &report, error)) {
            if (report.crossingPairs > 0)
                *error += " (--allow-crossing writes it anyway)";
            return false;
        }
        std::fprintf(stderr, "korvith-tool: %s: %s\n", op.text.c_str(),
                     wallSummary(report, op.numbers[0], 1, "").c_str());
    } else if (n == "scale") {
        if (!scaleKeepsShape(currentMesh(), op.numbers[0], error))
            return false;
        scalepoly(op.numbers[0]);
    } else if (n == "zoom-in") {
        zoomIn();
    } else if (n == "zoom-out") {
        zoomOut();
    } else if (n == "undo") {
        undo();
    } else if (n == "redo") {
        redo();
    }
    return true;
}
}  // namespace

bool runToolOp(const ToolOp& op, bool progress, std::string* error)
{
    // A surface read from a file or the history was checked when it came in;
    // every other op is checked for running away and, when it does, put back.
    const std::string& n = op.name;
    if (n == "open" || n == "append" || n == "undo" || n == "redo")
        return runUncheckedOp(op, progress, error);
    bool done = true;
    const std::string fault = guardedStep([&] { done = runUncheckedOp(op, progress, error); });
    if (!done)
        return false;
    if (!fault.empty()) {
        *error = "not applied: " + fault;
        return false;
    }
    return true;
}
