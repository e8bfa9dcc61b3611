// Every camera but the start one, on the display: no cracks between chunks of different steps,
// a picture close to the full grid's, the overview holding the whole map, water and ground
// kept apart far away, and the mouse camera.
#include "app/mouse_actions.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/window_context.h"
#include "terrain_shapes.h"
#include "view/camera_placement.h"
#include "view/view_colours.h"
#include "view/viewer_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

SceneView& scene() {
    return testControls().scene;
}

// The demo terrain (hills, cliff layers, lakes) or the rugged one at the given size.
void useDemo(int width, int height, Shape shape = Shape::demo) {
    W3eDocument doc = levelDocument(width, height);
    useDefaultTileSets(doc, shape);
    ShapeOptions demo;
    demo.shape = shape;
    demo.width = width;
    demo.height = height;
    std::string error;
    ASSERT_TRUE(shapeTerrain(doc, demo, error)) << error;
    useMap(doc.bytes());
}

bool magenta(const unsigned char* p) {
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

Point3 distance(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float length(const Point3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

class LevelOfDetail : public testing::Test {
  protected:
    void SetUp() override { freshViewer(); }
    void TearDown() override { freshViewer(); }
};

TEST_F(LevelOfDetail, NoBackgroundShowsThroughBetweenChunksOfDifferentSteps) {
    useDemo(257, 257, Shape::rugged);     // cliff steps everywhere: the coarse levels move them
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f); // a background no terrain has
    viewerState.lightingOn = false;
    std::set<int> stepsSeen;
    int mixedFrames = 0;
    for (const TerrainView view : {TerrainView::plain, TerrainView::groundTiles}) {
        viewerState.view = view;
        viewerState.waterShown = false;
        // Straight down from several heights and places, and the overview.
        for (const auto& [x, z, height, overview] :
             {std::tuple{16384.0f, -16384.0f, 3000.0f, false},
              {9000.0f, -20000.0f, 9000.0f, false},
              {20000.0f, -12000.0f, 24000.0f, false},
              {0.0f, 0.0f, 2048.0f, true}}) {
            scene().camera = Camera{x, z, height};
            scene().camera.pitch = Camera::highestPitch;
            scene().camera.overview = overview;
            drawFrame();
            std::set<int> steps;
            for (const int chunk : scene().selection.drawn)
                steps.insert(scene().mesh.chunks[static_cast<std::size_t>(chunk)].step);
            stepsSeen.insert(steps.begin(), steps.end());
            mixedFrames += steps.size() > 1;
            // Inside the map's footprint at its lowest ground, every pixel is terrain.
            const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
            float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
            for (const auto& [cx, cz] : {std::pair{0.0f, 0.0f},
                                         {32768.0f, 0.0f},
                                         {0.0f, -32768.0f},
                                         {32768.0f, -32768.0f}}) {
                float px = 0, py = 0;
                ASSERT_TRUE(
                    pixelOf(camera, scene().frame, {cx, terrainMap.lowestHeight, cz}, px, py));
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
            const Screenshot shot = screenshot();
            int holes = 0;
            for (int y = std::max(0, static_cast<int>(top) + 3);
                 y < std::min(600, static_cast<int>(bottom) - 3); ++y)
                for (int px = std::max(0, static_cast<int>(left) + 3);
                     px < std::min(800, static_cast<int>(right) - 3); ++px)
                    holes += magenta(shot.at(px, y));
            EXPECT_EQ(holes, 0) << viewName(view) << " from " << height << " over " << x << "," << z
                                << (overview ? " (overview)" : "");
        }
    }
    EXPECT_GE(mixedFrames, 4) << "frames with chunks of more than one step";
    EXPECT_GE(stepsSeen.size(), 3u);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

TEST_F(LevelOfDetail, TheChunksLookLikeTheFullGridFromTheSameCamera) {
    useDemo(257, 257);
    scene().camera.x = 9000;
    scene().camera.z = -12000;
    scene().camera.height = 5000.0f;
    scene().camera.yaw = 0.4f;
    scene().camera.pitch = 0.5f;
    drawFrame();
    EXPECT_GT(scene().selection.drawn.size(), 4u);
    const Screenshot chunks = screenshot();
    scene().levelOfDetail = false; // D: the grid quad by quad
    drawFrame();
    const Screenshot full = screenshot();
    int differ = 0, terrain = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const unsigned char *a = chunks.at(x, y), *b = full.at(x, y);
            terrain += b[0] > 8;
            differ += std::abs(a[0] - b[0]) > 24 || std::abs(a[1] - b[1]) > 24 ||
                      std::abs(a[2] - b[2]) > 24;
        }
    }
    EXPECT_GT(terrain, 200000);
    EXPECT_LT(differ, terrain / 50) << "more than 2 % of the terrain's pixels differ";
}

TEST_F(LevelOfDetail, TheOverviewHoldsAllFourCornersWhateverTheMapsShape) {
    for (const auto& [width, height] : {std::pair{33, 97}, {97, 33}, {65, 65}, {300, 40}}) {
        useDemo(width, height);
        scene().camera.x = 128;
        scene().camera.z = -128;
        scene().camera.overview = true;
        drawFrame();
        const Screenshot shot = screenshot();
        const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
        float cx = 0, cy = 0;
        pixelOf(camera, scene().frame, {64.0f * (width - 1), 0.0f, -64.0f * (height - 1)}, cx, cy);
        for (const auto& [c, r] :
             {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}, {width - 1, height - 1}}) {
            const Point3& corner = terrainMap.vertices[c][r].position;
            float px = 0, py = 0;
            ASSERT_TRUE(pixelOf(camera, scene().frame, corner, px, py));
            ASSERT_TRUE(px >= 0 && px < 800 && py >= 0 && py < 600)
                << width << "x" << height << " corner " << c << "," << r << " at " << px << ","
                << py;
            // Two pixels in from the corner towards the middle: terrain, not background.
            const int x = static_cast<int>(px + (cx > px ? 2.5f : -2.5f));
            const int y = static_cast<int>(py + (cy > py ? 2.5f : -2.5f));
            const unsigned char* p = shot.at(x, y);
            EXPECT_GT(p[0] + p[1] + p[2], 30)
                << width << "x" << height << " corner " << c << "," << r;
        }
    }
}

TEST_F(LevelOfDetail, FarWaterAndTheGroundJustBelowItDoNotFight) {
    // A lake over the whole map, its bed 6 units under the surface, seen from far off.
    W3eDocument doc = levelDocument(257, 257);
    for (W3eTilePoint& p : doc.tilePoints) {
        p.groundHeight = rawGroundHeight(-5.6);
        p.waterWord = 8192 + 4 * -166; // surface at 0.4
        p.flagsAndTexture = 0x40;
    }
    useMap(doc.bytes());
    viewerState.lightingOn = false;
    viewerState.view = TerrainView::groundTiles;
    scene().overlay.words = Overlay::Words::hidden; // its legend shows the bed's colour
    scene().camera.x = 16384;
    scene().camera.z = -64;
    scene().camera.height = 8192.0f;
    scene().camera.pitch =
        Camera::lowestPitch; // the far half of the map 20,000 to 33,000 units away
    drawFrame();
    const Screenshot shot = screenshot();
    const Rgb bed = GroundColours::of(*terrainMap.header).byNumber[0];
    int lake = 0, bare = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const unsigned char* p = shot.at(x, y);
            if (p[0] + p[1] + p[2] < 30) continue; // sky
            ++lake;
            bare += std::abs(p[0] - bed.r * 255) < 4 && std::abs(p[2] - bed.b * 255) < 4;
        }
    }
    EXPECT_GT(lake, 50000);
    EXPECT_EQ(bare, 0) << "the bed shows through the water in places (depth fighting)";
}

TEST_F(LevelOfDetail, TheMouseCameraKeepsWhatItHoldsUnderTheCursor) {
    useDemo(129, 129);
    ViewControls& controls = testControls();
    scene().camera.x = 8000;
    scene().camera.z = -9000;
    scene().camera.height = 3000.0f;
    drawFrame();
    HWND window = windowContext.mainWindow;

    // A left drag: the grabbed ground point stays under the cursor.
    const GroundPoint grabbed = groundUnderCursor(scene(), 400, 300);
    ASSERT_TRUE(grabbed.hit);
    mouseButtonDown(window, controls, WM_LBUTTONDOWN, 400, 300);
    mouseMoved(controls, 330, 380);
    mouseButtonUp(controls, WM_LBUTTONUP, 330, 380);
    const GroundPoint after = groundUnderCursor(scene(), 330, 380);
    ASSERT_TRUE(after.hit);
    EXPECT_LT(length(distance(after.point, grabbed.point)), 16.0f);

    // The wheel: closer, towards the point under the cursor, which stays there.
    const GroundPoint aimed = groundUnderCursor(scene(), 200, 450);
    const float before = scene().camera.height;
    mouseWheel(controls, 2, 200, 450);
    EXPECT_NEAR(scene().camera.height, before * 0.7071f, before * 0.02f);
    const GroundPoint still = groundUnderCursor(scene(), 200, 450);
    ASSERT_TRUE(aimed.hit && still.hit);
    EXPECT_LT(length(distance(still.point, aimed.point)), 16.0f);

    // A right drag turns all the way round and tilts no lower than 10 degrees.
    mouseButtonDown(window, controls, WM_RBUTTONDOWN, 400, 300);
    mouseMoved(controls, 800, -2000);
    EXPECT_NEAR(scene().camera.pitch, Camera::lowestPitch, 1e-6f);
    mouseMoved(controls, 400 + 400, 300 + 5000);
    EXPECT_NEAR(scene().camera.pitch, Camera::highestPitch, 1e-6f);
    EXPECT_NEAR(std::fabs(scene().camera.yaw), pi, 1e-3f); // 400 pixels: half a turn
    mouseButtonUp(controls, WM_RBUTTONUP, 800, 5300);

    // A double click looks at the point clicked; in the overview a click goes back there.
    scene().camera.pitch = Camera::startPitch;
    scene().camera.overview = false;
    scene().camera.yaw = 0.3f;
    const GroundPoint clicked = groundUnderCursor(scene(), 600, 200);
    ASSERT_TRUE(clicked.hit);
    mouseButtonDown(window, controls, WM_LBUTTONDBLCLK, 600, 200);
    const CameraPlacement centred = placeCamera(terrainMap, scene().camera, scene().frame);
    EXPECT_LT(std::hypot(centred.target.x - clicked.point.x, centred.target.z - clicked.point.z),
              1.0f);
    scene().camera.overview = true;
    drawFrame();
    const GroundPoint chosen = groundUnderCursor(scene(), 500, 250);
    ASSERT_TRUE(chosen.hit);
    mouseButtonDown(window, controls, WM_LBUTTONDOWN, 500, 250);
    mouseButtonUp(controls, WM_LBUTTONUP, 500, 250);
    EXPECT_FALSE(scene().camera.overview);
    EXPECT_NEAR(scene().camera.yaw, 0.3f, 1e-6f); // the camera as it was, over the point
    const CameraPlacement over = placeCamera(terrainMap, scene().camera, scene().frame);
    EXPECT_LT(std::hypot(over.target.x - chosen.point.x, over.target.z - chosen.point.z), 1.0f);
}

} // namespace
