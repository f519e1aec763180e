#include <gtest/gtest.h>

#include "construct/grow_ring.h"
#include "geometry/relaxation.h"
#include "geometry/rigid_motion.h"
#include "io/open_commands.h"
#include "model/derived_data.h"
#include "model/document.h"
#include "model/store.h"
#include "tests/fixture.h"

// A file just opened is the saved document, before and after the refresh that
// revises its six-digit target lengths; turning it is no change, relaxing or
// growing it is, and marking it saved again clears that.
TEST_F(StoreTest, OpenedSurfaceIsSavedUntilItsShapeOrCellsChange)
{
    ASSERT_TRUE(openSurfaceFile(sourceDir() + "/sample/torio.kor", false));
    EXPECT_TRUE(revised_facedata) << "the refresh is left to the repaint";
    EXPECT_FALSE(surfaceChanged());
    refreshDerivedData();
    EXPECT_FALSE(surfaceChanged());
    rotatepoly(0.7, -0.4);
    movepoly(3, 1, -2);
    EXPECT_FALSE(surfaceChanged()) << "turning and moving the whole surface";
    for (int k = 0; k < 50; ++k)
        modifyonce();
    EXPECT_TRUE(surfaceChanged()) << "relaxing changes the shape";
    markSurfaceSaved();
    EXPECT_FALSE(surfaceChanged());
    growRing();
    EXPECT_TRUE(surfaceChanged());
    EXPECT_NE(documentSummary().find("torio.kor* \xE2\x80\x94 "), std::string::npos) << documentSummary();
}
