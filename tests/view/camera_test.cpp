// Where the camera is and what the mouse points at, without a display: placements for a
// turned and the overview camera, rays through pixels and back, and the ground they meet.
#include "map_fixture.h"
#include "view/camera_moves.h"
#include "view/camera_placement.h"
#include "view/ground_height.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Level ground at 0 with one point raised to 512 at (4, 4).
TerrainMap bumpMap() {
    W3eDocument doc = levelDocument(9, 9);
    doc.at(4, 4).groundHeight = rawGroundHeight(512);
    return loadMap(doc);
}

TEST(CameraPlacement, ATurnedCameraLooksAlongItsYawAndTheOverviewDownOnTheMiddle) {
    const TerrainMap map = bumpMap();
    Camera camera;
    camera.x = 128;
    camera.z = -128;
    camera.height = 1000.0f;
    camera.yaw = pi / 2; // facing +x
    camera.pitch = pi / 4;
    const CameraPlacement c = placeCamera(map, camera, FrameCamera{});
    EXPECT_NEAR(c.eye.y, 1000.0f, 1e-3f);
    EXPECT_NEAR(c.target.x, 128.0f + 1000.0f, 1e-2f); // as far ahead as it is high, at 45 degrees
    EXPECT_NEAR(c.target.y, 0.0f, 1e-2f);
    EXPECT_NEAR(c.target.z, -128.0f, 1e-2f);

    camera.overview = true;
    FrameCamera wide;
    wide.aspect = 2.0f;
    const CameraPlacement above = placeCamera(map, camera, wide);
    EXPECT_FLOAT_EQ(above.eye.x, 512.0f);
    EXPECT_FLOAT_EQ(above.eye.z, -512.0f);
    // Every corner of the map (at its highest) is inside the view.
    for (const auto& [x, z] :
         {std::pair{0.0f, 0.0f}, {1024.0f, 0.0f}, {0.0f, -1024.0f}, {1024.0f, -1024.0f}}) {
        float px = 0, py = 0;
        ASSERT_TRUE(pixelOf(above, wide, Point3{x, 512.0f, z}, px, py));
        EXPECT_TRUE(px >= 0 && px < wide.width && py >= 0 && py < wide.height) << px << "," << py;
    }
    // North (-z) is up on the screen.
    float northY = 0, southY = 0, ignored = 0;
    pixelOf(above, wide, Point3{512.0f, 0.0f, -1024.0f}, ignored, northY);
    pixelOf(above, wide, Point3{512.0f, 0.0f, 0.0f}, ignored, southY);
    EXPECT_LT(northY, southY);
}

// The overview leaves the words their room: every corner of the map lies in the part of the
// window that the legend (left), the status line (bottom) and the measures (right) leave free.
TEST(CameraPlacement, TheOverviewLeavesTheWordsTheirRoom) {
    const TerrainMap map = bumpMap();
    Camera camera;
    camera.overview = true;
    FrameCamera frame;
    frame.words = {230, 0, 120, 60};
    const CameraPlacement plan = placeCamera(map, camera, frame);
    for (const auto& [x, z] :
         {std::pair{0.0f, 0.0f}, {1024.0f, 0.0f}, {0.0f, -1024.0f}, {1024.0f, -1024.0f}}) {
        float px = 0, py = 0;
        ASSERT_TRUE(pixelOf(plan, frame, Point3{x, 512.0f, z}, px, py));
        EXPECT_TRUE(px >= 230 && px <= 800 - 120 && py >= 0 && py <= 600 - 60) << px << "," << py;
    }
}

TEST(CameraPlacement, TheOverviewIsAPlanWhereHeightsMoveNothingAndClicksFindTheirPoint) {
    const TerrainMap map = bumpMap();
    Camera camera;
    camera.overview = true;
    const FrameCamera frame;
    const CameraPlacement plan = placeCamera(map, camera, frame);
    ASSERT_GT(plan.planHalfHeight, 0.0);
    // A tile point shows at one pixel whatever its height, and every tile spans the same
    // pixels: the map's edges are straight.
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(pixelOf(plan, frame, Point3{0.0f, 0.0f, 0.0f}, x0, y0));
    ASSERT_TRUE(pixelOf(plan, frame, Point3{128.0f, 0.0f, -128.0f}, x1, y1));
    const float tile = x1 - x0;
    EXPECT_GT(tile, 10.0f);
    EXPECT_NEAR(y0 - y1, tile, 1e-3f) << "square tiles";
    for (int c = 0; c < 9; ++c) {
        for (int r = 0; r < 9; ++r) {
            for (const float height : {-300.0f, 0.0f, 512.0f}) {
                float px = 0, py = 0;
                ASSERT_TRUE(pixelOf(plan, frame, Point3{128.0f * c, height, -128.0f * r}, px, py));
                EXPECT_NEAR(px, x0 + tile * c, 1e-2f);
                EXPECT_NEAR(py, y0 - tile * r, 1e-2f);
            }
        }
    }
    // A click on the raised point, drawn where a flat one would be, picks it.
    float bx = 0, by = 0;
    pixelOf(plan, frame, map.vertices[4][4].position, bx, by);
    const GroundPoint hit =
        groundAlong(map, rayThroughPixel(plan, frame, static_cast<int>(bx), static_cast<int>(by)));
    ASSERT_TRUE(hit.hit);
    EXPECT_EQ(hit.column, 4);
    EXPECT_EQ(hit.row, 4);
    EXPECT_NEAR(hit.point.y, 512.0f, 40.0f);
}

TEST(CameraPlacement, APixelsRayShowsAtThatPixel) {
    CameraPlacement c;
    c.eye = {100.0f, 3000.0f, 50.0f};
    c.target = {900.0f, 0.0f, -2000.0f};
    c.up = {0.0f, 1.0f, 0.0f};
    const FrameCamera frame;
    for (const auto& [x, y] : {std::pair{0, 0}, {799, 599}, {400, 300}, {17, 560}}) {
        const Ray ray = rayThroughPixel(c, frame, x, y);
        const Point3 far{ray.origin.x + 5000 * ray.direction.x,
                         ray.origin.y + 5000 * ray.direction.y,
                         ray.origin.z + 5000 * ray.direction.z};
        float px = 0, py = 0;
        ASSERT_TRUE(pixelOf(c, frame, far, px, py));
        EXPECT_NEAR(px, static_cast<float>(x), 1e-2f);
        EXPECT_NEAR(py, static_cast<float>(y), 1e-2f);
    }
}

TEST(GroundPicking, ARayMeetsTheSurfaceFirstWhereItIsAndNothingOffTheMap) {
    const TerrainMap map = bumpMap();
    const Point3 down{0.0f, -1.0f, 0.0f};
    GroundPoint at = groundAlong(map, Ray{{286.0f, 5000.0f, -394.0f}, down});
    ASSERT_TRUE(at.hit);
    EXPECT_NEAR(at.point.y, 0.0f, 1e-3f);
    EXPECT_EQ(at.column, 2);
    EXPECT_EQ(at.row, 3);
    at = groundAlong(map, Ray{{512.0f, 5000.0f, -512.0f}, down});
    ASSERT_TRUE(at.hit);
    EXPECT_NEAR(at.point.y, 512.0f, 1e-2f);
    // Along row 4 from the west, 300 up: the bump's west slope stops the ray before its top.
    at = groundAlong(map, Ray{{-500.0f, 300.0f, -512.0f}, {1.0f, 0.0f, 0.0f}});
    ASSERT_TRUE(at.hit);
    EXPECT_GT(at.point.x, 384.0f);
    EXPECT_LT(at.point.x, 512.0f);
    EXPECT_EQ(at.column, 4); // the nearest tile point
    // Upwards, past the map, or away from it: nothing.
    EXPECT_FALSE(groundAlong(map, Ray{{286.0f, 100.0f, -394.0f}, {0.0f, 1.0f, 0.0f}}).hit);
    EXPECT_FALSE(groundAlong(map, Ray{{5000.0f, 5000.0f, -512.0f}, down}).hit);
    EXPECT_FALSE(groundAlong(map, Ray{{-10.0f, 600.0f, 10.0f}, {-0.6f, -0.8f, 0.0f}}).hit);
    EXPECT_FALSE(groundAlong(loadMap(levelDocument(1, 5)), Ray{{0.0f, 10.0f, -10.0f}, down}).hit);
}

float apart(const Point3& a, const Point3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

TEST(CameraMoves, TurningKeepsThePivotInViewZoomingKeepsItsLineAndHomeKeepsThePlace) {
    const TerrainMap map = loadMap(levelDocument(65, 65));
    Camera camera{4096.0f, -4096.0f, 1000.0f};
    const CameraPlacement before = placeCamera(map, camera, FrameCamera{});
    const float distance = apart(before.eye, before.target);
    const Camera from = camera;
    turnAbout(map, camera, from, before.target, distance, pi / 2, 0.3f);
    const CameraPlacement turned = placeCamera(map, camera, FrameCamera{});
    EXPECT_LT(apart(turned.target, before.target), 1.0f) << "it still looks at the pivot";
    EXPECT_NEAR(apart(turned.eye, before.target), distance, 1.0f);
    EXPECT_NEAR(camera.pitch, Camera::startPitch + 0.3f, 1e-6f);
    turnAbout(map, camera, from, before.target, distance, 0.0f, 10.0f);
    EXPECT_EQ(camera.pitch, Camera::highestPitch);

    // Halfway towards a ground point: the eye moves along the line to it.
    const Point3 towards{3000.0f, 0.0f, -6000.0f};
    const Point3 eye = placeCamera(map, camera, FrameCamera{}).eye;
    zoomTowards(map, camera, towards, 0.5f);
    const Point3 closer = placeCamera(map, camera, FrameCamera{}).eye;
    EXPECT_NEAR(closer.x - towards.x, 0.5f * (eye.x - towards.x), 0.5f);
    EXPECT_NEAR(closer.y - towards.y, 0.5f * (eye.y - towards.y), 0.5f);
    EXPECT_NEAR(closer.z - towards.z, 0.5f * (eye.z - towards.z), 0.5f);
    zoomTowards(map, camera, towards, 1e-6f);
    EXPECT_NEAR(camera.height, Camera::lowestHeight, 1e-2f);

    const float x = camera.x, z = camera.z;
    camera.overview = true;
    camera.home();
    EXPECT_TRUE(camera.isStart());
    EXPECT_EQ(camera.x, x);
    EXPECT_EQ(camera.z, z);
}

} // namespace

// Past the last column or row the ground keeps the edge's height, never leaning towards the
// grid's far side (column or row 0).
TEST(GroundHeight, PastTheLastTilePointTheEdgeHolds) {
    W3eDocument doc = levelDocument(3, 3);
    doc.at(0, 0).groundHeight = rawGroundHeight(400);
    doc.at(2, 2).groundHeight = rawGroundHeight(100);
    const TerrainMap map = loadMap(doc);
    EXPECT_FLOAT_EQ(groundHeightUnder(map, 2 * 128 + 64, -2 * 128 - 64), 100.0f);
    EXPECT_FLOAT_EQ(groundHeightUnder(map, 2 * 128 + 64, -2 * 128), 100.0f);
    EXPECT_FLOAT_EQ(groundHeightUnder(map, 128 + 64, -2 * 128), 50.0f); // between (1, 2) and (2, 2)
}
