// Key actions: camera bounds, cancelling pairs, the last polygon mode winning, the light
// moving without bounds, and the switches (lighting, view, water, zoom) acting once per press.
#include "app/comparison.h"
#include "app/key_table.h"
#include "app/view_controls.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "view/camera_placement.h"
#include "view/legend_layout.h"
#include "view/viewer_state.h"

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
        for (int i = 0; i < times; ++i) keyActions(testControls());
        for (int k : keys) keyTable.keyUp(static_cast<WPARAM>(k));
    }
    const Camera& camera() const { return testControls().scene.camera; }
    // The polygon mode as the next frame sets it from the state the keys changed.
    GLint polygonMode() const {
        drawFrame();
        GLint modes[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        return modes[0];
    }
    bool lightingDrawn() const {
        drawFrame();
        return glIsEnabled(GL_LIGHTING) == GL_TRUE;
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

TEST_F(KeyActions, LightingSwitchesOncePerPressHoweverLongItIsHeld) {
    hold({'L'});
    EXPECT_FALSE(viewerState.lightingOn);
    EXPECT_FALSE(lightingDrawn());
    keyTable.keyDown('L');
    for (int i = 0; i < 5; ++i) {
        keyTable.keyDown('L'); // the keyboard's repetitions
        keyActions(testControls());
    }
    keyTable.keyUp('L');
    EXPECT_TRUE(viewerState.lightingOn);
    EXPECT_TRUE(lightingDrawn());
    keyTable.keyDown('L');
    keyTable.releaseAll(); // the focus went before the press was taken
    keyActions(testControls());
    EXPECT_TRUE(viewerState.lightingOn);
}

TEST_F(KeyActions, ViewsWaterAndZoomChangeOncePerPress) {
    hold({'V'}, 3);
    EXPECT_EQ(viewerState.view, TerrainView::groundTiles);
    for (const TerrainView next :
         {TerrainView::height, TerrainView::cliffsAndFlags, TerrainView::plain}) {
        hold({'V'});
        EXPECT_EQ(viewerState.view, next);
    }
    hold({'H'}, 4);
    EXPECT_FALSE(viewerState.waterShown);
    hold({VK_NEXT}, 3);
    EXPECT_EQ(camera().height, 4096.0f);
    for (int i = 0; i < 6; ++i) hold({VK_NEXT});
    EXPECT_EQ(camera().height, 32768.0f); // the highest
    hold({VK_HOME});
    EXPECT_EQ(camera().height, 2048.0f);
    for (int i = 0; i < 6; ++i) hold({VK_PRIOR});
    EXPECT_EQ(camera().height, 256.0f); // the lowest
}

TEST_F(KeyActions, ArrowsFlyTheWayTheCameraFacesInStepsThatGrowWithItsHeight) {
    useMap(levelDocument(65, 65).bytes());
    SceneView& scene = testControls().scene;
    scene.camera.x = 4096;
    scene.camera.z = -4096;
    scene.camera.yaw = pi / 2; // facing +x: ahead is +x, right is +z
    hold({VK_UP});
    EXPECT_NEAR(camera().x, 4096.0f + 64.0f, 1e-3f);
    EXPECT_NEAR(camera().z, -4096.0f, 1e-3f);
    scene.camera.height = 4096.0f; // twice as high: twice the step
    hold({VK_RIGHT});
    EXPECT_NEAR(camera().z, -4096.0f + 128.0f, 1e-3f);
    scene.camera.height = 32768.0f;
    hold({VK_DOWN});
    EXPECT_NEAR(camera().x, 4096.0f + 64.0f - 1024.0f, 1e-3f);

    // O shows the overview; a camera key goes back to the camera first, and moves it.
    hold({'O'});
    EXPECT_TRUE(scene.camera.overview);
    hold({'O'});
    EXPECT_FALSE(scene.camera.overview);
    hold({'O'});
    hold({VK_LEFT});
    EXPECT_FALSE(scene.camera.overview);
    EXPECT_NEAR(camera().z, -4096.0f + 128.0f - 1024.0f, 1e-3f);
    // Home: the start's height and direction where the camera is; D switches level of detail.
    hold({VK_HOME});
    EXPECT_EQ(camera().height, 2048.0f);
    EXPECT_EQ(scene.camera.yaw, 0.0f);
    EXPECT_EQ(scene.camera.pitch, Camera::startPitch);
    hold({'D'}, 3);
    EXPECT_FALSE(scene.levelOfDetail);
    hold({'D'});
    EXPECT_TRUE(scene.levelOfDetail);
}

// The tile point the middle of the window shows.
GroundPoint middleOfView(const ViewControls& controls) {
    const SceneView& scene = controls.scene;
    const CameraPlacement placed = placeCamera(terrainMap, scene.camera, scene.frame);
    return groundAlong(terrainMap, rayThroughPixel(placed, scene.frame, scene.frame.width / 2,
                                                   scene.frame.height / 2));
}

// A comparison opens framed on its changes, far from the start; N flies to each changed region,
// largest first, round again, and Shift+N back, the status line saying which.
TEST_F(KeyActions, AComparisonOpensOnItsChangesAndNVisitsEachRegion) {
    const W3eDocument before = levelDocument(129, 129);
    W3eDocument after = before;
    for (int c = 100; c <= 103; ++c)
        for (int r = 90; r <= 92; ++r) after.at(c, r).groundHeight = rawGroundHeight(64);
    after.at(110, 100).groundHeight = rawGroundHeight(-32);
    useMap(after.bytes());
    ViewControls& controls = testControls();
    startComparison(controls, loadMap(before), "old.w3e", FileStamp{});
    const auto near = [](const GroundPoint& p, int c0, int r0, int c1, int r1) {
        return p.hit && p.column >= c0 - 1 && p.column <= c1 + 1 && p.row >= r0 - 1 &&
               p.row <= r1 + 1;
    };
    EXPECT_FALSE(controls.scene.camera.overview);
    EXPECT_TRUE(near(middleOfView(controls), 100, 90, 110, 100));
    EXPECT_EQ(controls.scene.overlay.changeLine,
              "2 changed regions: N and Shift+N fly to each, largest first");
    const std::string first = "change 1 of 2: 12 points, columns 100-103, rows 90-92: raised 12",
                      second = "change 2 of 2: 1 point, columns 110-110, rows 100-100: lowered 1";
    const struct {
        bool back;
        const std::string& said;
        int c0, r0, c1, r1;
    } steps[] = {{false, first, 100, 90, 103, 92},
                 {false, second, 110, 100, 110, 100},
                 {false, first, 100, 90, 103, 92},
                 {true, second, 110, 100, 110, 100}};
    for (const auto& step : steps) {
        if (step.back) keyTable.keyDown(VK_SHIFT);
        hold({'N'});
        keyTable.keyUp(VK_SHIFT);
        EXPECT_EQ(controls.scene.overlay.changeLine.substr(0, step.said.size()), step.said);
        EXPECT_TRUE(near(middleOfView(controls), step.c0, step.r0, step.c1, step.r1));
    }
    endComparison(controls);
}

// --symmetry in the window: a raised point and its partner under half a turn differ, and N
// visits both.
TEST_F(KeyActions, SymmetryShowsThePointsThatDifferFromTheirPartners) {
    W3eDocument doc = levelDocument(65, 65);
    doc.at(10, 12).groundHeight = rawGroundHeight(64);
    useMap(doc.bytes());
    ViewControls& controls = testControls();
    startSymmetry(controls, symmetryPartner(terrainMap, Symmetry::turn), Symmetry::turn);
    EXPECT_EQ(controls.scene.overlay.changeLine,
              "2 changed regions: N and Shift+N fly to each, largest first");
    hold({'N'});
    EXPECT_EQ(controls.scene.overlay.changeLine,
              "change 1 of 2: 1 point, columns 10-10, rows 12-12: raised 1 by up to 64.00");
    hold({'N'});
    EXPECT_EQ(controls.scene.overlay.changeLine,
              "change 2 of 2: 1 point, columns 54-54, rows 52-52: lowered 1 by up to 64.00");
    const GroundPoint middle = middleOfView(controls);
    EXPECT_TRUE(middle.hit && std::abs(middle.column - 54) <= 1 && std::abs(middle.row - 52) <= 1);
    endComparison(controls);
}

// Each frame tells the overview what the words take: the legend at the left in a coloured view
// and the status line at the bottom; nothing in the plain view, whose words are hidden.
TEST_F(KeyActions, TheOverviewLeavesRoomForTheWordsShown) {
    viewerState.view = TerrainView::groundTiles;
    drawFrame();
    const FrameCamera::Room coloured = testControls().scene.frame.words;
    int legendWidth = 0, legendHeight = 0;
    legendSize(legendOf(terrainMap, TerrainView::groundTiles, viewerState.waterShown, nullptr),
               legendWidth, legendHeight);
    EXPECT_GE(coloured.left, legendWidth);
    EXPECT_GE(coloured.bottom, textLineHeight());
    EXPECT_EQ(coloured.right, 0);
    viewerState.view = TerrainView::plain;
    drawFrame();
    EXPECT_TRUE(testControls().scene.frame.words == FrameCamera::Room{});
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
