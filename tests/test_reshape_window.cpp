// The whole-surface commands in the window: their snapshots, relabelling and recentring.
#include "app/command_ids.h"
#include "app/frame.h"
#include "geometry/precise_relaxation.h"

#include <wx/statusbr.h>
#include "io/sample_loader.h"
#include "model/derived_data.h"
#include "model/history.h"
#include "model/store.h"
#include "model/validate.h"
#include "tests/window_harness.h"
#include "geometry/face_clearance.h"
#include "geometry/gap_relaxation.h"

namespace {
void startUpCell()
{
    ReadSampleData(FIRST_SAMPLE);
    refreshDerivedData();
    subdiv_level = 1;
    g_purtj = g_dragpurtj = -1;
    modify_off = false;
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        hilighted[c] = false;
}
}  // namespace

TEST(Reshape, KagoOnALevelOneSurfaceOnlyRecordsASnapshot)
{
    startUpCell();
    const int snapshots = historyLength();
    const Point3 p = v[3];
    sendCommand(ID_KAGO);
    EXPECT_EQ(historyLength(), snapshots + 1);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(v[3].x, p.x);
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOV, 8);
}

TEST(Reshape, SubdivideThenKagoThenUndo)
{
    startUpCell();
    const int snapshots = historyLength();
    sendCommand(ID_SUBDIV_2);
    EXPECT_EQ(historyLength(), snapshots + 1);
    EXPECT_EQ(NOV, 22);
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(NOcomp, 2) << "relabelled after subdividing";
    EXPECT_EQ(conn_comp[21], 1);
    // A second subdivision is refused but still recorded, and changes nothing.
    sendCommand(ID_SUBDIV_3);
    EXPECT_EQ(historyLength(), snapshots + 2);
    EXPECT_EQ(NOV, 22);
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOV, 22);
    EXPECT_EQ(subdiv_level, 2);
    sendCommand(ID_KAGO);
    EXPECT_EQ(NOV, 21);
    EXPECT_EQ(NOE, 42);
    EXPECT_EQ(NOS, 21);
    EXPECT_EQ(validateStore(), "");
    sendCommand(ID_UNDO);
    sendCommand(ID_UNDO);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(NOV, 8);
}

TEST(Reshape, AddCopyRecentresAndLabelsTheCopy)
{
    startUpCell();
    NOcomp = 1;
    sendCommand(ID_ADD_SAME);
    EXPECT_EQ(NOV, 16);
    EXPECT_EQ(conn_comp[8], 2);
    Point3 mean{0, 0, 0};
    for (int i = 0; i < NOV; ++i)
        mean = Point3{mean.x + v[i].x, mean.y + v[i].y, mean.z + v[i].z};
    EXPECT_NEAR(mean.x, 0, 1e-12);
    sendCommand(ID_ADD_MIRROR);
    EXPECT_EQ(NOV, 32);
    EXPECT_EQ(validateStore(), "");
}

TEST(Reshape, RemoveNeedsALivePickedVertex)
{
    startUpCell();
    const int snapshots = historyLength();
    sendCommand(ID_REMOVE_CELL);
    EXPECT_EQ(NOV, 8);
    g_purtj = 8;  // beyond the surface
    sendCommand(ID_REMOVE_CELL);
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(historyLength(), snapshots);
    g_purtj = 7;
    sendCommand(ID_REMOVE_CELL);
    EXPECT_EQ(NOV, 7);
    EXPECT_EQ(NOS, 0);
    EXPECT_EQ(g_purtj, -1);
    EXPECT_EQ(historyLength(), snapshots + 1);
    EXPECT_EQ(NOcomp, 2);
    EXPECT_FALSE(NOfaceOfVertex_on);
}

TEST(Reshape, FlipRecordsNothing)
{
    startUpCell();
    const int snapshots = historyLength();
    const int corner = face[0][1];
    sendCommand(ID_FLIP);
    EXPECT_EQ(face[0][2], corner);
    EXPECT_EQ(historyLength(), snapshots);
}

TEST(Reshape, GrowOneRingIsOneUndoStepSaysWhatGrewAndRelaxesOnTheTimer)
{
    startUpCell();
    const int snapshots = historyLength();
    // Its key, Ctrl+G, is pressed for real in the accelerator test; here the
    // command goes in as the menu sends it, so no window focus is needed.
    sendCommand(ID_GROW_RING);
    pumpEvents(100);
    EXPECT_EQ(NOS, 56);
    EXPECT_EQ(historyLength(), snapshots + 1);
    EXPECT_EQ(mainFrame()->GetStatusBar()->GetStatusText(0).Left(30), "Grew one ring: 7 cells; larges");
    for (int waited = 0; g_relax_precisely && waited < 100; ++waited)
        pumpEvents(50);
    EXPECT_FALSE(g_relax_precisely) << "the precise relaxation ends by itself";
    EXPECT_EQ(g_opening_ring, nullptr) << "the ring was opened out before";
    EXPECT_LT(maxRelativeEdgeError(), 1e-8);
    EXPECT_GE(smallestFaceClearance(), OPENING_GAP * 0.9) << "opened out with its gap";
    // The report stays, with the error the relaxation reached after it.
    pumpEvents(100);
    const wxString report = mainFrame()->GetStatusBar()->GetStatusText(0);
    EXPECT_TRUE(report.StartsWith("Grew one ring: 7 cells; largest")) << report;
    EXPECT_TRUE(report.Contains("; then relaxed precisely: error ")) << report;
    sendCommand(ID_UNDO);
    EXPECT_EQ(NOS, 7);

    // On a subdivided surface nothing grows, and the status bar says why.
    sendCommand(ID_SUBDIV_2);
    const int faces = NOS;
    sendCommand(ID_GROW_RING);
    EXPECT_EQ(NOS, faces);
    EXPECT_EQ(mainFrame()->GetStatusBar()->GetStatusText(0),
              "Cannot grow a ring: the surface is subdivided (level 2); rings grow on a surface of cells");
}
