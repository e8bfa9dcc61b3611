// Key actions: camera bounds, cancelling pairs, the last polygon mode winning, lighting
// switched on every call, the light moving without bounds.
#include "app/key_table.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/viewer_state.h"

#include <gtest/gtest.h>

namespace {

class KeyActions : public testing::Test {
  protected:
    void SetUp() override {
        freshViewer();
        keyTable.releaseAll();
        useMap(levelDocument(5, 4).bytes());
    }
    void TearDown() override { keyTable.releaseAll(); }

    // Holds the keys for `times` iterations of the loop, then releases them.
    void hold(std::initializer_list<int> keys, int times = 1) {
        for (int k : keys) keyTable.keyDown(static_cast<WPARAM>(k));
        for (int i = 0; i < times; ++i) keyActions();
        for (int k : keys) keyTable.keyUp(static_cast<WPARAM>(k));
    }
    const Point3& camera() const { return viewerState.cameraPosition; }
    GLint polygonMode() const {
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        return modes[0];
    }
};

TEST_F(KeyActions, CameraStartsOnTheCornerAndStaysStrictlyInsideOnceMoved) {
    hold({VK_LEFT, VK_DOWN});
    EXPECT_EQ(camera().x, 0.0f);
    EXPECT_EQ(camera().z, 0.0f);
    hold({VK_RIGHT});
    EXPECT_EQ(camera().x, 64.0f);
    hold({VK_UP});
    EXPECT_EQ(camera().z, -64.0f);
    hold({VK_LEFT}, 5);
    EXPECT_EQ(camera().x, 64.0f); // never back to 0
    hold({VK_RIGHT}, 100);
    EXPECT_EQ(camera().x, 128.0f * 4 - 64); // 5 points wide
    hold({VK_UP}, 100);
    EXPECT_EQ(camera().z, -128.0f * 3 + 64); // 4 points high
    hold({VK_DOWN}, 100);
    EXPECT_EQ(camera().z, -64.0f);
}

TEST_F(KeyActions, OppositeArrowsCancelExceptWhereABoundRefusesOne) {
    // From the corner, Up moves first and Down is then refused at z = 0: z ends at -64.
    hold({VK_UP, VK_DOWN});
    EXPECT_EQ(camera().z, -64.0f);
    hold({VK_UP, VK_DOWN}, 3);
    EXPECT_EQ(camera().z, -64.0f);
    // Right moves to 64, Left is refused at 0; after that the pair cancels.
    hold({VK_RIGHT, VK_LEFT}, 3);
    EXPECT_EQ(camera().x, 64.0f);
}

TEST_F(KeyActions, ASingleColumnOrRowNeverMovesAlongIt) {
    useMap(levelDocument(1, 1).bytes());
    hold({VK_RIGHT, VK_UP}, 3);
    EXPECT_EQ(camera().x, 0.0f);
    EXPECT_EQ(camera().z, 0.0f);
}

TEST_F(KeyActions, TheLastPolygonModeInTheTableWins) {
    hold({'W'});
    EXPECT_EQ(polygonMode(), GL_LINE);
    hold({'W', 'F'});
    EXPECT_EQ(polygonMode(), GL_FILL);
    hold({'W', 'P'});
    EXPECT_EQ(polygonMode(), GL_POINT);
    hold({'F'});
    EXPECT_EQ(polygonMode(), GL_FILL);
}

TEST_F(KeyActions, LightMovesWithoutBoundsAndPairsCancel) {
    hold({'I', 'U'}, 4);
    hold({'K', 'M'}, 4);
    EXPECT_EQ(viewerState.lightPosition[0], 0.0f);
    EXPECT_EQ(viewerState.lightPosition[1], 8192.0f);
    hold({'I'}, 2);
    hold({'M'}, 200); // far below the terrain
    EXPECT_EQ(viewerState.lightPosition[0], 128.0f);
    EXPECT_EQ(viewerState.lightPosition[1], 8192.0f - 200 * 64);
    EXPECT_EQ(viewerState.lightPosition[2], 0.0f);
    EXPECT_EQ(viewerState.lightPosition[3], 1.0f);
}

TEST_F(KeyActions, LightingSwitchesOnEveryIterationWhileHeld) {
    hold({'L'});
    EXPECT_FALSE(viewerState.lightingOn);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    hold({'L'}, 2);
    EXPECT_FALSE(viewerState.lightingOn);
    hold({'L'});
    EXPECT_TRUE(viewerState.lightingOn);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST(KeyTable, CodesOutsideTheTableChangeNothing) {
    KeyTable table;
    table.keyDown(300);
    table.keyDown(VK_ESCAPE);
    EXPECT_TRUE(table.isHeld(VK_ESCAPE));
    EXPECT_FALSE(table.isHeld(300));
    for (int k = 0; k < 256; ++k) EXPECT_EQ(table.isHeld(k), k == VK_ESCAPE) << k;
    table.keyDown(VK_ESCAPE); // a repeat changes nothing
    table.keyUp(VK_ESCAPE);
    EXPECT_FALSE(table.isHeld(VK_ESCAPE));
}

} // namespace
