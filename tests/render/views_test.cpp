// The coloured views on the display: tile types in their colours, water over a basin and not
// over land, and a zoomed-out camera that sees the map smaller.
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/scene_frame.h"
#include "render/screen_text.h"
#include "render/window_context.h"
#include "view/tile_palette.h"
#include "view/view_colours.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Pixels within a few levels of the colour.
int pixelsNear(const Screenshot& s, const Rgb& colour) {
    const int want[3] = {static_cast<int>(colour.r * 255 + 0.5f),
                         static_cast<int>(colour.g * 255 + 0.5f),
                         static_cast<int>(colour.b * 255 + 0.5f)};
    int n = 0;
    for (std::size_t i = 0; i + 2 < s.rgb.size(); i += 3)
        n += std::abs(s.rgb[i] - want[0]) <= 3 && std::abs(s.rgb[i + 1] - want[1]) <= 3 &&
             std::abs(s.rgb[i + 2] - want[2]) <= 3;
    return n;
}

// The window pixel where a world point lands in the frame just drawn.
const unsigned char* pixelAt(const Screenshot& s, double x, double y, double z) {
    double model[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return s.at(static_cast<int>(wx), s.height - 1 - static_cast<int>(wy));
}

class Views : public testing::Test {
  protected:
    void SetUp() override {
        freshViewer();
        viewerState.lightingOn = false; // colours exactly as given
    }
    void TearDown() override { viewerState = ViewerState{}; }
};

TEST_F(Views, TwoTileTypesShowAsTwoColours) {
    W3eDocument doc = levelDocument(33, 33); // two ground tile sets
    for (int r = 0; r < 33; ++r)
        for (int c = 17; c < 33; ++c) doc.at(c, r).flagsAndTexture = 1;
    useMap(doc.bytes());
    testControls().scene.camera.x = 2048;
    testControls().scene.camera.z = -64;
    drawFrame();
    const Screenshot plain = screenshot();
    EXPECT_GT(plain.greyCount(200), 100000); // white

    viewerState.view = TerrainView::groundTiles;
    drawFrame();
    const Screenshot tiles = screenshot();
    const int first = pixelsNear(tiles, GroundColours::of(*terrainMap.header).byNumber[0]);
    const int second = pixelsNear(tiles, GroundColours::of(*terrainMap.header).byNumber[1]);
    EXPECT_GT(first, 50000);
    EXPECT_GT(second, 50000);
    EXPECT_LT(tiles.greyCount(200), 1000);
}

// The user's palette colours the window: its ID's colour where it names the ID; the other ID
// keeps its own entry.
TEST_F(Views, ThePalettesColoursShowInTheWindow) {
    W3eDocument doc = levelDocument(33, 33);
    for (int r = 0; r < 33; ++r)
        for (int c = 17; c < 33; ++c) doc.at(c, r).flagsAndTexture = 1;
    useMap(doc.bytes());
    TilePalette& palette = testControls().scene.textures.palette;
    palette.entries = {{"Vash", Rgb{1.0f, 0.0f, 0.0f}}};
    testControls().scene.camera.x = 2048;
    testControls().scene.camera.z = -64;
    viewerState.view = TerrainView::groundTiles;
    drawFrame();
    const Screenshot tiles = screenshot();
    palette.entries.clear();
    EXPECT_GT(pixelsNear(tiles, Rgb{1.0f, 0.0f, 0.0f}), 50000);
    EXPECT_GT(pixelsNear(tiles, GroundColours::of(*terrainMap.header).byNumber[0]), 50000);
}

TEST_F(Views, WaterShowsOverTheBasinAndTheGroundHidesItUnderLand) {
    // Level land at 100 with a basin at -200 in the middle; every point has the water flag
    // and a surface at 0.4, so only the ground decides where water shows.
    W3eDocument doc = levelDocument(33, 33);
    for (int r = 0; r < 33; ++r) {
        for (int c = 0; c < 33; ++c) {
            W3eTilePoint& p = doc.at(c, r);
            const bool basin = c >= 12 && c <= 20 && r >= 10 && r <= 20;
            p.groundHeight = rawGroundHeight(basin ? -200 : 100);
            p.waterWord = 8192 + 4 * -166; // -166 - 89.6 + 256 = 0.4
            p.flagsAndTexture = 0x40;
        }
    }
    useMap(doc.bytes());
    testControls().scene.camera.x = 2048;
    testControls().scene.camera.z = -64;
    viewerState.view = TerrainView::groundTiles;
    const Rgb land = GroundColours::of(*terrainMap.header).byNumber[0];
    drawFrame();
    const Screenshot wet = screenshot();
    const unsigned char* basin = pixelAt(wet, 16 * 128, -200, -15 * 128);
    const unsigned char* dry = pixelAt(wet, 16 * 128, 100, -26 * 128);
    const Rgb water = waterOver(land);
    EXPECT_NEAR(basin[0], water.r * 255, 3) << "the water over the basin";
    EXPECT_NEAR(basin[1], water.g * 255, 3);
    EXPECT_NEAR(basin[2], water.b * 255, 3);
    EXPECT_NEAR(dry[0], land.r * 255, 3) << "the ground's own colour on land";
    EXPECT_NEAR(dry[2], land.b * 255, 3);

    viewerState.waterShown = false;
    drawFrame();
    const Screenshot hidden = screenshot();
    const unsigned char* bare = pixelAt(hidden, 16 * 128, -200, -15 * 128);
    EXPECT_NEAR(bare[0], land.r * 255, 3) << "H hides the water";

    viewerState.waterShown = true;
    viewerState.view = TerrainView::plain;
    drawFrame();
    const Screenshot plain = screenshot();
    const unsigned char* white = pixelAt(plain, 16 * 128, -200, -15 * 128);
    EXPECT_EQ(white[0], 255) << "no water in the plain view";
    EXPECT_EQ(white[2], 255);
}

TEST_F(Views, EachTilePointsColourCoversTheAreaNearestItWithNothingBetween) {
    // Two tile types in stripes three points wide: the smeared views would blend them.
    W3eDocument doc = levelDocument(33, 33);
    for (int r = 0; r < 33; ++r)
        for (int c = 0; c < 33; ++c) doc.at(c, r).flagsAndTexture = (c / 3) % 2;
    useMap(doc.bytes());
    viewerState.view = TerrainView::groundTiles;
    const Rgb first = GroundColours::of(*terrainMap.header).byNumber[0],
              second = GroundColours::of(*terrainMap.header).byNumber[1];
    for (const float height : {2048.0f, 1024.0f}) { // the start camera, and one of the chunks
        testControls().scene.camera.x = 2048;
        testControls().scene.camera.z = -64;
        testControls().scene.camera.height = height;
        drawFrame();
        const Screenshot shot = screenshot();
        const int a = pixelsNear(shot, first), b = pixelsNear(shot, second);
        int terrain = 0;
        for (std::size_t i = 0; i + 2 < shot.rgb.size(); i += 3)
            terrain += shot.rgb[i] + shot.rgb[i + 1] + shot.rgb[i + 2] > 30;
        EXPECT_GT(a, 50000) << height;
        EXPECT_GT(b, 50000) << height;
        // Every terrain pixel is one colour or the other (the words take the rest).
        EXPECT_GT(a + b, terrain * 9 / 10) << "blends between the tiles from " << height;
    }
}

TEST_F(Views, TextLandsInItsBoxAndNowhereElse) {
    ensureGlWindow();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ScreenText& text = testControls().scene.text;
    const char* words = "Zuvaro 123 Karte";
    text.begin(800, 600);
    text.draw(200, 150, words, Rgb{1.0f, 1.0f, 1.0f});
    text.end();
    SwapBuffers(windowContext.deviceContext);
    const Screenshot shot = screenshot();
    const int right = 200 + ScreenText::width(words), bottom = 150 + ScreenText::lineHeight();
    int inside = 0, outside = 0;
    for (int y = 100; y < 250; ++y) {
        for (int x = 150; x < 600; ++x) {
            const bool lit = shot.at(x, y)[0] > 128;
            const bool in = x >= 200 && x < right && y >= 150 && y < bottom;
            (in ? inside : outside) += lit;
        }
    }
    EXPECT_GT(inside, 60);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(right - 200, 80); // some 16 characters wide
}

TEST_F(Views, ZoomedOutTheMapCoversLessOfTheWindow) {
    useMap(levelDocument(65, 65).bytes()); // 8192 units a side
    testControls().scene.camera.x = 4096;
    testControls().scene.camera.z = -64;
    drawFrame();
    const int near = screenshot().greyCount(200);
    testControls().scene.camera.height = 16384.0f;
    drawFrame();
    const int far = screenshot().greyCount(200);
    EXPECT_GT(near, 400000); // the map fills the window
    EXPECT_LT(far, near / 2);
    EXPECT_GT(far, 10000); // still there, smaller
    EXPECT_EQ(viewerState.cameraPosition.y, 16384.0f);
    EXPECT_EQ(viewerState.lookAtTarget.z, -64.0f - 12288.0f); // the same angle
}

} // namespace

namespace {

// Contour lines at the start camera, where the quads that meet a line are drawn apart from
// those that meet none: the lines only darken the ground (a strong one to 0.3 of it), leave no
// gap between the two kinds of quads, and show on part of the ground, not all of it.
TEST_F(Views, ContourLinesOnlyDarkenTheGroundAtTheStartCamera) {
    useMap(ruggedDocument(257).bytes());
    SceneView& scene = testControls().scene;
    scene.overlay.words = Overlay::Words::hidden;
    for (const TerrainView view : {TerrainView::plain, TerrainView::groundTiles}) {
        viewerState.view = view;
        scene.contours = false;
        drawFrame();
        const Screenshot without = screenshot();
        scene.contours = true;
        drawFrame();
        const Screenshot with = screenshot();
        scene.contours = false;
        int ground = 0, darkened = 0;
        for (std::size_t i = 0; i + 2 < with.rgb.size(); i += 3) {
            bool darker = false;
            for (std::size_t k = i; k < i + 3; ++k) {
                const int before = without.rgb[k], after = with.rgb[k];
                ASSERT_LE(after, before + 1) << viewName(view) << ", pixel " << i / 3;
                ASSERT_GE(after, before * 3 / 10 - 2) << viewName(view) << ", pixel " << i / 3;
                darker = darker || after < before * 9 / 10 - 1;
            }
            ground += without.rgb[i] + without.rgb[i + 1] + without.rgb[i + 2] > 30;
            darkened += darker;
        }
        EXPECT_GT(darkened, 2000) << viewName(view);
        EXPECT_LT(darkened, ground / 2) << viewName(view);
    }
}

} // namespace
