// The scene: GL state, ground height under the camera, frame rate, and whole frames read
// back from the display.
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/light_marker.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/window_context.h"
#include "shell_output.h"
#include "terrain_shapes.h"
#include "view/ground_height.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(GroundHeight, BilinearOverTheFourTilePointsAround) {
    W3eDocument doc = levelDocument(5, 3);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 3; ++r) doc.at(c, r).groundHeight = rawGroundHeight(10 * c + 100 * r);
    const TerrainMap map = loadMap(doc);
    EXPECT_EQ(groundHeightUnder(map, 0, 0), 0.0f);
    EXPECT_EQ(groundHeightUnder(map, 64, 0), 5.0f); // between (0,0) and (1,0)
    EXPECT_EQ(groundHeightUnder(map, 64, -64), (0 + 10 + 100 + 110) / 4.0f);
    EXPECT_EQ(groundHeightUnder(map, 384, -128), 130.0f); // exactly (3, 1): column first
    EXPECT_EQ(groundHeightUnder(map, 448, -192), (130 + 140 + 230 + 240) / 4.0f);
}

TEST(GroundHeight, SinglePointWideGridsAndOffGridPositions) {
    W3eDocument doc = levelDocument(1, 3);
    doc.at(0, 0).groundHeight = rawGroundHeight(8);
    doc.at(0, 1).groundHeight = rawGroundHeight(24);
    const TerrainMap map = loadMap(doc);
    EXPECT_EQ(groundHeightUnder(map, 0, -64), 16.0f);   // column neighbour wraps to column 0
    EXPECT_EQ(groundHeightUnder(map, -500, 400), 8.0f); // off the grid: the nearest edge
    EXPECT_EQ(groundHeightUnder(TerrainMap{}, 0, 0), 0.0f);
}

TEST(FrameRate, SampledOnTheFirstFrameAtLeastOneSecondOn) {
    ViewerState s;
    s.elapsedSeconds = 0.25f;
    updateFrameRate(s);
    s.elapsedSeconds = 0.5f;
    updateFrameRate(s);
    EXPECT_EQ(s.frameCount, 2);
    EXPECT_EQ(s.framesPerSecond, 0);
    s.elapsedSeconds = 1.0f; // exactly one second counts
    updateFrameRate(s);
    EXPECT_EQ(s.framesPerSecond, 2);
    EXPECT_EQ(s.frameCount, 0); // restarts at 0: the sampling frame is in neither interval
    EXPECT_EQ(s.fpsSampleTime, 1.0f);
    s.elapsedSeconds = 1.9f;
    updateFrameRate(s);
    EXPECT_EQ(s.frameCount, 1);
}

TEST(Scene, InitialStateOfTheViewer) {
    freshViewer();
    EXPECT_TRUE(viewerState.sceneReady);
    for (const GLenum capability :
         {GL_DEPTH_TEST, GL_CULL_FACE, GL_TEXTURE_2D, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL})
        EXPECT_TRUE(glIsEnabled(capability)) << capability;
    GLint value = 0;
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CW);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    float light[4];
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, light);
    EXPECT_FLOAT_EQ(light[0], 0.25f);
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, light);
    EXPECT_FLOAT_EQ(light[0], 0.5f);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5], 1.0 / std::tan(30.0 * 3.14159265358979 / 180.0), 1e-5); // 60 degrees
    EXPECT_NEAR(projection[0], projection[5] * 0.75, 1e-5);                            // 4:3
}

TEST(Scene, FrameKeepsTheCameraAboveTheGroundAndWritesTheTitle) {
    freshViewer();
    W3eDocument doc = levelDocument(5, 3);
    doc.at(3, 1).groundHeight = rawGroundHeight(300);
    useMap(doc.bytes());
    testControls().scene.camera.x = 384;
    testControls().scene.camera.z = -128;
    drawFrame();
    EXPECT_EQ(viewerState.cameraPosition.y, 300.0f + 2048.0f);
    EXPECT_EQ(viewerState.lookAtTarget.x, 384.0f);
    EXPECT_EQ(viewerState.lookAtTarget.y, 300.0f);
    EXPECT_EQ(viewerState.lookAtTarget.z, -128.0f - 1536.0f);
    EXPECT_EQ(viewerState.frameCount, 1);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // let the title reach the X server
    const std::string id = testWindowId();
    ASSERT_NE(id, "");
    EXPECT_EQ(shellLine("xdotool getwindowname " + id),
              "V3U Zuvaro - Kelpmoor Entertainment [ FPS:0 ]");
}

TEST(Scene, LitWhiteTerrainWireframeAndTheYellowLightMarker) {
    freshViewer();
    W3eDocument doc = levelDocument(65, 65);
    ShapeOptions hills;
    hills.width = hills.height = 65;
    std::string error;
    ASSERT_TRUE(shapeTerrain(doc, hills, error)) << error;
    useMap(doc.bytes());
    testControls().scene.camera.x = 4096;
    testControls().scene.camera.z = -6000;

    drawFrame();
    const Screenshot filled = screenshot();
    EXPECT_GT(filled.greyCount(), 800 * 600 / 3) << "the terrain should fill much of the view";
    EXPECT_EQ(filled.yellowCount(), 0) << "the light is above and behind the camera";

    viewerState.polygonMode = PolygonMode::lines;
    drawFrame();
    const Screenshot lines = screenshot();
    EXPECT_GT(lines.greyCount(), 1000);
    EXPECT_LT(lines.greyCount(), filled.greyCount() * 3 / 4);
    viewerState.polygonMode = PolygonMode::fill;

    // The light in front of the camera, 700 units above the ground there.
    const float ground = groundHeightUnder(terrainMap, 4096, -7536);
    viewerState.lightPosition[0] = 4096;
    viewerState.lightPosition[1] = ground + 700;
    viewerState.lightPosition[2] = -7536;
    drawFrame();
    const Screenshot marked = screenshot();
    EXPECT_GT(marked.yellowCount(), 200);
    // Lighting follows the light: the picture changed.
    EXPECT_NE(marked.greyCount(), filled.greyCount());
}

} // namespace
