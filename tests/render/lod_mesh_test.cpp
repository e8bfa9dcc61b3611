// The level-of-detail mesh without a display: every vertex is a real tile point, the chunks
// tile the map, triangles face up and skirts face out, and a choice of chunks covers the view
// once.
#include "map_fixture.h"
#include "render/lod_select.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

namespace {

// Smooth hills with rough patches, a cliff and a deep hole, on a map whose sides are no
// multiple of a chunk.
TerrainMap hillyMap(int width, int height) {
    W3eDocument doc = levelDocument(width, height);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c) {
            W3eTilePoint& p = doc.at(c, r);
            const double rough = (c / 40 + r / 40) % 3 == 0 ? (c * 37 + r * 11) % 29 * 9.25 : 0.0;
            p.groundHeight = rawGroundHeight(400 * std::sin(c / 23.0) * std::cos(r / 17.0) + rough +
                                             (c > width / 2 ? 300 : 0));
            p.cliffAndLayer = static_cast<std::uint8_t>(r > height / 2 ? 2 : 0);
        }
    doc.at(width / 3, height / 3).groundHeight = rawGroundHeight(-1900);
    return loadMap(doc);
}

ViewFrustum everywhere() {
    ViewFrustum f;
    for (auto& p : f.planes) p[3] = 1.0f;
    return f;
}

TEST(LodMesh, EveryVertexIsATilePointWithItsHeightAndTheChunksTileTheMap) {
    for (const auto& [width, height] : {std::pair{100, 37}, {300, 300}, {17, 17}}) {
        const TerrainMap map = hillyMap(width, height);
        LodMesh mesh;
        mesh.build(map);
        ASSERT_GE(mesh.root, 0);
        std::vector<int> leafCover(static_cast<std::size_t>(width - 1) * (height - 1), 0);
        for (const LodChunk& chunk : mesh.chunks) {
            ASSERT_FALSE(chunk.exact);
            const LodPattern& pattern = mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
            const float tile = 128.0f / static_cast<float>(chunk.unitsPerTile);
            // The grid points, row by row, decode to the map's own positions exactly.
            for (int j = 0; j < pattern.down; ++j) {
                for (int i = 0; i < pattern.across; ++i) {
                    const std::int16_t* v = &chunk.vertices[static_cast<std::size_t>(
                        (j * pattern.across + i) * chunk.format.stride)];
                    const float x = chunk.originX() + static_cast<float>(v[0]) * tile;
                    const float z = chunk.originZ() + static_cast<float>(v[2]) * tile;
                    const int c = static_cast<int>(x / 128.0f), r = static_cast<int>(-z / 128.0f);
                    ASSERT_TRUE(c >= chunk.column && c <= chunk.column + chunk.quadsX &&
                                r >= chunk.row && r <= chunk.row + chunk.quadsZ)
                        << width << "x" << height << " chunk at " << chunk.column << ","
                        << chunk.row;
                    EXPECT_EQ(x, map.vertices[c][r].position.x);
                    EXPECT_EQ(z, map.vertices[c][r].position.z);
                    EXPECT_EQ(chunk.yBase + static_cast<float>(v[1]) * 0.25f,
                              map.vertices[c][r].position.y);
                }
            }
            if (chunk.step == 1)
                for (int r = chunk.row; r < chunk.row + chunk.quadsZ; ++r)
                    for (int c = chunk.column; c < chunk.column + chunk.quadsX; ++c)
                        ++leafCover[static_cast<std::size_t>(r) * (width - 1) + c];
        }
        for (const int n : leafCover) ASSERT_EQ(n, 1) << width << "x" << height;
    }
}

TEST(LodMesh, SurfacesFaceUpAndSkirtsHangBelowTheirEdges) {
    LodPattern pattern;
    pattern.build(17, 9);
    // The surface's grid points, row by row: x across, z down (negative).
    const auto place = [&](int slot, float out[3]) {
        ASSERT_LT(slot, pattern.across * pattern.down);
        out[0] = static_cast<float>(slot % pattern.across);
        out[1] = 0.0f;
        out[2] = -static_cast<float>(slot / pattern.across);
    };
    for (int t = 0; t < pattern.surfaceIndices; t += 3) {
        float a[3] = {}, b[3] = {}, c[3] = {};
        place(pattern.indices[t], a);
        place(pattern.indices[t + 1], b);
        place(pattern.indices[t + 2], c);
        // Clockwise seen from above, as the strips: the right-hand normal points down.
        const float ny = (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]);
        EXPECT_LT(ny, 0.0f) << "triangle " << t / 3;
    }
    EXPECT_EQ(pattern.surfaceIndices, 16 * 8 * 6);
    EXPECT_EQ(static_cast<int>(pattern.indices.size()) - pattern.surfaceIndices,
              2 * (16 + 8) * 2 * 3); // two triangles a skirt segment, on four edges
    for (const std::uint16_t i : pattern.indices) EXPECT_LT(i, pattern.vertexCount);
}

TEST(LodSelection, TheChosenChunksCoverTheMapOnceAtEveryDistance) {
    const TerrainMap map = hillyMap(300, 200);
    LodMesh mesh;
    mesh.build(map);
    for (const float height : {300.0f, 5000.0f, 80000.0f}) {
        LodSelection selection;
        selection.choose(mesh, everywhere(), Point3{10000.0f, height, -9000.0f}, 500.0f, 4096);
        std::vector<int> cover(299 * 199, 0);
        std::set<int> steps;
        for (const int index : selection.drawn) {
            const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(index)];
            steps.insert(chunk.step);
            for (int r = chunk.row; r < chunk.row + chunk.quadsZ; ++r)
                for (int c = chunk.column; c < chunk.column + chunk.quadsX; ++c)
                    ++cover[static_cast<std::size_t>(r) * 299 + c];
        }
        for (const int n : cover) ASSERT_EQ(n, 1) << "from " << height;
        EXPECT_GE(selection.nearest, 0.0f);
        if (height == 5000.0f) {
            EXPECT_GT(steps.size(), 1u) << "a mix of steps from 5000 up";
        }
    }
    // Full detail draws the leaves only.
    LodSelection full;
    full.choose(mesh, everywhere(), Point3{0.0f, 90000.0f, 0.0f}, 500.0f, 4096, true);
    for (const int index : full.drawn)
        EXPECT_EQ(mesh.chunks[static_cast<std::size_t>(index)].step, 1);
}

} // namespace
