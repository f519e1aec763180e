#include "tests/fixture.h"

#include "io/sample_loader.h"
#include "model/history.h"

TEST_F(StoreTest, StartUpHoldsTheOneCellSample)
{
    ASSERT_TRUE(initializeSurfaceStore());
    EXPECT_EQ(NOV, 8);
    EXPECT_EQ(NOE, 14);
    EXPECT_EQ(NOS, 7);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(NOcomp, 1);
    EXPECT_EQ(g_centerx, 320);
    EXPECT_EQ(g_centery, 220);
    EXPECT_EQ(g_rate, 100.0);
    EXPECT_EQ(messagetxt, " ");
    for (int c = 0; c < MAX_COMPONENTS; ++c)
        EXPECT_FALSE(hilighted[c]);
    for (int i = 0; i < NOV; ++i)
        EXPECT_EQ(conn_comp[i], 1);
    // Before the first drawing every projected position is (0, 0).
    for (int i = 0; i < MAX_VERTICES; ++i)
        ASSERT_EQ(gv[i], wxPoint(0, 0));
    // One snapshot, of the empty surface, and the position on it.
    EXPECT_EQ(historyLength(), 1);
    EXPECT_EQ(historyPosition(), 0);
    EXPECT_EQ(currentState->GetData()->numVertices, 0);
    // The cell of the worked example, rim 0..6 around centre 7.
    EXPECT_DOUBLE_EQ(v[0].x, 0.824122);
    EXPECT_DOUBLE_EQ(v[7].z, 0.0602742);
    EXPECT_EQ(edge[6][0], 0);
    EXPECT_EQ(edge[6][1], 6);
    EXPECT_EQ(face[6][0], 6);
    EXPECT_EQ(face[6][1], 0);
    EXPECT_EQ(face[6][2], 7);
    EXPECT_STORE_VALID();
}

TEST_F(StoreTest, ProgramLoadValues)
{
    EXPECT_EQ(NOV, 0);
    EXPECT_EQ(subdiv_level, 1);
    EXPECT_EQ(g_purturb, 1);
    EXPECT_EQ(g_purtj, -1);
    EXPECT_EQ(g_dragpurtj, -1);
    EXPECT_TRUE(revised_face2edge);
    EXPECT_TRUE(revised_facedata);
    EXPECT_FALSE(NOfaceOfVertex_on);
    EXPECT_EQ(g_Filename, "untitled");
    EXPECT_TRUE(g_Path.empty());
    EXPECT_EQ(faceColour, (RGBColour{229, 224, 188}));
    EXPECT_EQ(backColour, (RGBColour{86, 61, 38}));
    EXPECT_EQ(modifyColour, (RGBColour{0, 255, 0}));
    EXPECT_EQ(backmodifyColour, (RGBColour{255, 0, 255}));
    EXPECT_EQ(backgroundColour, (RGBColour{255, 255, 255}));
    EXPECT_DOUBLE_EQ(RIM_LENGTH, 0.8090169942709459);
    EXPECT_DOUBLE_EQ(SPOKE_LENGTH, 0.8910065240946518);
    EXPECT_EQ(historyLength(), 0);
}

TEST_F(StoreTest, ValidatorFindsBrokenStores)
{
    NOV = 2;
    v[0] = {0, 0, 0};
    v[1] = {1, 0, 0};
    NOE = 1;
    edge[0][0] = 0;
    edge[0][1] = 1;
    phi[0] = 1.0;
    EXPECT_STORE_VALID();

    edge[0][1] = 2;
    EXPECT_NE(validateStore().find("edge 0"), std::string::npos);
    edge[0][1] = 1;
    phi[0] = std::nan("");
    EXPECT_NE(validateStore().find("phi[0]"), std::string::npos);
    phi[0] = 0.0;
    EXPECT_NE(validateStore().find("phi[0]"), std::string::npos);
    phi[0] = 1.0;
    NOS = 1;
    face[0][0] = 0;
    face[0][1] = 1;
    face[0][2] = -1;
    EXPECT_NE(validateStore().find("face 0"), std::string::npos);
    NOS = 0;
    NOV = MAX_VERTICES + 1;
    EXPECT_NE(validateStore().find("NOV"), std::string::npos);
}
