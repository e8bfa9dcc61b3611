// The terrain strips: exact call sequences through a recording emitter, the coarse block pass
// against the plain per-quad test, and the real GL drawing through feedback mode.
#include "gl_fixture.h"
#include "map_fixture.h"
#include "terrain_walk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>

namespace {

struct Call {
    char kind; // b(egin), e(nd), c(olour), n(ormal), v(ertex)
    float x = 0, y = 0, z = 0;
    bool operator==(const Call& o) const {
        return kind == o.kind && std::memcmp(&x, &o.x, sizeof x) == 0 &&
               std::memcmp(&y, &o.y, sizeof y) == 0 && std::memcmp(&z, &o.z, sizeof z) == 0;
    }
};

struct Recorder {
    std::vector<Call> calls;
    void begin() { calls.push_back({'b'}); }
    void end() { calls.push_back({'e'}); }
    void color(float r, float g, float b) { calls.push_back({'c', r, g, b}); }
    void normal(const Point3& n) { calls.push_back({'n', n.x, n.y, n.z}); }
    void vertex(const Point3& p) { calls.push_back({'v', p.x, p.y, p.z}); }

    // The grid points of the vertices, as "c,r" in order.
    std::vector<std::string> vertices() const {
        std::vector<std::string> out;
        for (const Call& c : calls)
            if (c.kind == 'v')
                out.push_back(std::to_string(static_cast<int>(c.x / 128)) + "," +
                              std::to_string(static_cast<int>(-c.z / 128)));
        return out;
    }
    std::string kinds() const {
        std::string out;
        for (const Call& c : calls) out += c.kind;
        return out;
    }
};

ViewFrustum everywhere() {
    ViewFrustum f;
    for (auto& p : f.planes) p[3] = 1.0f; // 0 x + 0 y + 0 z + 1 > 0 for every point
    return f;
}

TEST(TerrainDraw, TwoByTwoGridIsOneStripOfFourVerticesEachAfterItsNormal) {
    W3eDocument doc = levelDocument(2, 2);
    doc.at(1, 1).groundHeight = 8192 + 512;
    const TerrainMap map = loadMap(doc);
    Recorder rec;
    emitTerrain(map, everywhere(), nullptr, rec);
    EXPECT_EQ(rec.kinds(), "bcnvnvnvnve");
    EXPECT_EQ(rec.vertices(), (std::vector<std::string>{"0,0", "0,1", "1,0", "1,1"}));
    EXPECT_EQ(rec.calls[1].x, 1.0f); // white
    EXPECT_EQ(rec.calls[1].y, 1.0f);
    EXPECT_EQ(rec.calls[1].z, 1.0f);
    // Each normal is its vertex's: (0, 1) comes second.
    EXPECT_EQ(rec.calls[4].x, map.normals[0][1].x);
    EXPECT_EQ(rec.calls[4].z, map.normals[0][1].z);
}

TEST(TerrainDraw, TheStripCarriesOnAcrossLeftOutQuads) {
    // Columns 1 to 3 stand high; a frustum whose top is at y = 500 sees only columns 0 and 4,
    // so quads 1 and 2 have no corner inside.
    W3eDocument doc = levelDocument(5, 2);
    for (int c = 1; c <= 3; ++c)
        for (int r = 0; r < 2; ++r) doc.at(c, r).groundHeight = rawGroundHeight(1000);
    const TerrainMap map = loadMap(doc);
    ViewFrustum f = everywhere();
    f.planes[ViewFrustum::topPlane][1] = -1.0f;
    f.planes[ViewFrustum::topPlane][3] = 500.0f;
    Recorder rec;
    emitTerrain(map, f, nullptr, rec);
    EXPECT_EQ(rec.kinds(), "bcnvnvnvnvcnvnvnvnve");
    EXPECT_EQ(rec.vertices(),
              (std::vector<std::string>{"0,0", "0,1", "1,0", "1,1", "3,0", "3,1", "4,0", "4,1"}));
    // Nothing in view: the row still begins and ends.
    ViewFrustum nowhere = everywhere();
    nowhere.planes[0][3] = -1.0f;
    Recorder none;
    emitTerrain(map, nowhere, nullptr, none);
    EXPECT_EQ(none.kinds(), "be");
}

TEST(TerrainDraw, SingleRowsAndColumns) {
    Recorder oneRow, oneColumn;
    emitTerrain(loadMap(levelDocument(6, 1)), everywhere(), nullptr, oneRow);
    EXPECT_EQ(oneRow.kinds(), ""); // no row of quads: no strip at all
    emitTerrain(loadMap(levelDocument(1, 4)), everywhere(), nullptr, oneColumn);
    EXPECT_EQ(oneColumn.kinds(), "bebebe"); // an empty strip per row
}

TEST(TerrainDraw, AGridWithoutTilePointsHasNoStripsWhateverItsHeaderClaims) {
    // A header alone may claim 0 by 2^31 - 1 points: that is no rows, not 2^31 empty strips.
    W3eDocument doc = levelDocument(0, 0);
    doc.mapHeight = 2147483647;
    Recorder rec;
    emitTerrain(loadMap(doc), everywhere(), nullptr, rec);
    EXPECT_EQ(rec.kinds(), "");
}

TEST(TerrainDraw, ColouredViewsColourEachVertexInThePlainOrder) {
    W3eDocument doc = levelDocument(3, 2);
    doc.at(1, 0).flagsAndTexture = 1;                  // ground texture 1
    doc.at(2, 1).flagsAndTexture = 0x15;               // ramp, texture 5 (not listed: 2 tile sets)
    doc.at(0, 1).cliffAndLayer = 3;                    // layer 3
    doc.at(2, 0).groundHeight = rawGroundHeight(-300); // the lowest point
    const TerrainMap map = loadMap(doc);
    Recorder plain;
    emitTerrain(map, everywhere(), nullptr, plain);
    for (const TerrainView view :
         {TerrainView::groundTiles, TerrainView::height, TerrainView::cliffsAndFlags}) {
        const VertexColouring colouring = VertexColouring::of(map, view);
        Recorder rec;
        emitTerrain(map, everywhere(), nullptr, rec, VertexColours{colouring});
        EXPECT_EQ(rec.kinds(), "bcnvcnvcnvcnvcnvcnvcnvcnve") << viewName(view);
        // Less the colours, the calls are the plain view's less its white.
        std::vector<Call> shapes, plainShapes;
        for (const Call& c : rec.calls)
            if (c.kind != 'c') shapes.push_back(c);
        for (const Call& c : plain.calls)
            if (c.kind != 'c') plainShapes.push_back(c);
        EXPECT_TRUE(shapes == plainShapes) << viewName(view);
        // Each colour is its own vertex's.
        for (std::size_t i = 0; i + 2 < rec.calls.size(); ++i) {
            if (rec.calls[i].kind != 'c') continue;
            const Call& v = rec.calls[i + 2];
            const Rgb want = colouring.colourOf(
                map.vertices[static_cast<int>(v.x / 128)][static_cast<int>(-v.z / 128)]);
            EXPECT_TRUE((Call{'c', want.r, want.g, want.b} == rec.calls[i])) << i;
        }
    }
    // The marks reach the vertices: texture 5 is unlisted grey, the ramp orange.
    EXPECT_EQ(
        hexColour(VertexColouring::of(map, TerrainView::groundTiles).colourOf(map.vertices[2][1])),
        "#808080");
    EXPECT_EQ(
        hexColour(
            VertexColouring::of(map, TerrainView::cliffsAndFlags).colourOf(map.vertices[2][1])),
        hexColour(rampColour()));
}

TEST(TerrainDraw, WaterIsOneStripPerRunOfQuadsWithAWetCorner) {
    // Water at (0, 0), (1, 0) and (4, 1): quads 0 and 1 are wet, 2 is dry, 3 and 4 are wet.
    W3eDocument doc = levelDocument(6, 2);
    for (const auto& [c, r] : {std::pair{0, 0}, {1, 0}, {4, 1}})
        doc.at(c, r).flagsAndTexture = 0x40;
    for (W3eTilePoint& p : doc.tilePoints) p.waterWord = 8192 + 4 * 10; // surface at 176.4
    const TerrainMap map = loadMap(doc);
    Recorder rec;
    emitWater(map, everywhere(), nullptr, rec);
    // Level water: each run from its first column to its last, the columns between left out.
    EXPECT_EQ(rec.kinds(), "bnvnvnvnvebnvnvnvnve");
    EXPECT_EQ(rec.vertices(),
              (std::vector<std::string>{"0,0", "0,1", "2,0", "2,1", "3,0", "3,1", "5,0", "5,1"}));
    for (const Call& c : rec.calls) {
        if (c.kind == 'v') {
            EXPECT_EQ(c.y, 10.0f - 89.6f + 256.0f);
        } else if (c.kind == 'n') {
            EXPECT_TRUE((c == Call{'n', 0.0f, 1.0f, 0.0f}));
        }
    }
    // A column whose neighbours stand at another level stays: the surface bends there.
    doc.at(1, 1).waterWord = 8192 + 4 * 20;
    Recorder bent;
    emitWater(loadMap(doc), everywhere(), nullptr, bent);
    EXPECT_EQ(bent.vertices(), (std::vector<std::string>{"0,0", "0,1", "1,0", "1,1", "2,0", "2,1",
                                                         "3,0", "3,1", "5,0", "5,1"}));
    Recorder none;
    emitWater(loadMap(levelDocument(6, 2)), everywhere(), nullptr, none);
    EXPECT_EQ(none.kinds(), ""); // no water, no strip
}

TEST(TerrainDraw, QuadsWithAnyCornerInsideAreDrawnWhole) {
    // A view only of the point (1, 1): all four quads around it have a corner inside.
    const TerrainMap map = loadMap(levelDocument(3, 3));
    ViewFrustum f = everywhere();
    f.planes[0][0] = -1.0f; // x < 160
    f.planes[0][3] = 160.0f;
    f.planes[1][0] = 1.0f; // x > 96
    f.planes[1][3] = -96.0f;
    f.planes[2][2] = 1.0f; // z > -160
    f.planes[2][3] = 160.0f;
    f.planes[3][2] = -1.0f; // z < -96
    f.planes[3][3] = -96.0f;
    Recorder rec;
    emitTerrain(map, f, nullptr, rec);
    EXPECT_EQ(rec.vertices().size(), 16u);
    // On a plane is outside: with x < 128 as the bound, point (1, 1) is on it.
    f.planes[0][3] = 128.0f;
    Recorder onPlane;
    emitTerrain(map, f, nullptr, onPlane);
    EXPECT_EQ(onPlane.kinds(), "bebe");
}

TEST(TerrainDraw, BlockPassEmitsExactlyWhatThePerQuadTestEmits) {
    ensureGlWindow();
    std::mt19937 random(2024);
    const struct { int width, height; } grids[] = {{37, 23}, {50, 61}, {2, 40}, {40, 2}, {129, 97}};
    long blocksSkipped = 0, casesWithSkips = 0, cases = 0;
    for (const auto& g : grids) {
        W3eDocument doc = levelDocument(g.width, g.height);
        std::uniform_int_distribution<int> rise(-2000, 2000);
        for (W3eTilePoint& p : doc.tilePoints) p.groundHeight = rawGroundHeight(rise(random));
        const TerrainMap map = loadMap(doc);
        const float spanX = 128.0f * (g.width - 1), spanZ = 128.0f * (g.height - 1);
        std::uniform_real_distribution<float> along(-0.3f, 1.3f), unit(0.0f, 1.0f);
        for (const int blockSize : {1, 3, 5, 7, 16, 64}) {
            HeightBlocks blocks;
            blocks.build(map.vertices, g.width, g.height, blockSize);
            for (int camera = 0; camera < 40; ++camera) {
                const double eyeX = along(random) * spanX, eyeZ = -along(random) * spanZ;
                const double eyeY = -3000 + 9000 * unit(random);
                const double angle = 6.2832 * unit(random), pitch = -1.4 + 2.2 * unit(random);
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                // The viewer's own view now and then, otherwise all sorts.
                if (camera % 4 == 0)
                    gluPerspective(60.0, 4.0 / 3.0, 1.0, 1000000.0);
                else
                    gluPerspective(20 + 100 * unit(random), 0.5 + 2 * unit(random),
                                   0.5 + 50 * unit(random), 500 + 20000 * unit(random));
                glMatrixMode(GL_MODELVIEW);
                glLoadIdentity();
                gluLookAt(eyeX, eyeY, eyeZ, eyeX + std::cos(angle) * std::cos(pitch),
                          eyeY + std::sin(pitch), eyeZ + std::sin(angle) * std::cos(pitch), 0, 1,
                          0);
                ViewFrustum f;
                f.extract();
                Recorder plain, coarse;
                emitTerrain(map, f, nullptr, plain);
                emitTerrain(map, f, &blocks, coarse);
                ASSERT_TRUE(plain.calls == coarse.calls)
                    << g.width << "x" << g.height << " blocks of " << blockSize << " camera "
                    << camera;
                long skipped = 0;
                for (const char s : blocksOutside(f, blocks)) skipped += s;
                blocksSkipped += skipped;
                casesWithSkips += skipped > 0;
                ++cases;
            }
        }
    }
    // The comparison means something only if the block pass really left blocks out.
    EXPECT_GT(casesWithSkips, cases / 4);
    EXPECT_GT(blocksSkipped, 1000);
}

TEST(TerrainDraw, OpenGlReceivesTheTrianglesAndTheMatrixStackIsLeftAsFound) {
    freshViewer();
    W3eDocument doc = levelDocument(3, 2);
    const TerrainMap map = loadMap(doc);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(128, 1000, -64, 128, 0, -64, 0, 0, -1); // above the middle, looking down
    ViewFrustum f;
    f.extract();
    GLint depthBefore = 0, depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    std::vector<GLfloat> feedback(4096);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
    glRenderMode(GL_FEEDBACK);
    map.draw(f);
    const GLint values = glRenderMode(GL_RENDER);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthBefore, depthAfter);
    // Two quads, two front-facing triangles each: the upper side faces the camera.
    int triangles = 0;
    for (GLint i = 0; i < values;) {
        ASSERT_EQ(feedback[i], GL_POLYGON_TOKEN);
        const int n = static_cast<int>(feedback[i + 1]);
        EXPECT_EQ(n, 3);
        ++triangles;
        i += 2 + 3 * n;
    }
    EXPECT_EQ(triangles, 4);

    // Seen from below, the same mesh shows nothing: back faces are culled.
    glLoadIdentity();
    gluLookAt(128, -1000, -64, 128, 0, -64, 0, 0, -1);
    f.extract();
    glRenderMode(GL_FEEDBACK);
    map.draw(f);
    EXPECT_EQ(glRenderMode(GL_RENDER), 0);
}

} // namespace
