#include "tests/fixture.h"

#include "model/history.h"

namespace {
// A recorded edit: a snapshot, then one more isolated vertex at x = NOV.
void recordedEdit()
{
    saveState();
    v[NOV] = Point3{double(NOV), 0, 0};
    ++NOV;
}

// Sets up a surface of one edge between two vertices.
void smallSurface()
{
    NOV = 2;
    v[0] = {0, 0, 0};
    v[1] = {1, 2, 3};
    NOE = 1;
    edge[0][0] = 1;
    edge[0][1] = 0;
    phi[0] = 0.5;
    NOS = 0;
}
}  // namespace

TEST_F(StoreTest, HistoryStartsWithTheEmptySurfaceAndIgnoresUndoRedoThere)
{
    undo();  // empty history: nothing happens
    redo();
    EXPECT_EQ(historyLength(), 0);
    saveState();  // what reading the start-up sample records
    smallSurface();
    undo();
    redo();
    EXPECT_EQ(NOV, 2);
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(historyPosition(), 0);
}

TEST_F(StoreTest, UndoRestoresTheSurfaceBeforeTheEditAndStopsAtTheOldest)
{
    saveState();
    smallSurface();
    recordedEdit();
    EXPECT_EQ(NOV, 3);
    EXPECT_EQ(historyLength(), 2);
    undo();
    EXPECT_EQ(NOV, 2);
    EXPECT_EQ(NOE, 1);
    EXPECT_EQ(edge[0][0], 1);
    EXPECT_EQ(phi[0], 0.5);
    EXPECT_EQ(v[1].z, 3.0);
    EXPECT_STORE_VALID();
    undo();  // the oldest snapshot is never restored
    EXPECT_EQ(NOV, 2);
    EXPECT_EQ(historyPosition(), 0);
}

TEST_F(StoreTest, RedoStepsBackToTheSurfacesThatWereUndone)
{
    saveState();
    smallSurface();
    recordedEdit();  // A
    recordedEdit();  // B
    v[0].x = 7;      // then a change of geometry only
    EXPECT_EQ(NOV, 4);
    undo();
    undo();
    EXPECT_EQ(NOV, 2);
    redo();
    EXPECT_EQ(NOV, 3) << "the first redo gives A without B";
    redo();
    EXPECT_EQ(NOV, 4) << "the second gives the surface as it was undone";
    EXPECT_EQ(v[0].x, 7.0) << "geometry included";
    redo();
    EXPECT_EQ(NOV, 4);
    EXPECT_STORE_VALID();

    // Geometry changed after the redo is kept by the next undo, too.
    v[0].x = 8;
    undo();
    EXPECT_EQ(NOV, 3);
    redo();
    EXPECT_EQ(v[0].x, 8.0);
    EXPECT_EQ(historyLength(), 4) << "one entry for the undone surface, replaced, not added again";
}

TEST_F(StoreTest, ARecordedEditAfterUndoDiscardsTheRedoBranch)
{
    saveState();
    smallSurface();
    recordedEdit();
    recordedEdit();
    undo();
    undo();
    EXPECT_EQ(historyPosition(), 0);
    recordedEdit();
    EXPECT_EQ(historyLength(), 2);
    EXPECT_EQ(historyPosition(), 1);
    const int n = NOV;
    redo();
    EXPECT_EQ(NOV, n);
}

TEST_F(StoreTest, SnapshotsCarryTheLevelAndNothingButTheModel)
{
    saveState();
    smallSurface();
    conn_comp[0] = conn_comp[1] = 1;
    saveState();        // before a subdivision
    subdiv_level = 2;   // the subdivision itself
    saveState();        // a later recorded edit
    ++NOV;
    v[2] = {9, 9, 9};
    conn_comp[0] = 5;
    undo();
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(NOV, 2);
    EXPECT_EQ(conn_comp[0], 5) << "labels are not part of a snapshot";
    undo();
    EXPECT_EQ(subdiv_level, 1);
    redo();
    EXPECT_EQ(subdiv_level, 2) << "back to the subdivided surface";
    EXPECT_EQ(NOV, 2);
    redo();
    EXPECT_EQ(subdiv_level, 2);
    EXPECT_EQ(NOV, 3);

    const State* s = currentState->GetData();
    EXPECT_EQ(s->numVertices, 2);
    EXPECT_EQ(s->numEdges, 1);
    EXPECT_EQ(s->numFaces, 0);
    EXPECT_EQ(s->edges[0][0], 1);
    EXPECT_EQ(s->targetLengths[0], 0.5);
}

TEST_F(StoreTest, UndoMarksTheFaceCountsStale)
{
    saveState();
    recordedEdit();
    NOfaceOfVertex_on = true;
    undo();
    EXPECT_FALSE(NOfaceOfVertex_on);
}

// The history keeps within its limit at the store's capacities: the oldest
// snapshots go first, the current one never, and the status line says so
// once. The limit is lowered to ten full snapshots so that the test need not
// allocate 512 MB.
TEST_F(StoreTest, HistoryDropsTheOldestSnapshotsBeyondItsLimit)
{
    EXPECT_EQ(g_history_limit, size_t(512) * 1024 * 1024);
    NOV = MAX_VERTICES;
    NOE = MAX_EDGES;
    NOS = MAX_FACES;
    for (int e = 0; e < NOE; ++e)
        phi[e] = RIM_LENGTH;
    saveState();
    const size_t one = g_history_bytes;
    EXPECT_GT(one, size_t(MAX_VERTICES) * 24 + size_t(MAX_EDGES) * 16 + size_t(MAX_FACES) * 12);
    g_history_limit = 10 * one;
    messagetxt = " ";
    for (int k = 1; k < 40; ++k) {
        v[0].x = k;  // which edit this snapshot comes before
        saveState();
        EXPECT_LE(g_history_bytes, g_history_limit);
        EXPECT_LE(historyLength(), 10);
        if (k == 10) {
            EXPECT_TRUE(g_history_trimmed);
            EXPECT_EQ(messagetxt, wxString::Format("The oldest undo steps were dropped to keep the history "
                                                   "within %d MB", int(10 * one >> 20)))
                << messagetxt;
            messagetxt = " ";
        }
    }
    EXPECT_EQ(messagetxt, " ") << "said once";
    EXPECT_EQ(historyLength(), 10);
    // Undo stores the present surface too, so the snapshot taken before edit
    // 30 goes; it walks back to the oldest it can restore (before edit 32:
    // as ever, undo stops at the oldest position), then stops.
    v[0].x = 40;
    for (int k = 0; k < 20; ++k)
        undo();
    EXPECT_EQ(v[0].x, 32.0);
    EXPECT_LE(g_history_bytes, g_history_limit);
    EXPECT_EQ(historyLength(), 10);
    redo();
    EXPECT_EQ(v[0].x, 33.0);
    for (int k = 0; k < 20; ++k)
        redo();
    EXPECT_EQ(v[0].x, 40.0) << "the surface as the first undo found it";
    clearHistory();
    EXPECT_EQ(g_history_bytes, 0u);
}
