// The surface store: every process-wide variable of Korvith is declared here.
//
// The surface lives in fixed-capacity arrays allocated once at start-up and
// reached directly by name; there is no surface object. The model proper is
// `v`, `edge`, `phi`, `face`, the counts `NOV`, `NOE`, `NOS` and `subdiv_level`;
// everything else is derived data, scratch for drawing, or interface state.
// Live entries are the dense prefixes [0, count); entries beyond hold stale data.
#pragma once

#include <wx/gdicmn.h>   // wxPoint (header-only, no GUI library needed)
#include <wx/string.h>
#include <wx/arrstr.h>
#include <wx/list.h>

#include <vector>

class wxBitmap;
class wxPrintData;

// A position in model space.
struct Point3 {
    double x, y, z;
};

// An 8-bit RGB colour of the view. The window converts it to wxColour when it
// paints; keeping it a plain triple lets the colouring logic run without a display.
struct RGBColour {
    unsigned char r, g, b;
    unsigned char Red() const { return r; }
    unsigned char Green() const { return g; }
    unsigned char Blue() const { return b; }
    bool operator==(const RGBColour& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const RGBColour& o) const { return !(*this == o); }
};

// Capacities of the fixed arrays.
constexpr int MAX_VERTICES = 30000;
constexpr int MAX_EDGES = 60000;
constexpr int MAX_FACES = 40000;
constexpr int MAX_COMPONENTS = 100;
// The largest coordinate a position may have. Far beyond any surface, and
// small enough that squares and products of lengths (normals, areas,
// volumes) stay finite; the reader refuses more, and the geometry's guard
// (geometry/runaway_guard.h) puts back a step that would go beyond it.
constexpr double MAX_COORDINATE = 1e30;
// Room of the per-vertex face-count table.
constexpr int NOFACEOFVERTEX_SIZE = 60000;

// Target lengths written by cell creation and the file reader.
extern const double RIM_LENGTH;    // sin(0.9424777959): rim edge, 54 degrees
extern const double SPOKE_LENGTH;  // sin(1.09955742855): spoke edge, 63 degrees

// ---- the model ------------------------------------------------------------
extern Point3* v;            // position of each vertex, MAX_VERTICES entries
extern int (*edge)[2];       // the two end vertices of each edge, MAX_EDGES entries
extern double* phi;          // target length of each edge, MAX_EDGES entries
extern int (*face)[3];       // the corners of each face in orientation order, MAX_FACES entries
extern int NOV;              // number of live vertices
extern int NOE;              // number of live edges
extern int NOS;              // number of live faces
extern int subdiv_level;     // subdivision level; 1 means not subdivided
extern bool g_solid;         // the surface is a thickened solid made for export, not cells; start false

// ---- drawing scratch ------------------------------------------------------
extern double* center;       // depth key (mean z) of each face, as of the last drawing pass
extern int* order;           // face painted at each position of the painting order
extern wxPoint* gv;          // device position of each vertex, as of the last drawing pass

// ---- components -----------------------------------------------------------
extern int* conn_comp;       // component label of each vertex; 0 means no component
extern bool* hilighted;      // per label: the component is selected (MAX_COMPONENTS entries)
extern Point3* compCenter;   // per label: centroid of the component's vertices
extern int NOcomp;           // one more than the number of labelled components
extern bool filledconn_comp; // a labelling has been done at least once

// ---- derived face data ----------------------------------------------------
extern double curvature[MAX_VERTICES];            // angle sum at each vertex, radians
extern int NOfaceOfVertex[NOFACEOFVERTEX_SIZE];   // number of face corners at each vertex
extern int face2edge[3 * MAX_FACES];              // edge on each side of each face (3 per face)
extern bool NOfaceOfVertex_on;                    // NOfaceOfVertex is valid for the current faces
extern bool revised_face2edge;                    // face2edge is stale and must be rebuilt
extern bool revised_facedata;                     // target lengths and corner orders must be revised

// ---- view and interaction -------------------------------------------------
extern int interface_mode;       // 0 Normal, 1 Classic, 2 Touch panel, 3 Creature
extern double g_rate;            // view scale, device pixels per model unit
extern double g_vangle;          // last drag step about the vertical axis, radians
extern double g_hangle;          // last drag step about the horizontal axis, radians
extern int g_rotate;             // remaining ticks of coasting rotation
extern int g_centerx;            // device x of the model origin
extern int g_centery;            // device y of the model origin
extern int g_dragcomponent;      // component label dragged with the right button; 0 none
extern int g_purturb;            // perturbation step counter; 0 when none runs
extern int g_purtj;              // the picked (touched) vertex; -1 none
extern int g_dragpurtj;          // the gluing target under a left drag; -1 none
extern std::vector<int> g_gluable; // under a left drag from the picked vertex: the vertices the gluing rule
                                   // lets it be glued to, in increasing index; empty otherwise (start: empty)
extern int g_aimpurtj;           // of those, the one a release would glue to (nearest the pointer within
                                 // 15 pixels); -1 none (start: -1)
extern bool g_show_hidden;       // View: boundary vertices are marked through the faces; false
extern bool g_show_strain;       // Color > Show edge strain: faces take the colour of their edges' largest
                                 // relative error, with the key in a corner; false
extern bool touch_purturb;       // touch perturbation mode is on
extern int g_buru;               // remaining sway ticks
extern bool g_buruloop;          // repeat sway
extern double g_sway_extent;     // the surface's extent when the running sway began; 0 when none runs
extern bool g_smoothen;          // repeat smoothing
extern bool g_modify_until_valid;// relax on every tick until the surface is stable
extern bool modify_off;          // relaxation is switched off
extern int g_picture_width;     // width of a picture file in pixels; 640
extern int g_picture_height;    // height of a picture file in pixels; 480
extern bool g_picture_fit;      // a picture file is scaled and centred to fill itself; false
extern double g_net_rim_mm;     // a .svg or .pdf output is a paper kit with rim edges this long, mm; 0 (a picture)
extern int g_net_paper;         // the paper of a paper kit: 0 A4, 1 Letter; 0
extern bool g_relax_precisely;   // relax precisely (second-order solver) on every tick until done
extern double g_precise_damping; // damping of the next precise step, carried between ticks

// What the precise relaxation's first phase, a limited-memory quasi-Newton
// descent, carries from one iteration (or tick) to the next.
struct PreciseDescent {
    std::vector<double> steps;    // its last few steps, 3 NOV numbers each, oldest first; empty
    std::vector<double> changes;  // the gradient's change over each of those steps; empty
    std::vector<Point3> left;     // the positions its last step left; other positions start it afresh; empty
    bool over = false;            // it has ended for this run: the steps are damped Newton ones; false
    int batches = 0;              // descent iterations made in this run; 0
    // A batch cut short by a tick's budget, gone on with by the next call while
    // the positions are still those it began from.
    std::vector<Point3> batchFrom;  // the positions it began from; empty when none is under way
    std::vector<Point3> batchAt;    // the positions its steps have reached; empty
    int batchSteps = 0;             // steps it has made; 0
    double batchBefore = 0;         // half the sum of squares where it began; 0
    double batchNow = 0;            // half the sum of squares where its steps have reached; 0
};
extern PreciseDescent g_precise_descent;
class PreciseAnalysis;
class GapRelaxation;
extern GapRelaxation* g_opening_ring; // the window's opening of a grown ring under way (gap_relaxation.h), run
                                     // on the timer before relaxing precisely; nullptr (none)
extern PreciseAnalysis* g_precise_analysis; // the window's kept factorisation analysis (precise_relaxation.h),
                                            // made by the first tick that needs it; null at start
extern wxString messagetxt;      // status message; " " means none
extern wxString g_Filename;      // file name of the last opened or saved file
extern wxString g_Path;          // full path of the last opened or saved file
extern wxString g_Name;          // base name of the surface (file name without extension)
extern unsigned long long g_savedFingerprint; // surfaceFingerprint() of the surface as last opened or saved; 0
extern wxString g_documentPath;  // full path of the surface file the surface was last opened from or saved
                                 // to (not a header, not an appended file); empty for none (the start value,
                                 // and after a sample is chosen): what Revert reads again
extern int g_autosaveLock;       // descriptor of this process's autosave lock file, locked while its autosave
                                 // may exist (io/autosave.h); -1 (none). resetStore leaves it alone
extern wxArrayString g_sampleFolders; // folders searched for the sample files, in order; empty (the
                                      // start value) means the usual places (see sample_loader.h)

// ---- view colours ---------------------------------------------------------
extern RGBColour faceColour;        // base colour of front faces
extern RGBColour backColour;        // base colour of back faces
extern RGBColour modifyColour;      // highlight mixed into picked front faces
extern RGBColour backmodifyColour;  // highlight mixed into picked back faces
extern RGBColour backgroundColour;  // canvas and page background

// ---- window-side objects (defined by the window program) ------------------
extern wxBitmap* gs_bmpScreen;   // the 1600 x 1200 off-screen picture
extern wxPrintData* g_printData; // printer settings kept between print commands

// ---- undo history -----------------------------------------------------------
// One snapshot of the model: the counts, the live parts of the arrays, the level.
struct State {
    int numVertices = 0;
    int numEdges = 0;
    int numFaces = 0;
    Point3* vertices = nullptr;       // copy of v[0 .. NOV-1]
    double* targetLengths = nullptr;  // copy of phi[0 .. NOE-1]
    int (*edges)[2] = nullptr;        // copy of edge[0 .. NOE-1]
    int (*faces)[3] = nullptr;        // copy of face[0 .. NOS-1]
    int level = 0;                    // subdiv_level
    bool undone = false;              // the surface as an undo found it (stored by undo(), not before an edit)
    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();
};
WX_DECLARE_LIST(State, MyList);

extern MyList undoList;                       // the snapshots, oldest first
extern MyList::compatibility_iterator currentState; // node at the current position; null before the first snapshot
// The most memory the snapshots may hold: 512 MB.
constexpr size_t HISTORY_LIMIT = size_t(512) << 20;
extern size_t g_history_bytes;    // memory the snapshots hold now (arrays and records); 0
extern size_t g_history_limit;    // the most they may hold before the oldest go; HISTORY_LIMIT (tests lower it)
extern bool g_history_trimmed;    // the oldest snapshots have been dropped to keep within the limit, and
                                  // the status line has said so (it says so once); false

// Allocates the heap arrays once (later calls do nothing). `gv` entries become
// (0, 0), `conn_comp` entries 0 (no component), `hilighted` all false.
// Writes: v, edge, phi, face, center, order, gv, conn_comp, hilighted, compCenter.
void allocateStore();

// Puts every process-wide variable back to its program-load value, allocating
// the arrays if needed and clearing the undo history: a fresh, empty store.
// Used by tests and by the command-line tool. Writes everything above.
void resetStore();
