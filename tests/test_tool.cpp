// korvith-tool run as a process: its results against the same core calls made
// here, its exports read back by Assimp's importer, and its error paths.
#include "tests/read_file.h"
#include "tests/tool_run.h"
#include "tests/fixture.h"

#include <algorithm>
#include <array>
#include <set>
#include <cairo.h>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <nlohmann/json.hpp>

#include "construct/add_cell.h"
#include "construct/edit_commands.h"
#include "construct/copy_remove.h"
#include "construct/glue.h"
#include "construct/subdivision.h"
#include "geometry/precise_relaxation.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "geometry/smoothing.h"
#include "io/open_commands.h"
#include "io/reader.h"
#include "io/writer.h"
#include "model/components.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "export/export_surface.h"
#include "geometry/face_strain.h"
#include "view/cairo_picture.h"
#include "view/face_colour.h"
#include "view/projection.h"
#include "view/scene.h"
#include "view/strain_colour.h"
#include "view/strain_key.h"
#include "export/paper_kit_writer.h"
#include "tools/tool_ops.h"

namespace {
bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

const std::string kSingle = KORVITH_SOURCE_DIR "/sample/single.kor";
const std::string kOut = privateDir() + "/out";

// The window's state after reading a file with Open and the first repaint.
void openAsTheWindowDoes(const std::string& path)
{
    resetStore();
    ASSERT_TRUE(openSurfaceFile(path, false));
    refreshDerivedData();
}
}  // namespace

TEST(Tool, HelpAndUsageErrors)
{
    ToolRun run = tool("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("korvith-tool apply IN OUT"), std::string::npos);
    EXPECT_EQ(tool("").status, 2);
    run = tool("frobnicate x");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown command"), std::string::npos);
    run = tool("apply " + kSingle + " " + kOut + ".kor relax jump=3");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown operation \"jump\""), std::string::npos);
    EXPECT_FALSE(exists(kOut + ".kor"));
    run = tool("apply " + kSingle + " " + kOut + ".xyz");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown output format"), std::string::npos);
    EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor relax=many").status, 2);
    EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor subdivide=7").status, 2);
    EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor paste=3").status, 2);
    for (const char* move : {"move=1,2", "move=1,2,3,4", "move=1,,3", "move=1,2,x", "move=1,2,inf", "move"})
        EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor " + move).status, 2) << move;
    EXPECT_EQ(tool("info").status, 2);
}

TEST(Tool, UsageErrorsTakeOneLineAndPointToTheHelp)
{
    for (const std::string& args : std::vector<std::string>{"", "frobnicate x", "info", "apply " + kSingle,
                                   "apply " + kSingle + " " + kOut + ".kor jump=3",
                                   "apply " + kSingle + " " + kOut + ".xyz",
                                   "apply " + kSingle + " " + kOut + ".kor --colour=red",
                                   "apply " + kSingle + " - relax", "apply " + kSingle + " - --format=doc"}) {
        const ToolRun run = tool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_NE(run.err.find("; try korvith-tool --help\n"), std::string::npos) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
    }
    const ToolRun version = tool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("korvith-tool ", 0), 0u) << version.out;
    EXPECT_NE(version.out.find_first_of("0123456789"), std::string::npos) << version.out;
}

TEST(Tool, StandardInputAndOutputCarryWhatFilesCarry)
{
    const std::string ops = " subdivide=2 relax=3";
    ASSERT_EQ(tool("apply " + kSingle + " " + kOut + ".kor" + ops).status, 0);
    const std::string written = readAll(kOut + ".kor");
    std::remove((kOut + ".kor").c_str());

    // "-" in, "-" out, in either order of option and operations, with the format named.
    ToolRun run = tool("apply - - --format=kor" + ops + " <" + kSingle);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, written);
    run = tool("apply - -" + ops + " --format=.KOR <" + kSingle);
    EXPECT_EQ(run.out, written);
    // A pipe of two runs gives what two runs through a file give.
    ASSERT_EQ(tool("apply " + kSingle + " " + kOut + "-half.kor subdivide=2").status, 0);
    ASSERT_EQ(tool("apply " + kOut + "-half.kor " + kOut + ".kor relax=3").status, 0);
    run = shell(std::string(KORVITH_TOOL) + " apply " + kSingle + " - --format=kor subdivide=2 | " + KORVITH_TOOL +
                " apply - - --format=kor relax=3");
    EXPECT_EQ(run.out, readAll(kOut + ".kor"));
    std::remove((kOut + "-half.kor").c_str());
    std::remove((kOut + ".kor").c_str());
    // Binary formats go through byte for byte; --format overrides a named output's extension.
    for (const char* ext : {"obj", "stl", "png"}) {
        ASSERT_EQ(tool("apply " + kSingle + " " + kOut + "." + ext).status, 0) << ext;
        run = tool("apply " + kSingle + " - --format=" + ext);
        EXPECT_EQ(run.status, 0) << ext << run.err;
        EXPECT_EQ(run.out, readAll(kOut + "." + ext)) << ext;
        std::remove((kOut + "." + ext).c_str());
    }
    ASSERT_EQ(tool("apply " + kSingle + " " + kOut + ".txt --format=kor").status, 0);
    EXPECT_EQ(readAll(kOut + ".txt"), readAll(kSingle));
    std::remove((kOut + ".txt").c_str());
    // A header written under another extension (or none) is named after the file's base name.
    for (const std::string& name : {privateDir() + "/korvith-tool-test-header.txt", privateDir() + "/k"}) {
        ASSERT_EQ(tool("apply " + kSingle + " " + name + " --format=h").status, 0) << name;
        const std::string base = name == privateDir() + "/k" ? "k" : "korvith_tool_test_header";
        EXPECT_EQ(readAll(name).rfind("char *" + base + "_v=", 0), 0u) << readAll(name).substr(0, 40);
        std::remove(name.c_str());
    }
    // The header from standard output is named after the input file.
    run = tool("apply " + kSingle + " - --format=h");
    EXPECT_EQ(run.out.rfind("char *single_v=\"8:", 0), 0u) << run.out.substr(0, 40);

    // So do open=- and append=-: the same as the file itself.
    ASSERT_EQ(tool("apply " + kSingle + " " + kOut + ".kor append=" + kSingle).status, 0);
    run = tool("apply " + kSingle + " - --format=kor append=- <" + kSingle);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readAll(kOut + ".kor"));
    std::remove((kOut + ".kor").c_str());
    run = tool("apply " KORVITH_SOURCE_DIR "/sample/torio.kor - --format=kor open=- <" + kSingle);
    EXPECT_EQ(run.out, readAll(kSingle));

    // info reads standard input too; a bad surface there is named as such.
    run = tool("info - <" + kSingle);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(nlohmann::json::parse(run.out)["vertices"], 8);
    run = shell("printf '##korvith01\\n##vertex\\n2\\n' | " + std::string(KORVITH_TOOL) + " info -");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("korvith-tool: standard input: Cannot read the surface file \"standard input\"", 0), 0u)
        << run.err;
}

TEST(Tool, FailuresSayWhatWhereAndWhyAndWriteNothing)
{
    struct Case {
        std::string args;
        std::string where;
    };
    const std::string bad = privateDir() + "/bad.kor";
    std::ofstream(bad) << "##korvith01\n##vertex\n2\n0,0,0\n";
    // A pipe nobody writes to: reading it would wait for ever.
    ASSERT_EQ(mkfifo((privateDir() + "/pipe.kor").c_str(), 0600), 0);
    const std::vector<Case> cases = {
        {"apply " + kSingle + " " + kOut + ".kor add-cell=7", "operation 1 (add-cell=7)"},
        {"apply " + kSingle + " " + kOut + ".kor relax add-cell=99", "operation 2 (add-cell=99)"},
        {"apply " + kSingle + " " + kOut + ".kor add-glued=7",
         "operation 1 (add-glued=7): Vertex 7 is inside the surface: cells grow at boundary vertices in 2 or 4 faces"},
        {"apply " + kSingle + " " + kOut + ".kor paste=0,1", "paste=0,1): vertices 0 and 1 may not be glued: they share face 0"},
        {"apply " + kSingle + " " + kOut + ".kor subdivide=2 paste=0,3", "the surface is subdivided"},
        {"apply " + kSingle + " " + kOut + ".kor open=" + bad, "line 3: the file announces 2 vertices"},
        {"apply " + kSingle + " " + kOut + ".kor open=" + privateDir(), "it is a folder"},
        {"info " + privateDir() + "/pipe.kor", "not a regular file"},
        {"apply " + kSingle + " " + kOut + ".kor kago", "kago"},
        {"apply " + kSingle + " " + kOut + ".kor subdivide=2 subdivide=3", "subdivide=3"},
        {"apply " + kSingle + " " + kOut + ".kor append=/nonexistent.kor", "append"},
        {"apply /nonexistent/in.kor " + kOut + ".kor", "/nonexistent/in.kor"},
        {"apply " + bad + " " + kOut + ".kor", bad},
        {"info " + bad, bad},
        {"apply " + kSingle + " /nonexistent/dir/out.kor", "/nonexistent/dir/out.kor"},
        {"apply " + kSingle + " /nonexistent/dir/out.stl", "/nonexistent/dir/out.stl"},
        {"apply " + kSingle + " /nonexistent/dir/out.png", "/nonexistent/dir/out.png"},
        {"apply " + kSingle + " " + kOut + ".kor @/nonexistent/ops", "/nonexistent/ops"},
        // Numbers out of range name the vertex, or say which counts are taken.
        {"apply " + kSingle + " " + kOut + ".kor remove=-1", "remove=-1): vertex -1 does not exist"},
        {"apply " + kSingle + " " + kOut + ".kor pull=2147483647", "vertex 2147483647 does not exist (the surface has 8"},
        {"apply " + kSingle + " " + kOut + ".kor pull=99999999999999999999999", "vertex that far does not exist"},
        {"apply " + kSingle + " " + kOut + ".kor paste=0,-4", "vertex -4 does not exist"},
        // Ops that would take positions out of range are refused (a distance
        // that large was once cast to a count as well).
        {"apply " + kSingle + " " + kOut + ".kor move=1e200,0,0", "move=1e200,0,0): not applied: vertex 0 would go too far"},
        {"apply " + kSingle + " " + kOut + ".kor scale=1e31", "not applied: vertex 0 would go too far out"},
        // Files that run away or are cut short are refused when read.
        {"info " KORVITH_SOURCE_DIR "/tests/fuzz/corpus/info/huge-coordinates.kor", "line 4: vertex 0 lies too far out"},
        {"info " KORVITH_SOURCE_DIR "/tests/fuzz/corpus/info/truncated-last-face.kor",
         "line 86: face 20 has vertex 1 as two of its corners"},
        {"info " KORVITH_SOURCE_DIR "/tests/fuzz/corpus/info/utf32-beyond-unicode.kor",
         "line 1: a character that is not Unicode (code 0x200000 in UTF-32)"},
        // A name with a line end is told on one line.
        {"apply " + kSingle + " " + kOut + ".kor 'open=/nonexistent/a\nb.kor'", "(\"open=/nonexistent/a\\nb.kor\")"},
        {"apply " + kSingle + " '/nonexistent/a\nb/out.kor'", "\"/nonexistent/a\\nb/out.kor\""},
        // Writing onto a pipe would replace it with a file: refused.
        {"apply " + kSingle + " " + privateDir() + "/pipe.kor", "pipe.kor\": it is not a regular file"},
        {"apply " + kSingle + " " + privateDir() + "/pipe.kor --format=stl", "not a regular file"},
    };
    for (const Case& c : cases) {
        const ToolRun run = tool(c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.where), std::string::npos) << run.err;
        EXPECT_FALSE(exists(kOut + ".kor")) << c.args;
    }
    std::remove(bad.c_str());
    struct stat st;
    ASSERT_EQ(stat((privateDir() + "/pipe.kor").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
}

// Names with bytes that are not ASCII (and not UTF-8) open, and are written,
// whatever the locale says.
TEST(Tool, AnyBytesNameAFile)
{
    const std::string latin = privateDir() + "/caf\xE9.kor", utf8 = privateDir() + "/na\xC3\xAFve.kor";
    ASSERT_EQ(tool("apply " + kSingle + " '" + latin + "'").status, 0);
    for (const char* locale : {"C.UTF-8", "C", "POSIX"}) {
        for (const std::string& name : {latin, utf8}) {
            const ToolRun run = shell(std::string("LC_ALL=") + locale + " " KORVITH_TOOL " apply '" + latin + "' '" +
                                      name + "' relax");
            EXPECT_EQ(run.status, 0) << locale << ": " << run.err;
            EXPECT_TRUE(exists(name));
        }
        const ToolRun run = shell(std::string("LC_ALL=") + locale + " " KORVITH_TOOL " info '" + utf8 + "'");
        EXPECT_EQ(run.status, 0) << locale << ": " << run.err;
        const ToolRun missing = shell(std::string("LC_ALL=") + locale + " " KORVITH_TOOL " info '" + privateDir() +
                                      "/gon\xE9.kor'");
        EXPECT_NE(missing.err.find("gon\\xE9.kor\": No such file"), std::string::npos) << missing.err;
    }
}

TEST(Tool, InfoOfAnEmptySurfaceHasNoAngleSums)
{
    const std::string empty = privateDir() + "/empty.kor";
    std::ofstream(empty) << "##korvith01\n##vertex\n0\n##edge\n0\n##face\n0\n##end\n";
    const ToolRun run = tool("info " + empty);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["vertices"], 0);
    EXPECT_TRUE(info["angle_sum_min"].is_null()) << run.out;
    EXPECT_TRUE(info["angle_sum_max"].is_null()) << run.out;
}

TEST(Tool, InfoDescribesTheSurface)
{
    const ToolRun run = tool("info " + kSingle);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["vertices"], 8);
    EXPECT_EQ(info["edges"], 14);
    EXPECT_EQ(info["faces"], 7);
    EXPECT_EQ(info["level"], 1);
    EXPECT_EQ(info["components"], 1);
    EXPECT_EQ(info["euler"], 1);
    EXPECT_EQ(info["boundary_edges"], 7);
    EXPECT_EQ(info["boundary_loops"], 1);
    EXPECT_EQ(info["face_counts"]["2"], 7);
    EXPECT_EQ(info["face_counts"]["7"], 1);
    // The same figures as the window's Curvature Range after its first repaint.
    openAsTheWindowDoes(kSingle);
    double lo, hi;
    curvatureRange(&lo, &hi);
    EXPECT_EQ(info["angle_sum_min"].get<double>(), lo);
    EXPECT_EQ(info["angle_sum_max"].get<double>(), hi);
    EXPECT_EQ(info["theory"].get<double>(), theoryCurvature());
    EXPECT_GT(info["max_edge_error"].get<double>(), 0.0);
    EXPECT_EQ(info["crossing_faces"], 0);

    // Two triangles, one through the other: a surface nobody can build.
    const std::string crossing = kOut + "_crossing.kor";
    std::ofstream(crossing) << "##korvith01\n##vertex\n6\n0,0,0\n1,0,0\n0,1,0\n0.2,0.2,-1\n0.3,0.2,1\n0.2,0.3,1\n"
                               "##edge\n6\n0,1,1\n1,2,1\n2,0,1\n3,4,1\n4,5,1\n5,3,1\n"
                               "##face\n2\n0,1,2\n3,4,5\n##subdiv_level\n1\n##end\n";
    const ToolRun crossed = tool("info " + crossing);
    ASSERT_EQ(crossed.status, 0) << crossed.err;
    EXPECT_EQ(nlohmann::json::parse(crossed.out)["crossing_faces"], 1);
    std::remove(crossing.c_str());
}

namespace {
// What the tool writes for `ext` after the operations run in this process: the
// output of the same surface, written the way the tool writes it.
std::string writtenHere(const std::string& ext)
{
    if (ext == ".kor")
        return surfaceFileText();
    const std::string path = privateDir() + "/here" + ext;
    std::string reason;
    if (g_net_rim_mm > 0) {
        KitOptions options;
        options.rimMm = g_net_rim_mm;
        options.paper = g_net_paper == 1 ? Paper::Letter : Paper::A4;
        KitSummary summary;
        EXPECT_TRUE(exportPaperKit(path, ext, options, "single", &summary, &reason)) << reason;
    } else {
        EXPECT_TRUE(exportSurface(path, ext, nullptr, &reason)) << reason;
    }
    const std::string bytes = readAll(path);
    std::remove(path.c_str());
    return bytes;
}
}  // namespace

// Every entry of the table, run by the tool as a process and by its own
// command here on the same input, gives the same output: the tool adds
// nothing to and drops nothing from the command it names.
TEST(Tool, EveryOperationGivesWhatItsCommandGives)
{
    struct Case {
        std::string ops;  // one or more operations, the entry's among them
        std::string ext;  // the output that shows what it did
    };
    const std::string torio = KORVITH_SOURCE_DIR "/sample/torio.kor";
    const std::map<std::string, std::vector<Case>> cases = {
        {"open", {{"add-cell=0 open=" + torio, ".kor"}}},
        {"append", {{"append=" + kSingle, ".kor"}, {"subdivide=2 append=" + torio, ".kor"}}},
        {"add-cell", {{"add-cell=0", ".kor"}, {"add-cell=0 add-cell=8 undo undo redo", ".kor"}}},
        {"add-glued", {{"add-glued=0", ".kor"}, {"add-glued=0 add-glued=1 undo", ".kor"}}},
        {"paste", {{"add-cell=0 paste=8,6", ".kor"}, {"modify-off add-cell=0 paste=8,6 modify-off", ".kor"}}},
        {"paste-all", {{"add-cell=0 paste=8,6 add-cell=0 paste=19,1 paste-all relax", ".kor"}}},
        {"copy", {{"copy", ".kor"}}},
        {"mirror-copy", {{"mirror-copy center", ".kor"}}},
        {"remove", {{"remove=7", ".kor"}, {"remove=3 undo", ".kor"}}},
        {"pull", {{"pull=3", ".kor"}}},
        {"subdivide", {{"subdivide=3", ".kor"}}},
        {"kago", {{"subdivide=2 kago", ".kor"}}},
        {"flip", {{"flip", ".kor"}}},
        {"mirror", {{"mirror", ".kor"}}},
        {"undo", {{"add-cell=0 undo", ".kor"}}},
        {"redo", {{"add-cell=0 undo redo", ".kor"}}},
        {"grow", {{"grow", ".kor"}}},
        {"zoom-in", {{"zoom-in", ".png"}}},
        {"zoom-out", {{"zoom-out zoom-out", ".png"}}},
        {"default-size", {{"move=1.5,-2,0.25 default-size", ".kor"}}},
        {"smoothen", {{"smoothen", ".kor"}}},
        {"sway", {{"sway", ".kor"}}},
        {"modify-off", {{"modify-off relax", ".kor"}}},
        {"relax", {{"relax=3", ".kor"}, {"relax=stable", ".kor"}, {"relax=solve:1e-6", ".kor"}}},
        {"steps", {{"steps=7", ".kor"}}},
        {"smooth", {{"smooth=4", ".kor"}}},
        {"spread", {{"spread=2", ".kor"}}},
        {"rotate", {{"rotate=0.3,-0.2", ".kor"}}},
        {"center", {{"move=1,0,0 center", ".kor"}}},
        {"move", {{"move=1.5,-2,0.25", ".kor"}}},
        {"thicken", {{"thicken=0.1", ".obj"}}},
        {"scale", {{"scale=10", ".kor"}}},
        {"fit", {{"fit", ".png"}}},
        {"size", {{"size=100x80", ".png"}}},
        {"strain", {{"strain", ".png"}}},
        {"net", {{"net", ".svg"}}},
        {"paper", {{"net=20 paper=letter", ".svg"}}},
    };
    for (const ToolOpEntry& entry : toolOpTable()) {
        const auto found = cases.find(entry.name);
        ASSERT_NE(found, cases.end()) << "no case for the operation " << entry.name;
        for (const Case& c : found->second) {
            const std::string out = kOut + c.ext;
            const ToolRun run = tool("apply " + kSingle + " " + out + " " + c.ops);
            ASSERT_EQ(run.status, 0) << c.ops << ": " << run.err;
            openAsTheWindowDoes(kSingle);
            std::istringstream words(c.ops);
            bool named = false;
            for (std::string text; words >> text;) {
                ToolOp op;
                std::string error;
                ASSERT_TRUE(parseToolOp(text, &op, &error)) << text << ": " << error;
                named = named || op.name == entry.name;
                EXPECT_EQ(findToolOp(op.name)->run(op, false), "") << c.ops << ": " << text;
                refreshDerivedData();  // what the repaint after a command does, and the tool after an op
            }
            EXPECT_TRUE(named) << c.ops << " does not run " << entry.name;
            EXPECT_TRUE(readAll(out) == writtenHere(c.ext)) << c.ops;
            std::remove(out.c_str());
        }
    }
}

// A refused operation fails with its command's refusal, word for word.
TEST(Tool, ARefusedOperationSaysWhatItsCommandSays)
{
    for (const std::string& ops : {std::string("kago"), std::string("subdivide=2 add-cell=0"),
                                   std::string("subdivide=2 subdivide=3"), std::string("add-cell=7"),
                                   std::string("subdivide=2 add-glued=0")}) {
        const ToolRun run = tool("apply " + kSingle + " " + kOut + ".kor " + ops);
        EXPECT_EQ(run.status, 1) << ops;
        openAsTheWindowDoes(kSingle);
        std::istringstream words(ops);
        std::string refusal;
        for (std::string text; refusal.empty() && words >> text;) {
            ToolOp op;
            std::string error;
            ASSERT_TRUE(parseToolOp(text, &op, &error)) << text;
            refusal = findToolOp(op.name)->run(op, false);
            refreshDerivedData();
        }
        ASSERT_NE(refusal, "") << ops;
        EXPECT_NE(run.err.find(": " + refusal + "\n"), std::string::npos) << run.err << "\n" << refusal;
    }
    openAsTheWindowDoes(kSingle);
    g_purtj = 0;
    EXPECT_EQ(findToolOp("kago")->run(ToolOp{"kago", "kago", {}, ""}, false), KAGO_NEEDS_SUBDIVISION);
    EXPECT_EQ(findToolOp("subdivide")->run(ToolOp{"subdivide=2", "subdivide", {2}, ""}, false), "");
    EXPECT_EQ(findToolOp("add-cell")->run(ToolOp{"add-cell=0", "add-cell", {0}, ""}, false), CELLS_NEED_LEVEL_ONE);
}

// --help lists every operation of the table, each form with its text; so does
// the manual page.
TEST(Tool, HelpAndManualListEveryOperationOfTheTable)
{
    const ToolRun help = tool("--help");
    ASSERT_EQ(help.status, 0);
    const std::string manual = readAll(KORVITH_SOURCE_DIR "/docs/man/korvith-tool.1");
    for (const ToolOpEntry& entry : toolOpTable()) {
        std::istringstream forms(entry.usage);
        for (std::string form; std::getline(forms, form);)
            EXPECT_NE(help.out.find("\n  " + form + " "), std::string::npos) << form;
        std::string escaped;
        for (const char* c = entry.name; *c; ++c)
            escaped += *c == '-' ? std::string("\\-") : std::string(1, *c);
        EXPECT_NE(manual.find(escaped), std::string::npos) << entry.name << " is not in the manual page";
        EXPECT_NE(help.out.find(entry.group), std::string::npos);
    }
}

TEST(Tool, OperationsFromAFile)
{
    const std::string ops = privateDir() + "/test.ops";
    std::ofstream(ops) << "# three cells around vertex 0\nadd-cell=0\n  paste=8,6   # the first seam\n\nadd-cell=0\n"
                          "paste=19,1\npaste-all\nrelax=stable\n";
    const ToolRun run = tool("apply " + kSingle + " " + kOut + ".kor @" + ops);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << "no progress on a stderr that is not a terminal";
    const nlohmann::json info = nlohmann::json::parse(tool("info " + kOut + ".kor").out);
    EXPECT_EQ(info["vertices"], 19);
    EXPECT_EQ(info["edges"], 39);
    EXPECT_EQ(info["faces"], 21);
    EXPECT_EQ(info["inconsistent_edges"], 0);
    EXPECT_LT(info["max_edge_error"].get<double>(), 1e-3);
    std::remove(ops.c_str());
    std::remove((kOut + ".kor").c_str());
}

TEST(Tool, LongRunsShowProgressOnATerminalOnly)
{
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "script (util-linux) is needed to give the tool a terminal";
    // script runs the tool with its stderr on a pseudo-terminal and copies what it printed.
    const ToolRun run =
        shell("script -qec '" + std::string(KORVITH_TOOL) + " apply " + kSingle + " " + kOut + ".kor spread=3' /dev/null");
    EXPECT_NE(run.out.find("spread=3: 3 of 3"), std::string::npos) << run.out;
    const ToolRun quiet = tool("apply " + kSingle + " " + kOut + ".kor spread=3");
    EXPECT_EQ(quiet.err, "");
    std::remove((kOut + ".kor").c_str());
}

TEST(Tool, HeaderExportTakesItsPrefixFromTheOutputName)
{
    const std::string out = privateDir() + "/2222-2222-2222.h";
    ASSERT_EQ(tool("apply " + kSingle + " " + out).status, 0);
    openAsTheWindowDoes(kSingle);
    EXPECT_EQ(readAll(out), headerExportText("d2222_2222_2222"));
    std::remove(out.c_str());
}

TEST(Tool, MeshesReadBackWithTheirTrianglesInOrder)
{
    const std::string surface = privateDir() + "/mesh.kor";
    ASSERT_EQ(tool("apply " + kSingle + " " + surface + " add-cell=0 paste=8,6 relax=stable").status, 0);
    openAsTheWindowDoes(surface);
    const bool haveAssimpInfo = std::system("command -v assimp >/dev/null 2>&1") == 0;
    for (const char* ext : {".obj", ".ply", ".stl", ".off", ".glb", ".3mf"}) {
        const std::string out = kOut + ext;
        const ToolRun run = tool("apply " + surface + " " + out);
        ASSERT_EQ(run.status, 0) << ext << ": " << run.err;
        Assimp::Importer importer;
        // Joining identical positions undoes the per-corner vertices of OBJ and STL.
        const aiScene* scene = importer.ReadFile(out, aiProcess_JoinIdenticalVertices);
        ASSERT_NE(scene, nullptr) << ext << ": " << importer.GetErrorString();
        ASSERT_EQ(scene->mNumMeshes, 1u) << ext;
        const aiMesh* mesh = scene->mMeshes[0];
        ASSERT_EQ(mesh->mNumFaces, static_cast<unsigned>(NOS)) << ext;
        // As many distinct positions as vertices (STL stores a normal with each
        // corner, so its corners are not joined).
        std::set<std::array<float, 3>> positions;
        for (unsigned i = 0; i < mesh->mNumVertices; ++i)
            positions.insert({mesh->mVertices[i].x, mesh->mVertices[i].y, mesh->mVertices[i].z});
        EXPECT_EQ(positions.size(), static_cast<size_t>(NOV)) << ext;
        // glTF is in metres: the model's millimetres divided by 1000.
        const double unit = std::string(ext) == ".glb" ? 1000 : 1;
        for (int f = 0; f < NOS; ++f) {
            ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u);
            for (int k = 0; k < 3; ++k) {
                const aiVector3D& p = mesh->mVertices[mesh->mFaces[f].mIndices[k]];
                const Point3& q = v[face[f][k]];
                ASSERT_NEAR(p.x * unit, q.x, 1e-5) << ext << " face " << f << " corner " << k;
                ASSERT_NEAR(p.y * unit, q.y, 1e-5);
                ASSERT_NEAR(p.z * unit, q.z, 1e-5);
            }
        }
        if (haveAssimpInfo) {
            EXPECT_EQ(std::system(("assimp info '" + out + "' >/dev/null 2>&1").c_str()), 0) << ext;
        }
        std::remove(out.c_str());
    }
    std::remove(surface.c_str());
}

TEST(Tool, PictureShowsWhatTheWindowShows)
{
    const std::string out = kOut + ".png";
    ASSERT_EQ(tool("apply " + kSingle + " " + out).status, 0);
    cairo_surface_t* image = cairo_image_surface_create_from_png(out.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(image), 640);
    EXPECT_EQ(cairo_image_surface_get_height(image), 480);
    const unsigned char* data = cairo_image_surface_get_data(image);
    int stride = cairo_image_surface_get_stride(image);
    auto pixel = [&](int x, int y) {
        const unsigned char* p = data + y * stride + 4 * x;  // little-endian BGRx
        return RGBColour{p[2], p[1], p[0]};
    };
    openAsTheWindowDoes(kSingle);
    g_centerx = 320;
    g_centery = 220;
    g_rate = 100;
    projectVertices();
    EXPECT_EQ(pixel(5, 470), backgroundColour);
    for (int f = 0; f < NOS; ++f) {
        const int x = (gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3;
        const int y = (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3;
        EXPECT_EQ(pixel(x, y), getcolor(f)) << "face " << f;
    }
    RGBColour mark;
    ASSERT_TRUE(angleSumMark(7, theoryCurvature(), &mark));
    EXPECT_EQ(pixel(gv[7].x + 2, gv[7].y + 2), mark);
    cairo_surface_destroy(image);

    // Zoomed out twice, as the window's Zoom out does: every face where the smaller scale puts it.
    ASSERT_EQ(tool("apply " + kSingle + " " + out + " zoom-out zoom-out").status, 0);
    image = cairo_image_surface_create_from_png(out.c_str());
    data = cairo_image_surface_get_data(image);
    stride = cairo_image_surface_get_stride(image);
    g_rate = 100 / 1.25 / 1.25;
    projectVertices();
    for (int f = 0; f < NOS; ++f) {
        const int x = (gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3;
        const int y = (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3;
        EXPECT_EQ(pixel(x, y), getcolor(f)) << "zoomed out, face " << f;
    }
    EXPECT_EQ(pixel(gv[0].x + 12, gv[0].y), backgroundColour) << "beyond the smaller cell";
    cairo_surface_destroy(image);
    std::remove(out.c_str());
    for (const char* ext : {".svg", ".pdf"}) {
        ASSERT_EQ(tool("apply " + kSingle + " " + kOut + ext).status, 0);
        EXPECT_GT(readAll(kOut + ext).size(), 500u);
        std::remove((kOut + ext).c_str());
    }
}

TEST(Tool, StrainPictureColoursEachFaceByItsLargestEdgeError)
{
    EXPECT_NE(tool("--help").out.find("  strain "), std::string::npos);
    const std::string out = kOut + ".png";
    // Pulled out of shape first (and kept with every digit), so that the faces' errors differ.
    const std::string pulled = kOut + "-pulled.kor";
    ASSERT_EQ(tool("apply --digits=17 " + kSingle + " " + pulled + " pull=2").status, 0);
    ASSERT_EQ(tool("apply " + pulled + " " + out + " strain").status, 0);
    cairo_surface_t* image = cairo_image_surface_create_from_png(out.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    auto pixel = [&](int x, int y) {
        const unsigned char* p = data + y * stride + 4 * x;  // little-endian BGRx
        return RGBColour{p[2], p[1], p[0]};
    };
    openAsTheWindowDoes(pulled);
    g_centerx = 320, g_centery = 220, g_rate = 100;
    projectVertices();
    std::vector<double> strain;
    faceStrain(strain);
    std::set<std::array<int, 3>> colours;
    for (int f = 0; f < NOS; ++f) {
        const int x = (gv[face[f][0]].x + gv[face[f][1]].x + gv[face[f][2]].x) / 3;
        const int y = (gv[face[f][0]].y + gv[face[f][1]].y + gv[face[f][2]].y) / 3;
        const RGBColour base = strainColour(strain[f]);
        EXPECT_EQ(pixel(x, y), faceColourFrom(f, base, base)) << "face " << f << ", error " << strain[f];
        colours.insert({base.r, base.g, base.b});
    }
    EXPECT_GE(colours.size(), 2u) << "faces of different strain show different colours";
    // The key in the bottom-right corner: its bar from cream to deep red.
    Scene probe;
    int left = 0, top = 0;
    placeStrainKey(probe, 640, 480, &left, &top);
    const int barY = top + STRAIN_BAR_Y + 3;
    EXPECT_EQ(pixel(left, top), (RGBColour{0, 0, 0}));
    EXPECT_EQ(pixel(left + STRAIN_BAR_X, barY), strainColour(0));
    EXPECT_EQ(pixel(left + STRAIN_BAR_X + STRAIN_BAR_WIDTH / 2, barY), strainColour(1e-4));
    EXPECT_EQ(pixel(left + STRAIN_BAR_X + STRAIN_BAR_WIDTH - 1, barY), strainColour(1e-2));
    cairo_surface_destroy(image);

    // Without it, the usual colours and no key.
    ASSERT_EQ(tool("apply " + pulled + " " + out).status, 0);
    image = cairo_image_surface_create_from_png(out.c_str());
    data = cairo_image_surface_get_data(image);
    EXPECT_EQ(pixel(left + STRAIN_BAR_X + 20, barY), backgroundColour);
    const int x = (gv[face[0][0]].x + gv[face[0][1]].x + gv[face[0][2]].x) / 3;
    const int y = (gv[face[0][0]].y + gv[face[0][1]].y + gv[face[0][2]].y) / 3;
    EXPECT_EQ(pixel(x, y), getcolor(0));
    cairo_surface_destroy(image);
    std::remove(out.c_str());
    std::remove(pulled.c_str());

    // Vector pictures carry the key too; a thickened solid keeps its colours.
    for (const char* ext : {".svg", ".pdf"}) {
        ASSERT_EQ(tool("apply " + kSingle + " " + kOut + ext + " strain").status, 0);
        std::remove((kOut + ext).c_str());
    }
    EXPECT_EQ(tool("apply " + kSingle + " " + out + " thicken=0.05 strain").status, 1)
        << "only moves and the picture's scale may follow a thickening";
}

TEST(Tool, PngHoldsThePixelsOfTheWindowsRenderer)
{
    // Everything a frame can show: strain colours and their key, angle-sum
    // marks, a picked vertex, a dashed selected component, hidden vertices.
    openAsTheWindowDoes(KORVITH_SOURCE_DIR "/sample/torio.kor");
    fill_conn_comp();
    hilighted[1] = true;
    g_purtj = 3;
    g_show_strain = true;
    g_show_hidden = true;
    const int width = 640, height = 480;
    g_rate = 70, g_centerx = width / 2, g_centery = height * 220 / 480;  // the picture's centre
    const std::string out = kOut + "-window.png";
    std::string why;
    ASSERT_TRUE(exportSurface(out, ".png", nullptr, &why)) << why;
    cairo_surface_t* file = cairo_image_surface_create_from_png(out.c_str());
    std::remove(out.c_str());
    ASSERT_EQ(cairo_surface_status(file), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(file), width);
    ASSERT_EQ(cairo_image_surface_get_height(file), height);

    // The window's frame of the same size, as the canvas paints it.
    Scene scene;
    buildScene(scene, SceneUse::Window);
    placeStrainKey(scene, width, height);
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    rasterSceneInto(frame, scene, 1.0);
    cairo_surface_flush(file);
    long differ = 0;
    for (int y = 0; y < height; ++y) {
        const uint32_t* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(file) +
                                                              y * cairo_image_surface_get_stride(file));
        const uint32_t* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(frame) +
                                                              y * cairo_image_surface_get_stride(frame));
        for (int x = 0; x < width; ++x)
            differ += (a[x] & 0xffffff) != (b[x] & 0xffffff);
    }
    EXPECT_EQ(differ, 0);
    cairo_surface_destroy(frame);
    cairo_surface_destroy(file);
    resetStore();
}

TEST(Tool, RelaxSolveReachesTheTargetsAndSaysWhenTheyCannotBeMet)
{
    // To the default tolerance, written with every digit: the file read back
    // holds the solved positions exactly.
    ToolRun run = tool("apply --digits=17 " + kSingle + " " + kOut + ".kor relax=solve");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    openAsTheWindowDoes(kOut + ".kor");
    EXPECT_LE(maxRelativeEdgeError(), PRECISE_TOLERANCE);
    const std::string written = readAll(kOut + ".kor");
    EXPECT_EQ(surfaceFileText(17), written);
    // Six digits, as Save writes, keep an error of about 1e-6.
    EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor relax=solve").status, 0);
    openAsTheWindowDoes(kOut + ".kor");
    EXPECT_GT(maxRelativeEdgeError(), 1e-8);
    EXPECT_LT(maxRelativeEdgeError(), 1e-5);

    run = tool("apply --digits=12 " + kSingle + " " + kOut + ".kor relax=solve:1e-3");
    ASSERT_EQ(run.status, 0) << run.err;
    openAsTheWindowDoes(kOut + ".kor");
    EXPECT_LE(maxRelativeEdgeError(), 1e-3);

    // A tetrahedron with five edges of 1 and one of 2.5 exists nowhere.
    const std::string tetra = kOut + "_tetra.kor";
    std::ofstream(tetra) << "##korvith01\n##vertex\n4\n0,0,0\n1,0,0\n0.5,0.8,0\n0.5,0.3,0.8\n"
                            "##edge\n6\n0,1,2.5\n0,2,1\n0,3,1\n1,2,1\n1,3,1\n2,3,1\n"
                            "##face\n4\n0,1,2\n0,3,1\n1,3,2\n0,2,3\n##subdiv_level\n2\n##end\n";
    run = tool("apply " + tetra + " " + kOut + ".kor relax=solve");
    EXPECT_EQ(run.status, 0) << "a least-squares shape is a result";
    EXPECT_NE(run.err.find("cannot all be met"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("largest relative edge error 0."), std::string::npos) << run.err;
    EXPECT_TRUE(exists(kOut + ".kor"));
    std::remove(tetra.c_str());

    for (const char* bad : {"relax=solve:", "relax=solve:0", "relax=solve:-1", "relax=solve:x", "relax=solver"})
        EXPECT_EQ(tool("apply " + kSingle + " " + kOut + ".kor " + bad).status, 2) << bad;
    for (const char* digits : {"--digits=0", "--digits=18", "--digits=", "--digits=x"})
        EXPECT_EQ(tool(std::string("apply ") + digits + " " + kSingle + " " + kOut + ".kor").status, 2) << digits;
    EXPECT_EQ(tool("apply --digits=9 " + kSingle + " " + kOut + ".obj").status, 2) << "digits of a mesh";
    std::remove((kOut + ".kor").c_str());
}

TEST(Tool, AGlueThatPinchesAVertexIsDoneWithAWarning)
{
    const std::string out = kOut + "_pinch.kor";
    // The cell added at 0 touches the start cell at 0 only; gluing its rim
    // vertex 10 to 3 leaves 3 with two fans of faces.
    ToolRun run = tool("apply " + kSingle + " " + out + " add-cell=0 paste=10,3");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err,
              "korvith-tool: paste=10,3: warning: Vertex 3 is pinched: its faces meet only at a point (Edit > Undo, "
              "Ctrl-Z, takes the glue back)\n");
    // A glue along the tiling says nothing; seven glued cells close ring 1.
    run = tool("apply " + kSingle + " " + out + " add-cell=0 paste=8,6");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    run = tool("apply " + kSingle + " " + out + " add-glued=0 add-glued=1 add-glued=2 add-glued=3 add-glued=4 "
               "add-glued=5 add-glued=6");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    run = tool("info " + out);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["vertices"], 43);
    EXPECT_EQ(info["faces"], 56);
    std::remove(out.c_str());
}

TEST(Tool, GrowBuildsTheDiscRingByRingAndSaysWhenItCannot)
{
    const std::string disc = kOut + "_disc.kor";
    ToolRun run = tool("apply " + kSingle + " " + disc + " grow=2 grow undo");
    ASSERT_EQ(run.status, 0) << run.err;
    run = tool("info " + disc);
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["vertices"], 141) << "each ring is its own undo step";
    EXPECT_EQ(info["edges"], 343);
    EXPECT_EQ(info["faces"], 203);
    EXPECT_EQ(info["crossing_faces"], 0);
    EXPECT_LT(info["max_edge_error"].get<double>(), 1e-4) << "relaxed before it was written";

    run = tool("apply " + kSingle + " " + disc + " grow=0");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("grow needs a number of rings of at least 1"), std::string::npos) << run.err;
    run = tool("apply " + kSingle + " " + disc + " subdivide=2 grow");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ring 1: Cannot grow a ring: the surface is subdivided (level 2)"), std::string::npos)
        << run.err;
    std::remove(disc.c_str());
}
