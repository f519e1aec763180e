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
#include "geometry/gap_relaxation.h"
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

// The argument parsers of the table: each reads the text after '=' (`arg`,
// present when `hasArg`) into op->numbers or op->word, or says what is wrong.
using Parser = bool (*)(const std::string& arg, bool hasArg, ToolOp* op, std::string* error);

bool parseNone(const std::string&, bool hasArg, ToolOp* op, std::string* error)
{
    if (hasArg)
        *error = op->name + " takes no argument";
    return !hasArg;
}

bool parseWholeInRange(const std::string& arg, bool vertex, ToolOp* op, std::string* error)
{
    double a = 0;
    if (!parseWhole(arg, &a)) {
        *error = op->name + " needs a whole number, as in " + op->name + "=3";
        return false;
    }
    if (!vertex && (a < 0 || a > MAX_COUNT)) {
        *error = op->name + " needs a count from 0 to 1000000000";
        return false;
    }
    op->numbers = {a};
    return true;
}

bool parseCount(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    return parseWholeInRange(arg, false, op, error);
}

bool parseVertex(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    return parseWholeInRange(arg, true, op, error);
}

bool parseRings(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
    double a = 1;
    if (hasArg && (!parseWhole(arg, &a) || a < 1)) {
        *error = "grow needs a number of rings of at least 1, as in grow=3";
        return false;
    }
    op->numbers = {a};
    return true;
}

bool parseRelax(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
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
        double a = PRECISE_TOLERANCE;
        if (arg != "solve" && (!parseNumber(arg.substr(6), &a) || !(a > 0))) {
            *error = "relax=solve:TOL needs a positive tolerance, as in relax=solve:1e-6";
            return false;
        }
        op->numbers = {a};
        return true;
    }
    return parseCount(arg, hasArg, op, error);
}

bool parseLevel(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    double a = 0;
    if (!parseWhole(arg, &a) || a < 2 || a > 6) {
        *error = "subdivide needs a level from 2 to 6";
        return false;
    }
    op->numbers = {a};
    return true;
}

// Two numbers "A,B": whole ones (vertices) or any finite ones (angles).
bool parsePair(const std::string& arg, bool hasArg, bool whole, ToolOp* op, std::string* error)
{
    const std::string::size_type comma = arg.find(',');
    const std::string first = arg.substr(0, comma);
    const std::string second = comma == std::string::npos ? std::string() : arg.substr(comma + 1);
    double a = 0, b = 0;
    const bool ok = whole ? parseWhole(first, &a) && parseWhole(second, &b)
                          : parseNumber(first, &a) && parseNumber(second, &b);
    if (!hasArg || !ok) {
        *error = op->name + (whole ? " needs two vertices, as in paste=3,9" : " needs two angles in radians, as in rotate=0.1,0");
        return false;
    }
    op->numbers = {a, b};
    return true;
}

bool parseTwoVertices(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
    return parsePair(arg, hasArg, true, op, error);
}

bool parseTwoAngles(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
    return parsePair(arg, hasArg, false, op, error);
}

bool parseThreeNumbers(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
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

bool parsePositive(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    double a = 0;
    if (!parseNumber(arg, &a) || !(a > 0)) {
        *error = op->name + " needs a positive number, as in " + op->name + (op->name == "scale" ? "=10" : "=0.1");
        return false;
    }
    op->numbers = {a};
    return true;
}

bool parseSize(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    double a = 0, b = 0;
    const std::string::size_type x = arg.find('x');
    const bool ok = x != std::string::npos && parseWhole(arg.substr(0, x), &a) && parseWhole(arg.substr(x + 1), &b);
    if (!ok || a < 16 || b < 16 || a > 16384 || b > 16384) {
        *error = "size needs a width and a height of 16 to 16384 pixels, as in size=1600x1200";
        return false;
    }
    op->numbers = {a, b};
    return true;
}

bool parseNet(const std::string& arg, bool hasArg, ToolOp* op, std::string* error)
{
    double a = 30;
    if (hasArg && (!parseNumber(arg, &a) || !(a > 0) || a > 1000)) {
        *error = "net needs a rim edge length in millimetres from above 0 to 1000, as in net=30";
        return false;
    }
    op->numbers = {a};
    return true;
}

bool parsePaper(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    if (arg != "a4" && arg != "A4" && arg != "letter" && arg != "Letter") {
        *error = "paper needs a4 or letter, as in paper=letter";
        return false;
    }
    op->word = arg == "A4" || arg == "a4" ? "a4" : "letter";
    return true;
}

bool parseFile(const std::string& arg, bool, ToolOp* op, std::string* error)
{
    if (arg.empty()) {
        *error = op->name + " needs a file, as in " + op->name + "=part.kor";
        return false;
    }
    op->word = arg;
    return true;
}

// The count of a count op, the vertex of a vertex op (whole numbers only; a
// distance may be any size and is never cast).
long wholeArgument(const ToolOp& op)
{
    const double first = op.numbers.empty() ? 0 : op.numbers[0];
    return std::fabs(first) < 1e15 ? static_cast<long>(first) : 0;
}

// Runs the window command `run` at the vertex op names as if it were picked;
// the vertex must exist.
template <typename Command>
std::string atPickedVertex(const ToolOp& op, Command run)
{
    std::string refusal;
    if (!liveVertex(op.numbers[0], &refusal))
        return refusal;
    g_purtj = static_cast<int>(wholeArgument(op));
    refusal = run();
    g_purtj = -1;
    return refusal;
}

// relax=solve: the precise relaxation to the tolerance. Lengths that cannot all
// be met, here or without passing the surface through itself, are a result:
// told on stderr, not a failure.
std::string solvePrecisely(const ToolOp& op)
{
    constexpr int MAX_PRECISE_ITERATIONS = 2000;
    double reached = 0;
    int iterations = 0;
    const PreciseState state = relaxPrecisely(op.numbers[0], MAX_PRECISE_ITERATIONS, &reached, &iterations);
    switch (state) {
    case PreciseState::Reached:
        return std::string();
    case PreciseState::Minimum:
    case PreciseState::Blocked:
        std::fprintf(stderr, "korvith-tool: %s: the target lengths cannot %s; stopped with largest relative edge error %.3g\n",
                     op.text.c_str(),
                     state == PreciseState::Minimum ? "all be met (least-squares minimum)"
                                                    : "be met without the surface passing through itself",
                     reached);
        return std::string();
    case PreciseState::Unusable:
        return "the surface has positions or target lengths that are not numbers";
    case PreciseState::Running:
    case PreciseState::Working:
        break;
    }
    char text[160];
    std::snprintf(text, sizeof text, "no convergence within %d iterations (largest relative edge error %.3g)",
                  iterations, reached);
    return text;
}

std::string runRelax(const ToolOp& op, bool progress)
{
    if (op.word == "solve")
        return solvePrecisely(op);
    if (op.word != "stable") {
        for (long k = 0, count = wholeArgument(op); k < count; ++k)
            modify();
        return std::string();
    }
    for (long burst = 1;; ++burst) {
        if (modify())
            return std::string();
        if (burst % 100 == 0)
            progressLine(progress, op.text, burst, 0);
        if (burst >= MAX_STABLE_BURSTS) {
            endProgress(progress && burst >= 100);
            return "the surface did not settle within " + std::to_string(MAX_STABLE_BURSTS) + " bursts";
        }
    }
}

std::string runPaste(const ToolOp& op, bool)
{
    std::string refusal;
    if (!liveVertex(op.numbers[0], &refusal) || !liveVertex(op.numbers[1], &refusal))
        return refusal;
    const int a = static_cast<int>(op.numbers[0]), b = static_cast<int>(op.numbers[1]);
    refusal = pasteCommand(a, b);
    if (!refusal.empty())
        return "vertices " + std::to_string(a) + " and " + std::to_string(b) + " may not be glued: " + refusal;
    const std::string pinch = pinchWarning(a < b ? a : b);
    if (!pinch.empty())
        std::fprintf(stderr, "korvith-tool: %s: warning: %s\n", op.text.c_str(), pinch.c_str());
    return std::string();
}

std::string runGrow(const ToolOp& op, bool progress)
{
    const long count = wholeArgument(op);
    for (long ring = 1; ring <= count; ++ring) {
        const GrowReport report = growRingCommand();
        if (report.cellsAdded == 0)
            return "ring " + std::to_string(ring) + ": " + growRingMessage(report);
        if (report.skipped > 0)
            std::fprintf(stderr, "korvith-tool: %s: ring %ld: %d boundary vertices skipped\n", op.text.c_str(), ring,
                         report.skipped);
        // as the window's timer does after the menu item: open the ring, then relax precisely
        openRing();
        double reached = 0;
        relaxPrecisely(PRECISE_TOLERANCE, 2000, &reached);
        progressLine(progress, op.text, ring, count);
    }
    endProgress(progress && count > 0);
    return std::string();
}

std::string runSpread(const ToolOp& op, bool progress)
{
    const long count = wholeArgument(op);
    for (long k = 0; k < count; ++k) {
        spread();
        progressLine(progress, op.text, k + 1, count);
    }
    endProgress(progress && count > 0);
    return std::string();
}

std::string runOpen(const ToolOp& op, bool)
{
    const bool append = op.name == "append";
    const bool read = op.word == "-" ? openSurfaceBytes("standard input", standardInput(), append)
                                     : openSurfaceFile(pathFromBytes(op.word), append);
    if (!read)
        return "cannot read " + (op.word == "-" ? std::string("standard input") : quotedName(op.word));
    return std::string();
}

std::string runThicken(const ToolOp& op, bool)
{
    ThickenReport report;
    std::string error;
    if (!thicken(op.numbers[0], op.word == "allow-crossing", &report, &error)) {
        if (report.crossingPairs > 0)
            error += " (--allow-crossing writes it anyway)";
        return error.empty() ? std::string("the solid could not be made") : error;
    }
    std::fprintf(stderr, "korvith-tool: %s: %s\n", op.text.c_str(), wallSummary(report, op.numbers[0], 1, "").c_str());
    return std::string();
}

std::string runScale(const ToolOp& op, bool)
{
    std::string error;
    if (!scaleKeepsShape(currentMesh(), op.numbers[0], &error))
        return error;
    scalepoly(op.numbers[0]);
    return std::string();
}

// A core call of no result, as an op that is always done.
template <void (*call)()>
std::string done(const ToolOp&, bool)
{
    call();
    return std::string();
}

// The same for calls whose bool result the window does not read either.
template <bool (*call)()>
std::string doneAnyway(const ToolOp&, bool)
{
    call();
    return std::string();
}

void pasteAllIgnoringCount()
{
    pasteAllCommand();
}

void swayWithItsTicks()
{
    swayCommand();
    while (g_buru > 0)
        swayTick();
}

constexpr const char* COMMANDS = "operations that do exactly what a window command does (with its relaxation):";
constexpr const char* PRIMITIVES = "primitives of no menu command:";
constexpr const char* PICTURES = "pictures (.png .svg .pdf):";
constexpr const char* PAPER = "paper models (.pdf: one page per sheet; .svg: the sheets side by side):";


const std::vector<ToolOpEntry> kTable = {
    {"open", "open=FILE", "File > Open...", COMMANDS, parseFile, runOpen, OP_CHECKED_INPUT},
    {"append", "append=FILE", "File > Open and append...", COMMANDS, parseFile, runOpen, OP_CHECKED_INPUT},
    {"add-cell", "add-cell=V", "Edit > Add new cells at V (or a double click at V)", COMMANDS, parseVertex,
     [](const ToolOp& op, bool) { return atPickedVertex(op, addCellCommand); }, 0},
    {"add-glued", "add-glued=V",
     "Shift + double click at V: a cell added and glued as the tiling\n"
     "continues there (seams it closes zipped), one undo step",
     COMMANDS, parseVertex,
     [](const ToolOp& op, bool) { return atPickedVertex(op, [] { return addGluedCommand().refusal; }); }, 0},
    {"paste", "paste=A,B", "dragging B onto A (a mouse paste)", COMMANDS, parseTwoVertices, runPaste, 0},
    {"paste-all", "paste-all", "Edit > Paste all possible edges", COMMANDS, parseNone, done<pasteAllIgnoringCount>, 0},
    {"copy", "copy", "Edit > Add copy image", COMMANDS, parseNone,
     [](const ToolOp&, bool) { return addCopyCommand(false); }, 0},
    {"mirror-copy", "mirror-copy", "Edit > Add mirror image", COMMANDS, parseNone,
     [](const ToolOp&, bool) { return addCopyCommand(true); }, 0},
    {"remove", "remove=V", "Edit > Remove some cells at V", COMMANDS, parseVertex,
     [](const ToolOp& op, bool) { return atPickedVertex(op, removeCommand); }, 0},
    {"pull", "pull=V", "Edit > Pull one point at V", COMMANDS, parseVertex,
     [](const ToolOp& op, bool) {
         return atPickedVertex(op, [] {
             pullpoint();
             return std::string();
         });
     },
     0},
    {"subdivide", "subdivide=N", "Edit > Subdivide > N (2..6)", COMMANDS, parseLevel,
     [](const ToolOp& op, bool) { return subdivideCommand(static_cast<int>(wholeArgument(op))); }, 0},
    {"kago", "kago", "Edit > Kago like", COMMANDS, parseNone, [](const ToolOp&, bool) { return kagoCommand(); }, 0},
    {"flip", "flip", "Edit > Flip face", COMMANDS, parseNone, done<flipFace>, 0},
    {"mirror", "mirror", "Edit > Mirror image", COMMANDS, parseNone, done<mirrorpoly>, OP_KEEPS_SOLID},
    {"undo", "undo", "Edit > Undo", COMMANDS, parseNone, done<undo>, OP_CHECKED_INPUT},
    {"redo", "redo", "Edit > Redo", COMMANDS, parseNone, done<redo>, OP_CHECKED_INPUT},
    {"grow", "grow\ngrow=N",
     "Edit > Grow one ring\nN times (each ring opened out keeping a gap and relaxed\nprecisely, as the window's timer does, before the next)",
     COMMANDS, parseRings, runGrow, 0},
    {"zoom-in", "zoom-in", "Edit > Zoom In", COMMANDS, parseNone, done<zoomIn>, OP_KEEPS_SOLID},
    {"zoom-out", "zoom-out", "Edit > Zoom Out", COMMANDS, parseNone, done<zoomOut>, OP_KEEPS_SOLID},
    {"default-size", "default-size", "Edit > Default size", COMMANDS, parseNone, done<defaultSize>, 0},
    {"smoothen", "smoothen", "Sway > Smoothen", COMMANDS, parseNone, doneAnyway<smoothenCommand>, 0},
    {"sway", "sway", "Sway > Sway (its three ticks)", COMMANDS, parseNone, done<swayWithItsTicks>, 0},
    {"modify-off", "modify-off", "Sway > Modify off (a toggle)", COMMANDS, parseNone, doneAnyway<modifyOffCommand>,
     0},
    {"relax", "relax\nrelax=N\nrelax=stable\nrelax=solve\nrelax=solve:TOL",
     "one relaxation burst\nN bursts\nbursts until settled\nevery edge to its target length (largest relative "
     "error 1e-9)\nthe same to the tolerance TOL, e.g. relax=solve:1e-6",
     PRIMITIVES, parseRelax, runRelax, 0},
    {"steps", "steps=N", "N single relaxation steps", PRIMITIVES, parseCount,
     [](const ToolOp& op, bool) {
         for (long k = 0, count = wholeArgument(op); k < count; ++k)
             modifyonce();
         return std::string();
     },
     0},
    {"smooth", "smooth=N", "N smoothing passes", PRIMITIVES, parseCount,
     [](const ToolOp& op, bool) {
         for (long k = 0, count = wholeArgument(op); k < count; ++k)
             smoothen();
         return std::string();
     },
     0},
    {"spread", "spread=N", "N spreading passes", PRIMITIVES, parseCount, runSpread, 0},
    {"rotate", "rotate=A,B", "turn by A, B radians", PRIMITIVES, parseTwoAngles,
     [](const ToolOp& op, bool) {
         rotatepoly(op.numbers[0], op.numbers[1]);
         return std::string();
     },
     OP_KEEPS_SOLID},
    {"center", "center", "centroid to the origin", PRIMITIVES, parseNone, done<offsetpolygon>, OP_KEEPS_SOLID},
    {"move", "move=X,Y,Z", "shift by X, Y, Z", PRIMITIVES, parseThreeNumbers,
     [](const ToolOp& op, bool) {
         movepoly(op.numbers[0], op.numbers[1], op.numbers[2]);
         return std::string();
     },
     OP_KEEPS_SOLID},
    {"thicken", "thicken=T",
     "a closed solid of thickness T around the surface, for printing\n"
     "(written only as a mesh or picture; only scale, rotate, center,\n"
     "move, mirror and zoom may follow); tells its smallest wall on\n"
     "standard error, and refuses a solid that passes through itself,\n"
     "naming the largest clean thickness, unless --allow-crossing",
     PRIMITIVES, parsePositive, runThicken, 0},
    {"scale", "scale=S",
     "multiply every position by S (STL and 3MF are read as mm, glTF\n"
     "as metres: a .glb holds the positions divided by 1000)",
     PRIMITIVES, parsePositive, runScale, OP_KEEPS_SOLID},
    {"fit", "fit", "scale and centre the surface to fill the picture", PICTURES, parseNone,
     [](const ToolOp&, bool) {
         g_picture_fit = true;
         return std::string();
     },
     OP_KEEPS_SOLID},
    {"size", "size=WxH", "a picture of W x H pixels instead of 640 x 480", PICTURES, parseSize,
     [](const ToolOp& op, bool) {
         g_picture_width = static_cast<int>(op.numbers[0]);
         g_picture_height = static_cast<int>(op.numbers[1]);
         return std::string();
     },
     OP_KEEPS_SOLID},
    {"strain", "strain",
     "Color > Show edge strain: each face coloured by the largest\n"
     "relative error |L - phi| / phi of its edges (cream at 1e-6 or\n"
     "less, deep red at 1e-2 or more), the scale in the bottom-right\n"
     "corner (not on a thickened solid)",
     PICTURES, parseNone,
     [](const ToolOp&, bool) {
         g_show_strain = true;
         return std::string();
     },
     0},
    {"net", "net\n\nnet=MM",
     "a paper kit instead of the picture: the surface cut into pieces\n"
     "that lie flat, with numbered cut edges and glue tabs\n"
     "the same with rim edges MM millimetres long (30 unless given)",
     PAPER, parseNet,
     [](const ToolOp& op, bool) {
         g_net_rim_mm = op.numbers[0];
         return std::string();
     },
     OP_KEEPS_SOLID},
    {"paper", "paper=a4|letter", "the kit's paper (A4 unless given; goes with net)", PAPER, parsePaper,
     [](const ToolOp& op, bool) {
         g_net_paper = op.word == "letter" ? 1 : 0;
         return std::string();
     },
     OP_KEEPS_SOLID},
};

// The lines of a text, split at '\n'.
std::vector<std::string> lines(const char* text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The operations' part of --help, from the table: a heading per group, then
// each form of each operation beside what it does.
std::string operationsHelp()
{
    constexpr size_t COLUMN = 19;
    std::string out;
    const char* group = nullptr;
    for (const ToolOpEntry& entry : kTable) {
        if (entry.group != group) {
            group = entry.group;
            out += std::string(group) + "\n";
        }
        const std::vector<std::string> forms = lines(entry.usage), said = lines(entry.help);
        for (size_t k = 0; k < std::max(forms.size(), said.size()); ++k) {
            std::string line = "  " + (k < forms.size() ? forms[k] : std::string());
            if (k < said.size()) {
                line += line.size() < COLUMN ? std::string(COLUMN - line.size(), ' ') : std::string(" ");
                line += said[k];
            }
            out += line + "\n";
        }
    }
    return out;
}
}  // namespace

const std::vector<ToolOpEntry>& toolOpTable()
{
    return kTable;
}

const ToolOpEntry* findToolOp(const std::string& name)
{
    for (const ToolOpEntry& entry : kTable)
        if (name == entry.name)
            return &entry;
    return nullptr;
}

const std::string& toolUsage()
{
    static const std::string text =
        "usage: korvith-tool info FILE\n"
        "       korvith-tool apply IN OUT [--format=EXT] [OP ...]\n"
        "       korvith-tool apply IN OUT [--format=EXT] @OPSFILE\n"
        "       korvith-tool --help | --version\n"
        "\n"
        "info prints a JSON description of a surface file; of an .stl file, what a\n"
        "slicer will find: volume, bounding box (mm), shells, closed, outward.\n"
        "apply reads IN as Open does, runs the operations left to right and writes OUT;\n"
        "OUT's extension picks the format: .kor .h (the program's own), .obj .ply .stl\n"
        ".off .glb .3mf (meshes), .svg .png .pdf (the picture of the window).\n"
        "\n" +
        operationsHelp() +
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
    return text;
}

bool parseToolOp(const std::string& text, ToolOp* op, std::string* error)
{
    op->text = text;
    const std::string::size_type eq = text.find('=');
    op->name = text.substr(0, eq);
    const ToolOpEntry* entry = findToolOp(op->name);
    if (!entry) {
        *error = "unknown operation \"" + op->name + "\"";
        return false;
    }
    const bool hasArg = eq != std::string::npos;
    return entry->parse(hasArg ? text.substr(eq + 1) : std::string(), hasArg, op, error);
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

bool runToolOp(const ToolOp& op, bool progress, std::string* error)
{
    const ToolOpEntry* entry = findToolOp(op.name);
    if (!entry) {
        *error = "unknown operation \"" + op.name + "\"";
        return false;
    }
    if (g_solid && !(entry->flags & OP_KEEPS_SOLID)) {
        *error = "the surface has been thickened into a solid; only scale, rotate, center, move, mirror and zoom may "
                 "follow";
        return false;
    }
    // A surface read from a file or the history was checked when it came in;
    // every other op is checked for running away and, when it does, put back.
    if (entry->flags & OP_CHECKED_INPUT) {
        *error = entry->run(op, progress);
        return error->empty();
    }
    std::string refusal;
    const std::string fault = guardedStep([&] { refusal = entry->run(op, progress); });
    if (!refusal.empty()) {
        *error = refusal;
        return false;
    }
    if (!fault.empty()) {
        *error = "not applied: " + fault;
        return false;
    }
    return true;
}
