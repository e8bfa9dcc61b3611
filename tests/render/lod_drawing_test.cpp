// The coarser meshes on the display: the baked light shades them as OpenGL lights the full
// grid, and the geometry the driver keeps follows every new map and view, from every store.
#include "app/view_controls.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "terrain_shapes.h"
#include "view/camera_placement.h"
#include "view/viewer_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

SceneView& scene() {
    return testControls().scene;
}

// A camera over the middle of a 257 x 257 map, high enough for coarse meshes in view.
void overTheMiddle(float height) {
    scene().camera = Camera{16000.0f, -14000.0f, height};
    scene().camera.pitch = 1.2f;
}

// The share of terrain pixels (not the black sky) whose channels differ by more than `by`.
double differing(const Screenshot& a, const Screenshot& b, int by) {
    long terrain = 0, differ = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const unsigned char *p = a.at(x, y), *q = b.at(x, y);
            if (q[0] + q[1] + q[2] < 10) continue;
            ++terrain;
            differ += std::abs(p[0] - q[0]) > by || std::abs(p[1] - q[1]) > by ||
                      std::abs(p[2] - q[2]) > by;
        }
    }
    return terrain > 0 ? static_cast<double>(differ) / static_cast<double>(terrain) : 1.0;
}

Screenshot fullGrid() {
    scene().levelOfDetail = false;
    drawFrame();
    const Screenshot shot = screenshot();
    scene().levelOfDetail = true;
    return shot;
}

class LodDrawing : public testing::Test {
  protected:
    void SetUp() override { freshViewer(); }
    void TearDown() override { freshViewer(); }
};

TEST_F(LodDrawing, TheBakedLightShadesTheCoarseMeshesPointsAsTheFullGridsLighting) {
    useMap(ruggedDocument(257).bytes());
    overTheMiddle(7000.0f);
    // Over the ground in view, a little to the side: level ground lit fully, slopes apart.
    viewerState.lightPosition[0] = 12000.0f;
    viewerState.lightPosition[1] = 9000.0f;
    viewerState.lightPosition[2] = -26000.0f;
    drawFrame();
    ASSERT_TRUE(scene().gl.multitexture()) << "Mesa offers OpenGL 1.3";
    const Screenshot chunks = screenshot();
    const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
    const Screenshot full = fullGrid();
    // At the points a coarse mesh keeps, both pictures show the point itself: its own lit
    // colour in the full grid, the light baked for it in the coarse mesh.
    int compared = 0, apart = 0;
    const LodSelection& s = scene().selection;
    for (std::size_t d = 0; d < s.drawn.size(); ++d) {
        const LodChunk& chunk = scene().mesh.chunks[static_cast<std::size_t>(s.drawn[d])];
        if (s.levels[d] < 0) continue;
        const LodLevel& level = chunk.levels[static_cast<std::size_t>(s.levels[d])];
        if (chunk.step == 1 && level.shading <= 0.02f) continue; // lit at its corners
        for (int i = 0; i < 17 * 17; i += 7) {
            const int c = chunk.column + i % 17 * chunk.step, r = chunk.row + i / 17 * chunk.step;
            float px = 0, py = 0;
            if (!pixelOf(camera, scene().frame, terrainMap.vertices[c][r].position, px, py))
                continue;
            const int x = static_cast<int>(px), y = static_cast<int>(py);
            if (x < 2 || y < 2 || x > 797 || y > 597) continue;
            const unsigned char *a = chunks.at(x, y), *b = full.at(x, y);
            ++compared;
            apart += std::abs(a[0] - b[0]) > 8;
        }
    }
    EXPECT_GT(compared, 50) << "points of baked chunks in view";
    EXPECT_LT(apart, compared / 20) << "of " << compared << " points";
    EXPECT_LT(differing(chunks, full, 25), 0.03) << "the pictures as a whole";
}

TEST_F(LodDrawing, EveryStoreDrawsTheSamePictureAndFollowsNewMapsAndViews) {
    for (const GeometryStore store :
         {GeometryStore::bufferObjects, GeometryStore::displayLists, GeometryStore::clientArrays}) {
        freshViewer();
        scene().geometry.preferred = store;
        useMap(ruggedDocument(257, 1).bytes());
        overTheMiddle(9000.0f);
        viewerState.view = TerrainView::height; // two maps' heights look apart at once
        scene().overlay.words = Overlay::Words::hidden;
        drawFrame();
        EXPECT_EQ(scene().geometry.store, store);
        const Screenshot first = screenshot();
        EXPECT_LT(differing(first, fullGrid(), 25), 0.03);

        // Another map (a drop or a reload): the driver's copy of the old one must not show.
        useMap(ruggedDocument(257, 2).bytes());
        drawFrame();
        const Screenshot second = screenshot();
        EXPECT_GT(differing(second, first, 25), 0.2) << "the new map looks like the old one";
        EXPECT_LT(differing(second, fullGrid(), 25), 0.03) << "the new map, as the full grid";

        // Another view: its colours, on the same geometry.
        viewerState.view = TerrainView::groundTiles;
        drawFrame();
        const Screenshot tiles = screenshot();
        EXPECT_LT(differing(tiles, fullGrid(), 25), 0.03) << "the tiles view";
        EXPECT_GT(differing(tiles, second, 25), 0.5);
    }
}

TEST_F(LodDrawing, TheOverviewIsAPlanWithStraightEdgesDrawnFromTheCoarsestChunk) {
    useMap(ruggedDocument(129).bytes());
    scene().camera.overview = true;
    drawFrame();
    const Screenshot shot = screenshot();
    const CameraPlacement camera = placeCamera(terrainMap, scene().camera, scene().frame);
    float left = 0, top = 0, right = 0, bottom = 0;
    pixelOf(camera, scene().frame, terrainMap.vertices[0][128].position, left, top);
    pixelOf(camera, scene().frame, terrainMap.vertices[128][0].position, right, bottom);
    // Whatever the heights along them, the map's west and east edges are straight columns.
    for (int y = static_cast<int>(top) + 2; y < static_cast<int>(bottom) - 2; ++y) {
        int first = 0, last = 799;
        while (first < 799 && shot.at(first, y)[0] + shot.at(first, y)[1] < 20) ++first;
        while (last > 0 && shot.at(last, y)[0] + shot.at(last, y)[1] < 20) --last;
        ASSERT_NEAR(first, left, 1.5f) << "row " << y;
        ASSERT_NEAR(last, right, 1.5f) << "row " << y;
    }
    EXPECT_LE(scene().selection.drawn.size(), 4u) << "heights move nothing: the coarsest will do";
    EXPECT_LT(differing(shot, fullGrid(), 25), 0.01);
    // With water, the ground's heights decide where it shows: the demo map's lakes in their
    // hollows keep their shores.
    W3eDocument lakes = levelDocument(257, 257);
    ShapeOptions demo;
    demo.width = demo.height = 257;
    std::string error;
    ASSERT_TRUE(shapeTerrain(lakes, demo, error)) << error;
    useMap(lakes.bytes());
    viewerState.view = TerrainView::groundTiles;
    scene().overlay.words = Overlay::Words::hidden;
    drawFrame();
    const Screenshot withWater = screenshot();
    EXPECT_LT(differing(withWater, fullGrid(), 25), 0.02) << "the plan with its water";
}

TEST_F(LodDrawing, ADroppedMapReplacesTheGeometryTheDriverHolds) {
    const std::string folder = scratchPath("dropped");
    std::filesystem::create_directories(folder);
    const std::string file = folder + "/war3map.w3e";
    std::string error;
    ASSERT_TRUE(writeBytes(file, ruggedDocument(129, 3).bytes(), error)) << error;
    useMap(ruggedDocument(257, 1).bytes());
    overTheMiddle(9000.0f);
    drawFrame();
    const int before = scene().geometry.generation;
    beginOpening(folder, testControls()); // as a drop does
    while (!testControls().loading.done())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(finishOpening(testControls()));
    overTheMiddle(5000.0f);
    scene().camera.x = 8000.0f;
    scene().camera.z = -8000.0f;
    drawFrame();
    EXPECT_NE(scene().geometry.generation, before);
    const Screenshot dropped = screenshot();
    EXPECT_LT(differing(dropped, fullGrid(), 25), 0.03);
}

} // namespace
