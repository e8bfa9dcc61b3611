// The coloured views at every camera but the start one, on the display: the water where the map
// has it and nowhere else, the changes in the colours the pictures out give them, and a frame
// at once while the level-of-detail mesh of a new map is still being made.
#include "export/map_picture.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/scene_frame.h"
#include "view/camera_placement.h"
#include "view/map_changes.h"
#include "view/viewer_state.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

SceneView& scene() {
    return testControls().scene;
}

class FarViews : public testing::Test {
  protected:
    void SetUp() override { freshViewer(); }
    void TearDown() override {
        scene().compared = ComparedMaps{};
        freshViewer();
    }
};

// The cameras away from the start, over the middle of a 257 x 257 map.
struct Placed {
    const char* name;
    float height;
    bool tilted, overview;
};
const Placed cameras[] = {
    {"zoomed to 4096", 4096.0f, false, false},   {"zoomed to 8192", 8192.0f, false, false},
    {"zoomed to 16384", 16384.0f, false, false}, {"zoomed to 32768", 32768.0f, false, false},
    {"tilted at 2048", 2048.0f, true, false},    {"tilted at 8192", 8192.0f, true, false},
    {"overview", 2048.0f, false, true}};

void place(const Placed& p) {
    Camera& camera = scene().camera;
    camera = Camera{16384.0f, -16384.0f, p.height};
    if (p.tilted) {
        camera.z = -1024.0f; // looking north along the lake's shore
        camera.pitch = Camera::lowestPitch;
    }
    camera.overview = p.overview;
}

// The ground point a window pixel shows in the frame just drawn.
GroundPoint groundAt(int x, int y) {
    const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
    return groundAlong(terrainMap, rayThroughPixel(camera, scene().frame, x, y));
}

TEST_F(FarViews, WaterShowsWhereTheMapHasItAndNowhereElseInEveryViewAtEveryCamera) {
    // West of column 128 a lake: its bed 100 under a surface at 0.4, every point with the water
    // flag. East of it dry land 100 up, without the flag, under the same stored level.
    W3eDocument doc = levelDocument(257, 257);
    for (int r = 0; r < 257; ++r) {
        for (int c = 0; c < 257; ++c) {
            W3eTilePoint& p = doc.at(c, r);
            p.waterWord = 8192 + 4 * -166; // surface at 0.4
            p.groundHeight = rawGroundHeight(c < 128 ? -100.0 : 100.0);
            p.flagsAndTexture = c < 128 ? 0x40 : 0x00;
        }
    }
    useMap(doc.bytes());
    viewerState.lightingOn = false;
    scene().overlay.words = Overlay::Words::hidden;
    for (const TerrainView view :
         {TerrainView::groundTiles, TerrainView::height, TerrainView::cliffsAndFlags}) {
        viewerState.view = view;
        for (const Placed& p : cameras) {
            place(p);
            viewerState.waterShown = true;
            drawFrame();
            const Screenshot wet = screenshot();
            viewerState.waterShown = false; // H
            drawFrame();
            const Screenshot dry = screenshot();
            int lake = 0, land = 0, missing = 0, stray = 0;
            for (int y = 2; y < 600; y += 8) {
                for (int x = 2; x < 800; x += 8) {
                    const GroundPoint g = groundAt(x, y);
                    // Away from the shore by more than a tilted view's parallax over the lake.
                    if (!g.hit || std::abs(g.column - 128) < 10) continue;
                    const unsigned char *a = wet.at(x, y), *b = dry.at(x, y);
                    const bool water =
                        std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 30;
                    if (g.column < 128) {
                        ++lake;
                        missing += !water;
                    } else {
                        ++land;
                        stray += water;
                    }
                }
            }
            const std::string where = std::string(viewName(view)) + ", " + p.name;
            EXPECT_GT(lake, 50) << where;
            EXPECT_GT(land, 50) << where;
            EXPECT_EQ(missing, 0) << where << ": lake without its water";
            EXPECT_EQ(stray, 0) << where << ": water over dry land";
        }
    }
}

TEST_F(FarViews, TheChangesShowFarOffInThePicturesColours) {
    // Level ground; the newer version raises one block by 200, lowers another by 100 and
    // retiles a third, each large enough to have a flat middle.
    const W3eDocument olderDoc = levelDocument(257, 257);
    W3eDocument newerDoc = olderDoc;
    for (int r = 40; r < 100; ++r) {
        for (int c = 30; c < 90; ++c) newerDoc.at(c, r).groundHeight = rawGroundHeight(200.0);
        for (int c = 150; c < 210; ++c) newerDoc.at(c, r).groundHeight = rawGroundHeight(-100.0);
    }
    for (int r = 160; r < 220; ++r)
        for (int c = 90; c < 150; ++c) newerDoc.at(c, r).flagsAndTexture = 1;
    const TerrainMap older = loadMap(olderDoc);
    useMap(newerDoc.bytes());
    const MapChanges changes = MapChanges::between(older, terrainMap);
    scene().compared = ComparedMaps{&older, &changes, false};
    viewerState.view = TerrainView::changes;
    viewerState.lightingOn = false;
    scene().overlay.words = Overlay::Words::hidden;
    // The picture shades flat ground alike everywhere: its colours over the window's are one
    // ratio, the same at every sample.
    const PngImage picture = changesPicture(terrainMap, changes);
    const auto pictured = [&](int c, int r) {
        return &picture.pixels[(static_cast<std::size_t>(256 - r) * 257 + c) * 3];
    };
    const int samples[][2] = {{60, 70}, {180, 70}, {120, 190}, {230, 230}, {20, 200}};
    for (const Placed& p : {cameras[3], cameras[6]}) {
        place(p);
        scene().camera.pitch = Camera::highestPitch; // the whole map below
        drawFrame();
        const Screenshot shot = screenshot();
        const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
        double ratio = 0.0;
        for (const auto& [c, r] : samples) {
            const Point3& at = terrainMap.vertices[c][r].position;
            float x = 0, y = 0;
            ASSERT_TRUE(pixelOf(camera, scene().frame, at, x, y));
            ASSERT_TRUE(x >= 0 && x < 800 && y >= 0 && y < 600)
                << p.name << ", point " << c << "," << r << " at " << x << "," << y;
            const unsigned char* seen = shot.at(static_cast<int>(x), static_cast<int>(y));
            const unsigned char* out = pictured(c, r);
            for (int k = 0; k < 3; ++k) {
                if (seen[k] < 40) continue; // too dark a channel to weigh
                if (ratio == 0.0) ratio = static_cast<double>(out[k]) / seen[k];
                EXPECT_NEAR(out[k], seen[k] * ratio, 4)
                    << p.name << ", point " << c << "," << r << ", channel " << k;
            }
        }
    }
}

TEST_F(FarViews, ACameraAwayFromTheStartDrawsAtOnceWhileANewMapsMeshIsMade) {
    useMap(ruggedDocument(481, 2).bytes()); // a mesh that takes a while to make
    viewerState.view = TerrainView::groundTiles;
    scene().camera.overview = true;
    renderFrame(scene()); // the frame of the O key, without waiting
    EXPECT_FALSE(scene().levelOfDetailReady()) << "the mesh was made before the frame";
    const Screenshot meanwhile = screenshot();
    int terrain = 0;
    for (int y = 0; y < 600; y += 4)
        for (int x = 0; x < 800; x += 4) terrain += meanwhile.at(x, y)[0] > 20;
    EXPECT_GT(terrain, 10000) << "nothing of the map shows while its mesh is made";
    drawFrame(); // and once it is made, the level of detail
    EXPECT_TRUE(scene().levelOfDetailReady());
}

} // namespace

namespace {

int pixelsApart(const Screenshot& a, const Screenshot& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3)
        n += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2];
    return n;
}

TEST_F(FarViews, TheOverviewKeptIsTheOverviewDrawnAndGoesWithWhatItShows) {
    useMap(ruggedDocument(129, 4).bytes());
    viewerState.view = TerrainView::groundTiles;
    scene().overlay.words = Overlay::Words::hidden;
    scene().camera.overview = true;
    drawFrame();
    const Screenshot drawn = screenshot();
    ASSERT_TRUE(scene().plan.kept);
    drawFrame(); // from the picture kept
    EXPECT_EQ(pixelsApart(drawn, screenshot()), 0);
    // Each change shows at once, as a fresh drawing of the overview shows it.
    const auto afresh = [&] {
        drawFrame();
        const Screenshot kept = screenshot();
        scene().plan.forget();
        drawFrame();
        return pixelsApart(kept, screenshot());
    };
    viewerState.waterShown = false;
    EXPECT_EQ(afresh(), 0) << "water hidden";
    viewerState.view = TerrainView::height;
    EXPECT_EQ(afresh(), 0) << "another view";
    viewerState.lightPosition[0] += 4096.0f;
    EXPECT_EQ(afresh(), 0) << "the light moved";
    scene().contours = true;
    EXPECT_EQ(afresh(), 0) << "contour lines";
    useMap(ruggedDocument(129, 5).bytes());
    EXPECT_EQ(afresh(), 0) << "another map";
}

} // namespace
