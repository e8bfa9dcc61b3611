// The level-of-detail mesh without a display: every vertex is a real tile point, the chunks
// tile the map, triangles face up and skirts face out, and a choice of chunks covers the view
// once.
#include "map_fixture.h"
#include "view/lod_select.h"

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

TerrainMap ruggedMap(int size) {
    return loadMap(ruggedDocument(size));
}

// A chunk's triangle (slots of its sample grid) in tile points: column, row.
struct TilePoint {
    int c, r;
};

TilePoint tileOf(const LodChunk& chunk, int slot) {
    return {chunk.column + slot % (lodChunkCells + 1) * chunk.step,
            chunk.row + slot / (lodChunkCells + 1) * chunk.step};
}

TEST(LodLevels, EveryTilePointLiesWithinItsLevelsErrorUnderTrianglesThatCoverTheChunk) {
    const TerrainMap map = ruggedMap(129);
    LodMesh mesh;
    mesh.build(map);
    int levels = 0, coarse = 0;
    for (const LodChunk& chunk : mesh.chunks) {
        for (const LodLevel& level : chunk.levels) {
            ++levels;
            coarse += level.surface < 16 * 16 * 6 / 4;
            std::vector<int> covered((16 * chunk.step + 1) * (16 * chunk.step + 1), 0);
            for (int k = level.first; k < level.first + level.surface; k += 3) {
                const TilePoint p[3] = {tileOf(chunk, chunk.levelIndices[k]),
                                        tileOf(chunk, chunk.levelIndices[k + 1]),
                                        tileOf(chunk, chunk.levelIndices[k + 2])};
                const auto y = [&](const TilePoint& t) {
                    return map.vertices[t.c][t.r].position.y;
                };
                // Every tile point in the triangle (barycentric weights, whole points only).
                const double det = double(p[1].c - p[0].c) * (p[2].r - p[0].r) -
                                   double(p[2].c - p[0].c) * (p[1].r - p[0].r);
                ASSERT_NE(det, 0.0);
                EXPECT_LT(det, 0.0) << "clockwise seen from above";
                for (int r = std::min({p[0].r, p[1].r, p[2].r});
                     r <= std::max({p[0].r, p[1].r, p[2].r}); ++r) {
                    for (int c = std::min({p[0].c, p[1].c, p[2].c});
                         c <= std::max({p[0].c, p[1].c, p[2].c}); ++c) {
                        const double u = (double(c - p[0].c) * (p[2].r - p[0].r) -
                                          double(p[2].c - p[0].c) * (r - p[0].r)) /
                                         det;
                        const double v = (double(p[1].c - p[0].c) * (r - p[0].r) -
                                          double(c - p[0].c) * (p[1].r - p[0].r)) /
                                         det;
                        if (u < -1e-9 || v < -1e-9 || u + v > 1 + 1e-9) continue;
                        const double plane =
                            y(p[0]) + u * (y(p[1]) - y(p[0])) + v * (y(p[2]) - y(p[0]));
                        ASSERT_LE(std::fabs(map.vertices[c][r].position.y - plane),
                                  level.error + 1e-3)
                            << "chunk " << chunk.column << "," << chunk.row << " step "
                            << chunk.step << " level " << level.threshold << " at " << c << ","
                            << r;
                        covered[(r - chunk.row) * (16 * chunk.step + 1) + c - chunk.column] += 1;
                    }
                }
            }
            // The triangles tile the chunk: every tile point under one at least.
            for (const int n : covered) ASSERT_GE(n, 1);
        }
    }
    EXPECT_GT(levels, 100);
    EXPECT_GT(coarse, 20) << "levels with under a quarter of the full grid's triangles";
}

TEST(LodLevels, NeighboursSplitToOneThresholdShareTheirEdgesPoints) {
    const TerrainMap map = ruggedMap(257);
    LodMesh mesh;
    mesh.build(map);
    int shared = 0;
    for (const LodChunk& chunk : mesh.chunks) {
        const int right = chunk.neighbours[3];
        if (right < 0) continue;
        const LodChunk& other = mesh.chunks[static_cast<std::size_t>(right)];
        for (const LodLevel& a : chunk.levels) {
            for (const LodLevel& b : other.levels) {
                if (a.threshold != b.threshold) continue;
                const auto rowsOn = [](const LodChunk& ch, const LodLevel& l, int column) {
                    std::set<int> rows;
                    for (int k = l.first; k < l.first + l.surface; ++k)
                        if (ch.levelIndices[k] % (lodChunkCells + 1) == column)
                            rows.insert(ch.levelIndices[k] / (lodChunkCells + 1));
                    return rows;
                };
                EXPECT_EQ(rowsOn(chunk, a, lodChunkCells), rowsOn(other, b, 0))
                    << "chunks at " << chunk.column << "," << chunk.row << ", threshold "
                    << a.threshold;
                ++shared;
            }
        }
    }
    EXPECT_GT(shared, 100);
}

// How many pixels a height error of one unit can span anywhere in a box, from the eye, per unit
// of pixelsPerUnit: the largest h / (h^2 + v^2) over points of the box, by brute force.
double errorScaleBySampling(const Point3& eye, const float low[3], const float high[3]) {
    double best = 0.0;
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 20; ++j)
            for (int k = 0; k <= 4; ++k) {
                const double x = low[0] + (high[0] - low[0]) * i / 20.0,
                             z = low[2] + (high[2] - low[2]) * j / 20.0,
                             y = low[1] + (high[1] - low[1]) * k / 4.0;
                const double h = std::hypot(x - eye.x, z - eye.z), v = std::fabs(y - eye.y);
                if (h + v > 0) best = std::max(best, h / (h * h + v * v));
            }
    return best;
}

TEST(LodSelection, ErrorsStayUnderAPixelNearTheEyeAndFourAtTheFarPlane) {
    const TerrainMap map = ruggedMap(481);
    LodMesh mesh;
    mesh.build(map);
    const Point3 eye{30000.0f, 2500.0f, -2000.0f}; // low over one edge, the map ahead
    const float pixelsPerUnit = 520.0f;
    LodSelection selection;
    selection.choose(mesh, everywhere(), eye, pixelsPerUnit, 4096, false, ErrorBudget{1.0f, 4.0f});
    const LodChunk& root = mesh.chunks[static_cast<std::size_t>(mesh.root)];
    double reach = 0.0;
    for (const float x : {root.low[0], root.high[0]})
        for (const float z : {root.low[2], root.high[2]})
            for (const float y : {root.low[1], root.high[1]})
                reach = std::max(reach,
                                 static_cast<double>(std::hypot(x - eye.x, y - eye.y, z - eye.z)));
    double largestFar = 0.0;
    for (std::size_t d = 0; d < selection.drawn.size(); ++d) {
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(selection.drawn[d])];
        const int level = selection.levels[d];
        const double error =
            level < 0 ? chunk.error : chunk.levels[static_cast<std::size_t>(level)].error;
        double distance = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double at = k == 0 ? eye.x : k == 1 ? eye.y : eye.z;
            const double out =
                std::max({double(chunk.low[k]) - at, 0.0, at - double(chunk.high[k])});
            distance += out * out;
        }
        distance = std::sqrt(distance);
        const double pixels =
            error * pixelsPerUnit * errorScaleBySampling(eye, chunk.low, chunk.high);
        const double allowed = 1.0 + 3.0 * std::min(1.0, distance / reach);
        EXPECT_LE(pixels, allowed * 1.02) << "chunk at " << chunk.column << "," << chunk.row
                                          << " step " << chunk.step << ", " << distance << " away";
        if (distance < 3000.0) {
            EXPECT_LE(pixels, 1.1) << "near the eye";
        }
        if (distance > reach / 2) largestFar = std::max(largestFar, pixels);
    }
    EXPECT_GT(largestFar, 1.2) << "far off, the budget grows past a pixel";
}

} // namespace
