#include "model/store.h"

#include <cmath>

#include "model/history.h"

const double RIM_LENGTH = std::sin(0.9424777959);
const double SPOKE_LENGTH = std::sin(1.09955742855);

Point3* v = nullptr;
int (*edge)[2] = nullptr;
double* phi = nullptr;
int (*face)[3] = nullptr;
int NOV = 0;
int NOE = 0;
int NOS = 0;
int subdiv_level = 1;
bool g_solid = false;

double* center = nullptr;
int* order = nullptr;
wxPoint* gv = nullptr;

int* conn_comp = nullptr;
bool* hilighted = nullptr;
Point3* compCenter = nullptr;
int NOcomp = 0;
bool filledconn_comp = false;

double curvature[MAX_VERTICES];
int NOfaceOfVertex[NOFACEOFVERTEX_SIZE];
int face2edge[3 * MAX_FACES];
bool NOfaceOfVertex_on = false;
bool revised_face2edge = true;
bool revised_facedata = true;

int interface_mode = 0;
double g_rate = 100.0;
double g_vangle = 0.0;
double g_hangle = 0.0;
int g_rotate = 0;
int g_centerx = 0;
int g_centery = 0;
int g_dragcomponent = 0;
int g_purturb = 1;
int g_purtj = -1;
int g_dragpurtj = -1;
std::vector<int> g_gluable;
int g_aimpurtj = -1;
bool g_show_hidden = false;
bool g_show_strain = false;
bool touch_purturb = false;
int g_buru = 0;
bool g_buruloop = false;
double g_sway_extent = 0;
bool g_smoothen = false;
bool g_modify_until_valid = false;
bool g_relax_precisely = false;
int g_picture_width = 640;
int g_picture_height = 480;
bool g_picture_fit = false;
double g_net_rim_mm = 0;
int g_net_paper = 0;
double g_precise_damping = 1e-3;
PreciseDescent g_precise_descent;
PreciseAnalysis* g_precise_analysis = nullptr;
GapRelaxation* g_opening_ring = nullptr;
bool modify_off = false;
wxString messagetxt;
wxString g_Filename = "untitled";
wxString g_Path;
wxString g_Name;
unsigned long long g_savedFingerprint = 0;
wxString g_documentPath;
int g_autosaveLock = -1;
wxArrayString g_sampleFolders;

RGBColour faceColour = {229, 224, 188};
RGBColour backColour = {86, 61, 38};
RGBColour modifyColour = {0, 255, 0};
RGBColour backmodifyColour = {255, 0, 255};
RGBColour backgroundColour = {255, 255, 255};

wxBitmap* gs_bmpScreen = nullptr;
wxPrintData* g_printData = nullptr;

void allocateStore()
{
    if (v)
        return;
    v = new Point3[MAX_VERTICES];
    edge = new int[MAX_EDGES][2];
    phi = new double[MAX_EDGES];
    face = new int[MAX_FACES][3];
    center = new double[MAX_FACES];
    order = new int[MAX_FACES];
    gv = new wxPoint[MAX_VERTICES];
    // Vertices created after the last labelling read as "no component".
    conn_comp = new int[MAX_VERTICES]();
    hilighted = new bool[MAX_COMPONENTS]();
    compCenter = new Point3[MAX_COMPONENTS]();
}

void resetStore()
{
    allocateStore();
    clearHistory();
    g_history_limit = HISTORY_LIMIT;
    g_history_trimmed = false;
    for (int i = 0; i < MAX_VERTICES; ++i) {
        v[i] = Point3{0, 0, 0};
        gv[i] = wxPoint(0, 0);
        conn_comp[i] = 0;
        curvature[i] = 0.0;
    }
    for (int e = 0; e < MAX_EDGES; ++e) {
        edge[e][0] = edge[e][1] = 0;
        phi[e] = 0.0;
    }
    for (int f = 0; f < MAX_FACES; ++f) {
        face[f][0] = face[f][1] = face[f][2] = 0;
        center[f] = 0.0;
        order[f] = 0;
    }
    for (int& n : NOfaceOfVertex)
        n = 0;
    for (int& s : face2edge)
        s = 0;
    for (int c = 0; c < MAX_COMPONENTS; ++c) {
        hilighted[c] = false;
        compCenter[c] = Point3{0, 0, 0};
    }
    NOV = NOE = NOS = 0;
    subdiv_level = 1;
    g_solid = false;
    NOcomp = 0;
    filledconn_comp = false;
    NOfaceOfVertex_on = false;
    revised_face2edge = true;
    revised_facedata = true;

    interface_mode = 0;
    g_rate = 100.0;
    g_vangle = g_hangle = 0.0;
    g_rotate = 0;
    g_centerx = g_centery = 0;
    g_dragcomponent = 0;
    g_purturb = 1;
    g_purtj = g_dragpurtj = g_aimpurtj = -1;
    g_gluable.clear();
    g_show_hidden = false;
    g_show_strain = false;
    touch_purturb = false;
    g_buru = 0;
    g_sway_extent = 0;
    g_buruloop = g_smoothen = g_modify_until_valid = modify_off = false;
    g_relax_precisely = false;
    g_picture_width = 640;
    g_picture_height = 480;
    g_picture_fit = false;
    g_net_rim_mm = 0;
    g_net_paper = 0;
    g_precise_damping = 1e-3;
    g_precise_descent = PreciseDescent();
    messagetxt.clear();
    g_Filename = "untitled";
    g_Path.clear();
    g_Name.clear();
    g_savedFingerprint = 0;
    g_documentPath.clear();
    g_sampleFolders.clear();

    faceColour = {229, 224, 188};
    backColour = {86, 61, 38};
    modifyColour = {0, 255, 0};
    backmodifyColour = {255, 0, 255};
    backgroundColour = {255, 255, 255};
}
