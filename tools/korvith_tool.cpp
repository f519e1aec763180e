// korvith-tool: every model operation from the command line, and export of
// surfaces to other programs. Needs no display.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include <nlohmann/json.hpp>
#include <wx/init.h>
#include <wx/log.h>

#include "io/command_line.h"
#include "io/open_commands.h"
#include "io/writer.h"
#include "model/finite_positions.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "geometry/self_intersection.h"
#include "model/surface_info.h"
#include "export/export_surface.h"
#include "export/mesh_export.h"
#include "export/paper_kit_writer.h"
#include "export/picture.h"
#include "export/print_report.h"
#include "tools/stl_reader.h"
#include "tools/tool_ops.h"
#include "io/file_names.h"

#include <algorithm>
#include <clocale>

namespace {
// Keeps the reader's error messages, so that each failure is told on one line.
class KeptErrors : public wxLog {
public:
    std::string last;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Error)
            last = std::string(msg.utf8_str());
    }
};

KeptErrors* keptErrors = nullptr;

int usage(const std::string& problem)
{
    std::fprintf(stderr, "korvith-tool: %s; try korvith-tool --help\n", problem.c_str());
    return 2;
}

int failure(const std::string& where, const std::string& why)
{
    std::fprintf(stderr, "korvith-tool: %s: %s\n", where.c_str(), why.c_str());
    return 1;
}

std::string extensionOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    const std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string ext = path.substr(dot);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool knownOutput(const std::string& ext)
{
    return ext == ".kor" || ext == ".h" || isMeshFormat(ext) || isPictureFormat(ext);
}

// Reads `path` (standard input for "-") as the Open command does and brings the
// derived data up to date.
bool readSurface(const std::string& path, std::string* why)
{
    keptErrors->last.clear();
    const bool read = path == "-" ? openSurfaceBytes("standard input", standardInput())
                                  : openSurfaceFile(pathFromBytes(path), false);
    if (!read) {
        *why = keptErrors->last.empty() ? "cannot read the file" : keptErrors->last;
        return false;
    }
    refreshDerivedData();  // what a repaint does first
    return true;
}

// info on an STL file: what a slicer will find in it (printReport), as JSON.
int meshInfo(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TriangleMesh mesh;
    std::string why;
    if (!in.good() && !in.eof())
        return failure(path, "cannot read the file");
    if (!readStl(bytes, &mesh, &why))
        return failure(path, why);
    const PrintReport r = printReport(mesh, false);
    nlohmann::ordered_json out;
    out["vertices"] = mesh.vertices.size();
    out["triangles"] = mesh.triangles.size();
    out["volume_mm3"] = r.volume;
    out["bounding_box_mm"] = {r.high.x - r.low.x, r.high.y - r.low.y, r.high.z - r.low.z};
    out["bounding_box_low"] = {r.low.x, r.low.y, r.low.z};
    out["smallest_wall_mm"] = nullptr;  // the layers of a solid are not told apart in an STL file
    out["shells"] = r.shells;
    out["closed"] = r.closed;
    out["outward"] = r.outward;
    out["crossing_faces"] = meshSelfIntersections(mesh).size();
    std::printf("%s\n", out.dump(2).c_str());
    return 0;
}

int info(const std::string& path)
{
    if (extensionOf(path) == ".stl")
        return meshInfo(path);
    std::string why;
    if (!readSurface(path, &why))
        return failure(path == "-" ? "standard input" : quotedName(path), why);
    const SurfaceInfo s = surfaceInfo();
    nlohmann::ordered_json out;
    out["vertices"] = s.vertices;
    out["edges"] = s.edges;
    out["faces"] = s.faces;
    out["level"] = s.level;
    out["components"] = s.components;
    out["euler"] = s.euler;
    out["boundary_edges"] = s.boundaryEdges;
    out["boundary_loops"] = s.boundaryLoops;
    out["inconsistent_edges"] = s.inconsistentEdges;
    out["orientable"] = s.orientable;
    out["manifold"] = s.manifold;
    out["pinched_vertices"] = s.pinchedVertices;
    out["genus"] = s.genus >= 0 ? nlohmann::ordered_json(s.genus) : nlohmann::ordered_json(nullptr);
    out["crossing_faces"] = selfIntersections().size();  // pairs of faces passing through each other
    nlohmann::ordered_json counts = nlohmann::ordered_json::object();
    for (const auto& [faces, vertices] : s.faceCounts)
        counts[std::to_string(faces)] = vertices;
    out["face_counts"] = counts;
    out["max_edge_error"] = s.maxEdgeError;
    // No vertex in 6 or 7 faces: there is no range to tell.
    const bool hasAngleSums = s.angleSumMin <= s.angleSumMax;
    out["angle_sum_min"] = hasAngleSums ? nlohmann::ordered_json(s.angleSumMin) : nlohmann::ordered_json();
    out["angle_sum_max"] = hasAngleSums ? nlohmann::ordered_json(s.angleSumMax) : nlohmann::ordered_json();
    out["theory"] = s.theory;
    std::printf("%s\n", out.dump(2).c_str());
    return 0;
}

// Copies the file at `path` to standard output.
bool copyToStandardOutput(const std::string& path, std::string* why)
{
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        *why = "cannot read back the written output";
        return false;
    }
    char buffer[65536];
    size_t n;
    bool ok = true;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        ok = std::fwrite(buffer, 1, n, stdout) == n;
    std::fclose(in);
    if (!ok || std::fflush(stdout) != 0) {
        *why = "cannot write to standard output";
        return false;
    }
    return true;
}

bool writeOutput(const std::string& path, const std::string& ext, int digits, std::string* why);

// Writes the surface to standard output in the format of `ext`: the program's
// own texts directly, meshes and pictures through a temporary file.
bool writeStandardOutput(const std::string& ext, int digits, std::string* why)
{
    if (ext == ".kor" || ext == ".h") {
        const std::string text =
            ext == ".kor" ? surfaceFileText(digits) : headerExportText(cIdentifier(g_Name.empty() ? "surface" : g_Name));
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
            *why = "cannot write to standard output";
            return false;
        }
        return true;
    }
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder && *folder ? folder : "/tmp") + "/korvith-tool-XXXXXX" + ext;
    const int fd = mkstemps(name.data(), static_cast<int>(ext.size()));
    if (fd < 0) {
        *why = "cannot make a temporary file for the output";
        return false;
    }
    close(fd);
    const bool done = writeOutput(name, ext, digits, why) && copyToStandardOutput(name, why);
    std::remove(name.c_str());
    return done;
}

bool writeOutput(const std::string& path, const std::string& ext, int digits, std::string* why)
{
    if ((ext == ".kor" || ext == ".h") && g_solid) {
        // Its faces are no cells: read back, it would be revised into nonsense.
        *why = "a thickened solid is written only as a mesh or a picture";
        return false;
    }
    if ((ext == ".kor" || ext == ".h") && !surfaceIsFinite()) {
        *why = "the surface has positions or target lengths that are not numbers";
        return false;
    }
    if (path == "-")
        return writeStandardOutput(ext, digits, why);
    if (g_net_rim_mm > 0) {
        KitOptions options;
        options.rimMm = g_net_rim_mm;
        options.paper = g_net_paper == 1 ? Paper::Letter : Paper::A4;
        KitSummary summary;
        const std::string name(g_Name.empty() ? "untitled" : g_Name.utf8_str());
        if (!exportPaperKit(path, ext, options, name, &summary, why))
            return false;
        std::fprintf(stderr, "korvith-tool: paper kit of %s: %s\n", name.c_str(), kitSummaryText(summary).c_str());
        return true;
    }
    if (ext == ".kor" || ext == ".h") {
        std::string text;
        if (ext == ".kor") {
            text = surfaceFileText(digits);
        } else {
            std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
            base.erase(base.size() - extensionOf(base).size());  // whatever --format said
            text = headerExportText(cIdentifier(wxString::FromUTF8(base)));
        }
        wxString reason;
        if (writeFileReplacing(pathFromBytes(path), text, &reason))
            return true;
        *why = std::string(reason.utf8_str());
        return false;
    }
    ExportNotes notes;
    if (!exportSurface(path, ext, nullptr, why, &notes))
        return false;
    for (const std::string& warning : notes.warnings)
        std::fprintf(stderr, "korvith-tool: warning: %s\n", warning.c_str());
    return true;
}

int apply(const std::string& in, const std::string& out, std::vector<std::string> opTexts, int digits)
{
    // --format=EXT, anywhere among the operations, names the output format.
    std::string ext = out == "-" ? std::string() : extensionOf(out);
    bool allowCrossing = false, report = false;
    for (auto it = opTexts.begin(); it != opTexts.end();) {
        if (*it == "--allow-crossing" || *it == "--report") {
            (*it == "--report" ? report : allowCrossing) = true;
            it = opTexts.erase(it);
        } else if (it->compare(0, 9, "--format=") == 0) {
            ext = it->substr(9);
            if (!ext.empty() && ext[0] != '.')
                ext.insert(0, ".");
            for (char& c : ext)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            it = opTexts.erase(it);
        } else if (it->size() > 1 && (*it)[0] == '-') {
            return usage("unknown option \"" + *it + "\"");
        } else {
            ++it;
        }
    }
    if (out == "-" && ext.empty())
        return usage("writing to standard output needs --format=EXT");
    if (!knownOutput(ext))
        return usage("unknown output format \"" + ext + "\" of " + out);
    if (digits != 6 && ext != ".kor")
        return usage("--digits applies to .kor output only");
    if (opTexts.size() == 1 && !opTexts[0].empty() && opTexts[0][0] == '@') {
        const std::string file = opTexts[0].substr(1);
        opTexts.clear();
        std::string why;
        if (!readOpsFile(file, &opTexts, &why))
            return failure(quotedName(file), why);
    }
    std::vector<ToolOp> ops(opTexts.size());
    for (size_t k = 0; k < opTexts.size(); ++k) {
        std::string why;
        if (!parseToolOp(opTexts[k], &ops[k], &why))
            return usage(why);
        if (ops[k].name == "thicken" && allowCrossing)
            ops[k].word = "allow-crossing";
    }
    bool net = false, paper = false;
    for (const ToolOp& op : ops) {
        net = net || op.name == "net";
        paper = paper || op.name == "paper";
    }
    if (paper && !net)
        return usage("paper= chooses the paper of a paper kit: add net");
    if (net && !isPaperKitFormat(ext))
        return usage("a paper kit (net) is written as .pdf or .svg, not as \"" + ext + "\"");
    std::string why;
    if (!readSurface(in, &why))
        return failure(in == "-" ? "standard input" : quotedName(in), why);
    const bool progress = isatty(STDERR_FILENO);
    for (size_t k = 0; k < ops.size(); ++k) {
        keptErrors->last.clear();
        if (!runToolOp(ops[k], progress, &why)) {
            if (!keptErrors->last.empty())
                why = keptErrors->last;
            const bool plain = std::all_of(ops[k].text.begin(), ops[k].text.end(),
                                           [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; });
            return failure("operation " + std::to_string(k + 1) + " (" +
                               (plain ? ops[k].text : quotedName(ops[k].text)) + ")",
                           why);
        }
        refreshDerivedData();  // what a repaint does first
    }
    if (!writeOutput(out, ext, digits, &why))
        return failure(out == "-" ? "standard output" : quotedName(out), why);
    if (report)  // beside an output on standard output, on standard error
        std::fputs(printReportText(printReport(currentMesh(), g_solid)).c_str(), out == "-" ? stderr : stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    // The user's character set for names; numbers are read and written in the
    // C locale whatever this says.
    std::setlocale(LC_CTYPE, "");
    wxInitializer initializer;
    if (!initializer.IsOk())
        return failure("korvith-tool", "cannot start the toolkit");
    // The undo snapshots are released when the tool ends, whatever way it ends.
    struct ReleaseHistory {
        ~ReleaseHistory() { clearHistory(); }
    } releaseHistory;
    // The toolkit deletes the active log target when it shuts down.
    keptErrors = new KeptErrors;
    delete wxLog::SetActiveTarget(keptErrors);
    allocateStore();
    resetStore();

    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(toolUsage().c_str(), stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::printf("%s\n", versionLine("korvith-tool").c_str());
        return 0;
    }
    if (args[0] == "info") {
        if (args.size() != 2)
            return usage("info takes one file");
        return info(args[1]);
    }
    if (args[0] == "apply") {
        // --digits=N may stand anywhere after "apply".
        std::vector<std::string> rest;
        int digits = 6;
        for (size_t k = 1; k < args.size(); ++k) {
            if (args[k].rfind("--digits=", 0) != 0) {
                rest.push_back(args[k]);
                continue;
            }
            const std::string n = args[k].substr(9);
            if (n.empty() || n.size() > 2 || n.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(n) < 1 || std::stoi(n) > 17)
                return usage("--digits needs a whole number from 1 to 17");
            digits = std::stoi(n);
        }
        if (rest.size() < 2)
            return usage("apply needs an input and an output file");
        return apply(rest[0], rest[1], std::vector<std::string>(rest.begin() + 2, rest.end()), digits);
    }
    return usage("unknown command \"" + args[0] + "\"");
}
