// The exports as other programs see them: facet normals, the GLB material,
// the 3MF package read back by lib3mf, admesh and the glTF validator where
// installed; and every output's safe replace (full disk, non-finite surface,
// long names, symbolic links) and the printable solid from the tool.
#include "tests/fixture.h"
#include "tests/read_file.h"
#include "tests/tool_run.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <cstring>
#include <sys/stat.h>

#include <Model/COM/NMR_DLLInterfaces.h>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <nlohmann/json.hpp>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "geometry/thicken.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/triangle_mesh.h"
#include "export/export_surface.h"
#include "export/mesh_export.h"

namespace {
const std::string kTorio = KORVITH_SOURCE_DIR "/sample/torio.kor";

struct Folder {
    Folder()
    {
        char name[] = "/tmp/korvith-export-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::system(("umount '" + path + "/disk' 2>/dev/null; rm -rf '" + path + "'").c_str()); }
    std::string path;
};

bool have(const char* command)
{
    return std::system((std::string("command -v ") + command + " >/dev/null 2>&1").c_str()) == 0;
}

float floatAt(const std::string& bytes, size_t at)
{
    float f;
    std::memcpy(&f, bytes.data() + at, 4);
    return f;
}

uint32_t u32At(const std::string& bytes, size_t at)
{
    uint32_t x;
    std::memcpy(&x, bytes.data() + at, 4);
    return x;
}

// The line "<label> : <number>" of admesh's report.
int admeshFigure(const std::string& report, const std::string& label)
{
    const size_t at = report.find(label);
    return at == std::string::npos ? -1 : std::atoi(report.c_str() + report.find(':', at) + 1);
}

// Reads a 3MF file with lib3mf: the vertex and triangle counts of its meshes.
bool readWithLib3mf(const std::string& path, unsigned* vertices, unsigned* triangles)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan::ScopedDisabler libraryKeepsSomeBlocks;  // lib3mf's ZIP reader does not free all it takes
#endif
    using namespace NMR;
    PLib3MFModel* model = nullptr;
    PLib3MFModelReader* reader = nullptr;
    PLib3MFModelResourceIterator* meshes = nullptr;
    bool ok = lib3mf_createmodel(&model) == LIB3MF_OK && lib3mf_model_queryreader(model, "3mf", &reader) == LIB3MF_OK &&
              lib3mf_reader_readfromfileutf8(reader, path.c_str()) == LIB3MF_OK &&
              lib3mf_model_getmeshobjects(model, &meshes) == LIB3MF_OK;
    *vertices = *triangles = 0;
    BOOL more = false;
    while (ok && lib3mf_resourceiterator_movenext(meshes, &more) == LIB3MF_OK && more) {
        PLib3MFModelResource* mesh = nullptr;
        DWORD nv = 0, nt = 0;
        ok = lib3mf_resourceiterator_getcurrent(meshes, &mesh) == LIB3MF_OK &&
             lib3mf_meshobject_getvertexcount(mesh, &nv) == LIB3MF_OK &&
             lib3mf_meshobject_gettrianglecount(mesh, &nt) == LIB3MF_OK;
        *vertices += nv;
        *triangles += nt;
        if (mesh)
            lib3mf_release(mesh);
    }
    for (PLib3MFBase* p : {meshes, reader, model})
        if (p)
            lib3mf_release(p);
    return ok;
}

void openTorio()
{
    resetStore();
    ASSERT_TRUE(openSurfaceFile(kTorio, false));
    refreshDerivedData();
}
}  // namespace

// Each test starts and ends with an empty store (and undo history).
class Exports : public StoreTest {};

TEST_F(Exports, MeshFilesCarryTheRightNormalsMaterialAndParts)
{
    openTorio();
    Folder dir;
    for (bool solid : {false, true}) {
        const TriangleMesh mesh = currentMesh();
        TriangleMesh m = mesh;
        std::string why;
        if (solid) {
            ASSERT_TRUE(thickenMesh(mesh, 0.1, &m, &why)) << why;
        }
        SCOPED_TRACE(solid ? "solid" : "sheet");

        // STL: every facet normal is the unit right-hand normal of its corners.
        std::string stl;
        ASSERT_TRUE(meshFileBytes(m, ".stl", &stl, &why)) << why;
        ASSERT_EQ(stl.substr(0, 5) == "solid", false) << "a binary STL must not look like a text one";
        ASSERT_EQ(u32At(stl, 80), m.triangles.size());
        ASSERT_EQ(stl.size(), 84 + 50 * m.triangles.size());
        for (size_t t = 0; t < m.triangles.size(); ++t) {
            const size_t at = 84 + 50 * t;
            float c[4][3];
            for (int k = 0; k < 12; ++k)
                c[k / 3][k % 3] = floatAt(stl, at + 4 * k);
            const double u[3] = {c[2][0] - c[1][0], c[2][1] - c[1][1], c[2][2] - c[1][2]};
            const double w[3] = {c[3][0] - c[1][0], c[3][1] - c[1][1], c[3][2] - c[1][2]};
            double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
            const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            EXPECT_GT(c[0][0] * n[0] / len + c[0][1] * n[1] / len + c[0][2] * n[2] / len, 0.99999) << "facet " << t;
        }
        const std::string stlPath = dir.path + "/m.stl";
        ASSERT_TRUE(writeMeshFile(stlPath, ".stl", m, &why)) << why;
        if (have("admesh")) {
            // Check the normals only (the default run would also fill the sheet's hole).
            const ToolRun run = shell("admesh --normal-directions --normal-values '" + stlPath + "'");
            EXPECT_EQ(admeshFigure(run.out, "Normals fixed"), 0) << run.out;
            EXPECT_EQ(admeshFigure(run.out, "Facets reversed"), 0) << run.out;
            if (solid) {
                const ToolRun full = shell("admesh '" + stlPath + "'");
                EXPECT_EQ(admeshFigure(full.out, "Total disconnected facets"), 0) << full.out;
                EXPECT_EQ(admeshFigure(full.out, "Facets added"), 0) << full.out;
                EXPECT_EQ(admeshFigure(full.out, "Normals fixed"), 0) << full.out;
            }
        }

        // OBJ: positions and faces, no per-vertex normals.
        std::string obj;
        ASSERT_TRUE(meshFileBytes(m, ".obj", &obj, &why));
        EXPECT_EQ(obj.find("\nvn "), std::string::npos);

        // GLB: a double-sided material, no extension named, a valid file.
        std::string glb;
        ASSERT_TRUE(meshFileBytes(m, ".glb", &glb, &why));
        ASSERT_EQ(u32At(glb, 8), glb.size());
        const nlohmann::json gltf = nlohmann::json::parse(glb.substr(20, u32At(glb, 12)));
        EXPECT_EQ(gltf["materials"][0]["doubleSided"], true);
        EXPECT_FALSE(gltf.contains("extensionsUsed"));
        const std::string glbPath = dir.path + "/m.glb";
        ASSERT_TRUE(writeMeshFile(glbPath, ".glb", m, &why));
        const std::string validator = std::string(std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME")
                                                                                 : std::string(std::getenv("HOME")) + "/.cache") +
                                      "/korvith-node/node_modules";
        if (have("node") && shell("test -d '" + validator + "/gltf-validator'").status == 0) {
            const ToolRun run = shell("NODE_PATH='" + validator + "' node " KORVITH_SOURCE_DIR
                                      "/tests/validate_gltf.js '" + glbPath + "'");
            EXPECT_EQ(run.status, 0) << run.out << run.err;
        }

        // 3MF: the standard part name, read back by lib3mf; the same bytes every time.
        const std::string threeMf = dir.path + "/m.3mf";
        ASSERT_TRUE(writeMeshFile(threeMf, ".3mf", m, &why)) << why;
        EXPECT_NE(readAll(threeMf).find("3D/3dmodel.model"), std::string::npos);
        unsigned nv = 0, nt = 0;
        ASSERT_TRUE(readWithLib3mf(threeMf, &nv, &nt));
        EXPECT_EQ(nv, m.vertices.size());
        EXPECT_EQ(nt, m.triangles.size());
    }
}

TEST_F(Exports, ThreeMfWritesSucceedAThousandTimesInARow)
{
    openTorio();
    Folder dir;
    const std::string path = dir.path + "/torio.3mf";
    std::string first, why;
    for (int k = 0; k < 1000; ++k) {
        ASSERT_TRUE(writeMeshFile(path, ".3mf", currentMesh(), &why)) << "write " << k << ": " << why;
        if (k == 0)
            first = readAll(path);
    }
    EXPECT_EQ(readAll(path), first);
    EXPECT_EQ(shell("test $(ls -A '" + dir.path + "' | wc -l) -eq 1").status, 0) << "no temporary file is left";
}

TEST_F(Exports, EveryOutputFailsWholeAndKeepsTheOldFile)
{
    Folder dir;
    const std::vector<std::string> formats = {".kor", ".h", ".obj", ".ply", ".stl", ".off", ".glb", ".3mf", ".png",
                                              ".svg", ".pdf"};
    for (const std::string& ext : formats) {
        SCOPED_TRACE(ext);
        const std::string out = dir.path + "/old" + ext;
        std::ofstream(out) << "old";
        // Positions that would overflow to infinity, or beyond the range of
        // the floats that PLY, STL and glTF store: the op is refused and
        // nothing is written.
        ToolRun run = tool("apply " + kTorio + " '" + out + "' scale=1e300 scale=1e300");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("operation 1 (scale=1e300): not applied: vertex 0 would go too far out"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(readAll(out), "old");
        // The disk fills up (a file size limit of 1 KiB stands in for it): the
        // write fails, instead of the limit's signal ending the program.
        run = shell("ulimit -f 1; " KORVITH_TOOL " apply " KORVITH_SOURCE_DIR
                    "/sample/22222Dodecahedra.kor '" + out + "'");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(readAll(out), "old");
    }
    EXPECT_EQ(shell("test $(ls -A '" + dir.path + "' | wc -l) -eq " + std::to_string(formats.size())).status, 0)
        << "no temporary file is left";
}

TEST_F(Exports, AFullFileSystemFailsTheWriteAndKeepsTheOldFile)
{
    Folder dir;
    const std::string disk = dir.path + "/disk";
    mkdir(disk.c_str(), 0755);
    if (shell("mount -t tmpfs -o size=64k tmpfs '" + disk + "'").status != 0)
        GTEST_SKIP() << "a small file system cannot be mounted here";
    const std::vector<std::string> formats = {".stl", ".obj", ".ply", ".3mf", ".kor"};
    for (const std::string& ext : formats)
        std::ofstream(disk + "/old" + ext) << "old";
    shell("dd if=/dev/zero of='" + disk + "/filler' bs=1k 2>/dev/null");  // until the disk is full
    for (const std::string& ext : formats) {
        const std::string out = disk + "/old" + ext;
        const ToolRun run = tool("apply " KORVITH_SOURCE_DIR "/sample/13-13-3Lattice.kor '" + out + "'");
        EXPECT_EQ(run.status, 1) << ext;
        EXPECT_NE(run.err.find("No space left"), std::string::npos) << ext << ": " << run.err;
        EXPECT_EQ(readAll(out), "old") << ext;
    }
}

TEST_F(Exports, LongNamesAndSymbolicLinks)
{
    Folder dir;
    // A name at the file system's limit still has room for its temporary name.
    const std::string longName = dir.path + "/" + std::string(251, 'n') + ".stl";
    ToolRun run = tool("apply " + kTorio + " '" + longName + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_GT(readAll(longName).size(), 84u);
    const std::string utf8Name = dir.path + "/" + std::string(240, 'n') + "\xc3\xa9\xc3\xa9\xc3\xa9.kor";
    EXPECT_EQ(tool("apply " + kTorio + " '" + utf8Name + "'").status, 0);

    // Writing onto a link replaces the file it points to; the link stays.
    const std::string target = dir.path + "/real.obj", link = dir.path + "/link.obj";
    std::ofstream(target) << "old";
    ASSERT_EQ(symlink("real.obj", link.c_str()), 0);
    run = tool("apply " + kTorio + " '" + link + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readAll(target).substr(0, 1), "#");
    // So does a picture.
    const std::string picture = dir.path + "/real.png", pictureLink = dir.path + "/link.png";
    std::ofstream(picture) << "old";
    ASSERT_EQ(symlink("real.png", pictureLink.c_str()), 0);
    EXPECT_EQ(tool("apply " + kTorio + " '" + pictureLink + "'").status, 0);
    ASSERT_EQ(lstat(pictureLink.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readAll(picture).substr(1, 3), "PNG");
    // A link to a file not there yet creates it.
    const std::string dangling = dir.path + "/later.kor";
    ASSERT_EQ(symlink("made.kor", dangling.c_str()), 0);
    EXPECT_EQ(tool("apply " + kTorio + " '" + dangling + "'").status, 0);
    EXPECT_EQ(readAll(dir.path + "/made.kor").substr(0, 11), "##korvith01");
    // A loop of links is refused.
    const std::string loop = dir.path + "/loop.off";
    ASSERT_EQ(symlink("loop.off", loop.c_str()), 0);
    run = tool("apply " + kTorio + " '" + loop + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("symbolic link"), std::string::npos) << run.err;
}

TEST_F(Exports, ThickenedAndScaledSolidFromTheTool)
{
    Folder dir;
    const std::string out = dir.path + "/torio.3mf";
    ToolRun run = tool("apply " + kTorio + " '" + out + "' thicken=0.1 scale=10");
    ASSERT_EQ(run.status, 0) << run.err;
    openTorio();
    TriangleMesh solid;
    std::string why;
    ASSERT_TRUE(thickenMesh(currentMesh(), 0.1, &solid, &why));
    unsigned nv = 0, nt = 0;
    ASSERT_TRUE(readWithLib3mf(out, &nv, &nt));
    EXPECT_EQ(nv, solid.vertices.size());
    EXPECT_EQ(nt, solid.triangles.size());
    // The window's export of a 1 mm wall at ten units per model unit writes the same solid.
    const std::string fromTool = dir.path + "/tool.off", fromWindow = dir.path + "/window.off";
    ASSERT_EQ(tool("apply " + kTorio + " '" + fromTool + "' thicken=0.1 scale=10").status, 0);
    PrintSize size;
    size.rimEdgeMm = 10 * RIM_LENGTH;
    size.thicknessMm = 1;
    ASSERT_TRUE(exportSurface(fromWindow, ".off", &size, &why)) << why;
    std::ifstream a(fromTool), b(fromWindow);
    std::string wordA, wordB;
    int words = 0;
    while (a >> wordA && b >> wordB) {
        ++words;
        EXPECT_NEAR(std::atof(wordA.c_str()), std::atof(wordB.c_str()), 1e-6) << "word " << words;
    }
    EXPECT_EQ(words, 4 + 3 * static_cast<int>(solid.vertices.size()) + 4 * static_cast<int>(solid.triangles.size()));

    // A solid is no surface of cells: not written as one, and not reshaped.
    for (const std::string& out : {"'" + dir.path + "/x.kor'", std::string("- --format=kor"), std::string("- --format=h")}) {
        run = tool("apply " + kTorio + " " + out + " thicken=0.1");
        EXPECT_EQ(run.status, 1) << out;
        EXPECT_TRUE(run.out.empty()) << out;
        EXPECT_NE(run.err.find("only as a mesh or a picture"), std::string::npos) << run.err;
    }
    run = tool("apply " + kTorio + " '" + dir.path + "/x.stl' thicken=0.1 relax");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("operation 2 (relax)"), std::string::npos) << run.err;
    EXPECT_EQ(tool("apply " + kTorio + " '" + dir.path + "/x.stl' thicken=0.1 rotate=0.3,0.2 center scale=2 mirror")
                  .status,
              0);
    EXPECT_EQ(tool("apply " + kTorio + " x.stl thicken=-1").status, 2);
    EXPECT_EQ(tool("apply " + kTorio + " x.stl scale=0").status, 2);

    // info tells genus and orientability.
    const nlohmann::json info = nlohmann::json::parse(tool("info " KORVITH_SOURCE_DIR "/sample/2222skewLattice.kor").out);
    EXPECT_EQ(info["orientable"], true);
    EXPECT_EQ(info["genus"], 5);
}

TEST_F(Exports, PicturesFitTheSurfaceTakeTheirSizeAndKeepExactPositions)
{
    Folder dir;
    const std::string lattice = KORVITH_SOURCE_DIR "/sample/13-13-3Lattice.kor";
    auto pngSize = [](const std::string& bytes) {
        auto big = [&](size_t at) {
            return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
                   (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
        };
        return std::make_pair(big(16), big(20));
    };
    const std::string sized = dir.path + "/sized.png";
    ToolRun run = tool("apply " + lattice + " '" + sized + "' size=800x300 fit");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(pngSize(readAll(sized)), std::make_pair(800u, 300u));
    EXPECT_NE(tool("apply " + lattice + " '" + sized + "' size=800").status, 0);
    const std::string longName = dir.path + "/" + std::string(251, 'p') + ".png";
    run = tool("apply " + lattice + " '" + longName + "'");
    EXPECT_EQ(run.status, 0) << "a picture's temporary name fits beside it too: " << run.err;

    // At the default scale the lattice overflows the picture; fitted, it lies
    // within it with a margin. The SVG's corners show which.
    auto extent = [&](const std::string& ops) {
        const std::string svg = dir.path + "/p.svg";
        const ToolRun r = tool("apply " + lattice + " '" + svg + "' " + ops);
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string text = readAll(svg);
        double lo = 1e9, hi = -1e9;
        bool fractions = false;
        for (size_t at = text.find(" d=\"M "); at != std::string::npos; at = text.find(" d=\"M ", at + 1)) {
            const double x = std::atof(text.c_str() + at + 6);
            if (text.compare(at + 6, 5, "0.5 0") == 0)
                continue;  // the background's border
            lo = std::min(lo, x), hi = std::max(hi, x);
            const double fraction = x - std::floor(x);
            fractions |= std::fabs(fraction - 0.5) > 1e-6 && fraction > 1e-6;
        }
        EXPECT_TRUE(fractions) << "vector pictures keep the exact positions, not whole pixels";
        return std::make_pair(lo, hi);
    };
    const auto cropped = extent("");
    EXPECT_LT(cropped.first, 0.0);
    EXPECT_GT(cropped.second, 640.0);
    const auto fitted = extent("fit");
    EXPECT_GT(fitted.first, 20.0);
    EXPECT_LT(fitted.second, 620.0);
    EXPECT_GT(fitted.second - fitted.first, 400.0) << "it fills the picture";

    // The picture leaves the view as it was, for the window that exports it.
    ASSERT_TRUE(openSurfaceFile(lattice, false));
    refreshDerivedData();
    g_rate = 80, g_centerx = 400, g_centery = 300, g_picture_fit = true;
    std::string why;
    EXPECT_TRUE(exportSurface(dir.path + "/view.png", ".png", nullptr, &why)) << why;
    EXPECT_EQ(g_rate, 80.0);
    EXPECT_EQ(g_centerx, 400);
    EXPECT_EQ(g_centery, 300);
}

namespace {
// The number right after `label` in admesh's report (a double, unlike
// admeshFigure), as in "Max X =  19.116970" or "Volume   :  1362.372192".
double admeshNumber(const std::string& report, const std::string& label)
{
    const size_t at = report.find(label);
    return at == std::string::npos ? NAN : std::atof(report.c_str() + at + label.size());
}

// The number after "<word> " on the --report line that starts with `word`.
double reportNumber(const std::string& report, const std::string& word)
{
    const size_t at = report.find(word + " ");
    return at == std::string::npos ? NAN : std::atof(report.c_str() + at + word.size() + 1);
}

size_t lines(const std::string& text)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}
}  // namespace

TEST_F(Exports, ThickenTellsTheWallAndRefusesACrossingSolid)
{
    Folder dir;
    const std::string lattice = KORVITH_SOURCE_DIR "/sample/2321-31-1223Lattice.kor";
    const std::string out = dir.path + "/lattice.stl";
    std::ofstream(out) << "old";
    // At 0.2 this lattice's solid passes through itself: refused on one line
    // that names the largest clean thickness, and the old file stays.
    ToolRun run = tool("apply " + lattice + " '" + out + "' thicken=0.2 scale=12.36");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("passes through itself"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--allow-crossing"), std::string::npos) << run.err;
    const size_t at = run.err.find("largest clean thickness found is ");
    ASSERT_NE(at, std::string::npos) << run.err;
    const double clean = std::atof(run.err.c_str() + at + 33);
    EXPECT_GT(clean, 0.05);
    EXPECT_LT(clean, 0.2);
    EXPECT_EQ(readAll(out), "old");
    // The thickness it names is clean: written, with the smallest wall told.
    run = tool("apply " + lattice + " '" + out + "' thicken=" + std::to_string(clean) + " scale=12.36");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("smallest wall"), std::string::npos) << run.err;
    // Asked for, the crossing solid is written; admesh still finds it closed.
    run = tool("apply " + lattice + " '" + out + "' thicken=0.2 scale=12.36 --allow-crossing");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("pairs of faces cross"), std::string::npos) << run.err;
    EXPECT_GT(readAll(out).size(), 84u);
    if (have("admesh")) {
        const ToolRun full = shell("admesh '" + out + "'");
        EXPECT_EQ(admeshFigure(full.out, "Facets added"), 0) << full.out;
    }

    // On the README's recipe every sample's wall is told, one line, and is the
    // full 0.1 or says why not.
    run = tool("apply " KORVITH_SOURCE_DIR "/sample/22222Dodecahedra.kor '" + dir.path + "/d.3mf' thicken=0.1 scale=12.36");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "korvith-tool: thicken=0.1: smallest wall 0.1 (1 of the thickness 0.1) near vertex 79\n");
    run = tool("apply " KORVITH_SOURCE_DIR "/sample/2323-2323-2323.kor '" + dir.path + "/p.3mf' thicken=0.1 scale=12.36");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(", where the faces turn too sharply"), std::string::npos) << run.err;
    unsigned nv = 0, nt = 0;
    EXPECT_TRUE(readWithLib3mf(dir.path + "/p.3mf", &nv, &nt));
    EXPECT_GT(nt, 0u);
}

TEST_F(Exports, PrintFormatsWarnOfOpenSurfacesAndOddSizesAndRefuseUnderflow)
{
    Folder dir;
    const std::string stl = dir.path + "/t.stl", threeMf = dir.path + "/t.3mf", obj = dir.path + "/t.obj";
    // An open sheet as STL or 3MF: written, with a warning; as OBJ: no word.
    for (const std::string& out : {stl, threeMf}) {
        const ToolRun run = tool("apply " + kTorio + " '" + out + "' scale=30");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "korvith-tool: warning: the surface is open (a sheet of no thickness): a slicer cannot fill "
                           "it; thicken=T makes a solid\n");
    }
    EXPECT_EQ(tool("apply " + kTorio + " '" + obj + "'").err, "");
    // A solid a few millimetres across, and one of metres: the scale to use.
    ToolRun run = tool("apply " + kTorio + " '" + stl + "' thicken=0.1");
    EXPECT_EQ(run.status, 0);
    size_t at = run.err.find("warning: the largest side is 3.21 mm (STL is read in millimetres); use scale=");
    ASSERT_NE(at, std::string::npos) << run.err;
    const std::string scale = run.err.substr(run.err.find("scale=", at) + 6, run.err.find(' ', run.err.find("scale=", at)) -
                                                                                 run.err.find("scale=", at) - 6);
    run = tool("apply " + kTorio + " '" + threeMf + "' thicken=0.1 scale=400");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("largest side is 1.29e+03 mm (3MF is read in millimetres); use scale="), std::string::npos)
        << run.err;
    // The scale it suggests makes it 100 mm and the warning goes.
    run = tool("apply " + kTorio + " '" + stl + "' thicken=0.1 scale=" + scale);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.find("warning"), std::string::npos) << run.err;
    if (have("admesh")) {
        const ToolRun full = shell("admesh '" + stl + "'");
        const double side = std::max({admeshNumber(full.out, "Max X =") - admeshNumber(full.out, "Min X ="),
                                      admeshNumber(full.out, "Max Y =") - admeshNumber(full.out, "Min Y ="),
                                      admeshNumber(full.out, "Max Z =") - admeshNumber(full.out, "Min Z =")});
        EXPECT_NEAR(side, 100, 0.5) << full.out;
    }

    // Scales whose positions underflow are refused, and nothing is written.
    std::ofstream(stl) << "old";
    run = tool("apply " + kTorio + " '" + stl + "' scale=1e-320");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("too small to keep their digits"), std::string::npos) << run.err;
    run = tool("apply " + kTorio + " '" + stl + "' scale=1e-300 scale=1e-300");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("makes every position the same"), std::string::npos) << run.err;
    run = tool("apply " + kTorio + " '" + stl + "' scale=1e-200");
    EXPECT_EQ(run.status, 1) << "single-precision STL cannot hold 1e-200";
    EXPECT_NE(run.err.find("too near 0"), std::string::npos) << run.err;
    EXPECT_EQ(readAll(stl), "old");
    EXPECT_EQ(tool("apply " + kTorio + " '" + obj + "' scale=1e-200").status, 0) << "OBJ keeps doubles";
}

TEST_F(Exports, GlbHoldsMetresAndTheReportMatchesAdmesh)
{
    Folder dir;
    // glTF is read in metres: the 100 mm solid is 0.1 m across.
    const std::string glb = dir.path + "/t.glb";
    ToolRun run = tool("apply " + kTorio + " '" + glb + "' thicken=0.1 scale=31.1");
    ASSERT_EQ(run.status, 0) << run.err;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(glb, 0);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    float lo = 1e9, hi = -1e9;
    for (unsigned i = 0; i < scene->mMeshes[0]->mNumVertices; ++i) {
        lo = std::min(lo, scene->mMeshes[0]->mVertices[i].x);
        hi = std::max(hi, scene->mMeshes[0]->mVertices[i].x);
    }
    EXPECT_NEAR(hi - lo, 0.1, 0.002);
    EXPECT_NE(tool("--help").out.find("metres"), std::string::npos);

    // --report: volume, box, wall, shells, closed and outward, as admesh sees them.
    const std::string stl = dir.path + "/t.stl";
    run = tool("apply " + kTorio + " '" + stl + "' thicken=0.1 scale=12.36 --report");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(lines(run.out), 6u) << run.out;
    EXPECT_NEAR(reportNumber(run.out, "smallest wall"), 1.236, 0.001) << run.out;
    EXPECT_NE(run.out.find("closed yes\noutward yes\n"), std::string::npos) << run.out;
    EXPECT_EQ(reportNumber(run.out, "shells"), 1);
    if (have("admesh")) {
        const ToolRun full = shell("admesh '" + stl + "'");
        EXPECT_NEAR(reportNumber(run.out, "volume"), admeshNumber(full.out, "Volume   :"), 1) << full.out;
        EXPECT_EQ(admeshFigure(full.out, "Number of parts"), 1);
        EXPECT_NEAR(reportNumber(run.out, "bounding box"),
                    admeshNumber(full.out, "Max X =") - admeshNumber(full.out, "Min X ="), 0.01);
    }
    // A sheet: open, no wall, no volume to speak of; to standard error beside an output on standard output.
    run = tool("apply " + kTorio + " - --format=off --report");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 3), "OFF");
    EXPECT_NE(run.err.find("smallest wall -\nshells 1\nclosed no\noutward no\n"), std::string::npos) << run.err;
    // Two solids side by side are two shells.
    const std::string two = dir.path + "/two.kor";
    ASSERT_EQ(tool("apply " + kTorio + " '" + two + "' copy").status, 0);
    run = tool("apply '" + two + "' '" + stl + "' thicken=0.05 scale=12.36 --report");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(reportNumber(run.out, "shells"), 2) << run.out;
    EXPECT_NE(run.out.find("outward yes"), std::string::npos) << run.out;
}

TEST_F(Exports, PicturesOfASolidHaveNoAngleSumDiscsAndSvgIsSizedInPixels)
{
    Folder dir;
    const std::string svg = dir.path + "/t.svg", cell = KORVITH_SOURCE_DIR "/sample/single.kor";
    ASSERT_EQ(tool("apply " + cell + " '" + svg + "' size=300x200").status, 0);
    const std::string sheet = readAll(svg);
    EXPECT_NE(sheet.find("width=\"300px\" height=\"200px\""), std::string::npos) << sheet.substr(0, 300);
    ASSERT_EQ(tool("apply " + cell + " '" + svg + "' thicken=0.1 size=300x200").status, 0);
    const std::string solid = readAll(svg);
    // Discs are drawn as closed arcs: cairo writes them with "C" curves, faces with lines only.
    EXPECT_NE(sheet.find(" C "), std::string::npos) << "the sheet carries angle-sum discs";
    EXPECT_EQ(solid.find(" C "), std::string::npos) << "the solid carries none";
}

TEST_F(Exports, InfoOnAnStlTellsWhatASlicerWillFind)
{
    Folder dir;
    const std::string stl = dir.path + "/t.stl";
    ToolRun run = tool("apply " + kTorio + " '" + stl + "' thicken=0.1 scale=12.36 --report");
    ASSERT_EQ(run.status, 0) << run.err;
    const double volume = reportNumber(run.out, "volume");
    run = tool("info '" + stl + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["triangles"], 72);
    EXPECT_EQ(info["vertices"], 38) << "corners at one position are one vertex";
    EXPECT_NEAR(info["volume_mm3"].get<double>(), volume, 1);
    EXPECT_EQ(info["shells"], 1);
    EXPECT_EQ(info["closed"], true);
    EXPECT_EQ(info["outward"], true);
    EXPECT_EQ(info["crossing_faces"], 0);
    EXPECT_TRUE(info["smallest_wall_mm"].is_null());
    if (have("admesh")) {
        const ToolRun full = shell("admesh '" + stl + "'");
        EXPECT_NEAR(info["volume_mm3"].get<double>(), admeshNumber(full.out, "Volume   :"), 0.01);
    }
    // A sheet is open; a text STL of a tetrahedron turned inside out is closed but not outward.
    ASSERT_EQ(tool("apply " + kTorio + " '" + stl + "' scale=30").status, 0);
    info = nlohmann::json::parse(tool("info '" + stl + "'").out);
    EXPECT_EQ(info["closed"], false);
    std::ofstream(stl) << "solid inside_out\n"
                          "facet normal 0 0 0\n outer loop\n  vertex 0 0 0\n  vertex 1 0 0\n  vertex 0 1 0\n endloop\nendfacet\n"
                          "facet normal 0 0 0\n outer loop\n  vertex 0 0 0\n  vertex 0 0 1\n  vertex 1 0 0\n endloop\nendfacet\n"
                          "facet normal 0 0 0\n outer loop\n  vertex 0 0 0\n  vertex 0 1 0\n  vertex 0 0 1\n endloop\nendfacet\n"
                          "facet normal 0 0 0\n outer loop\n  vertex 1 0 0\n  vertex 0 0 1\n  vertex 0 1 0\n endloop\nendfacet\n"
                          "endsolid inside_out\n";
    run = tool("info '" + stl + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    info = nlohmann::json::parse(run.out);
    EXPECT_EQ(info["vertices"], 4);
    EXPECT_EQ(info["closed"], true);
    EXPECT_EQ(info["outward"], false);
    EXPECT_NEAR(info["volume_mm3"].get<double>(), -1.0 / 6, 1e-12);
    // Not an STL: one line, exit 1.
    std::ofstream(stl) << "hello";
    run = tool("info '" + stl + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("not an STL file"), std::string::npos) << run.err;
}
