// The rugged shape that the benchmarks measure on: its statistics are those of the ground map
// makers build, read back through the loader.
#include "map_fixture.h"
#include "terrain_shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

struct GroundStatistics {
    double stepShare = 0;      // neighbouring points on different cliff layers
    double jitter = 0;         // mean height difference of neighbours on the same layer
    double baseLayerShare = 0; // the most used layer's share of points
    double wet = 0, ramp = 0, tinted = 0, boundary = 0;
    int layers = 0, highestLayer = 0, waterLevels = 0, tileSets = 0;
    float span = 0;
};

GroundStatistics measure(const TerrainMap& map) {
    const int w = map.header->mapWidth, h = map.header->mapHeight;
    GroundStatistics s;
    long pairs = 0, steps = 0, same = 0;
    double sameSum = 0;
    int perLayer[16] = {};
    std::set<float> levels;
    std::set<int> tiles;
    for (int c = 0; c < w; ++c) {
        for (int r = 0; r < h; ++r) {
            const TerrainVertex& v = map.vertices[c][r];
            ++perLayer[v.layerHeight];
            s.wet += (v.tileFlags & waterFlag) != 0;
            s.ramp += (v.tileFlags & rampFlag) != 0;
            s.tinted += (v.tileFlags & tintedFlag) != 0;
            s.boundary += (v.tileFlags & boundaryFlag) != 0;
            if (v.tileFlags & waterFlag) levels.insert(v.waterHeight);
            tiles.insert(v.groundTexture);
            for (const auto& [dc, dr] : {std::pair{1, 0}, {0, 1}}) {
                if (c + dc >= w || r + dr >= h) continue;
                const TerrainVertex& n = map.vertices[c + dc][r + dr];
                ++pairs;
                if (n.layerHeight != v.layerHeight) {
                    ++steps;
                } else {
                    ++same;
                    sameSum += std::fabs(n.position.y - v.position.y);
                }
            }
        }
    }
    const double points = static_cast<double>(w) * h;
    s.stepShare = static_cast<double>(steps) / pairs;
    s.jitter = sameSum / same;
    s.baseLayerShare = *std::max_element(perLayer, perLayer + 16) / points;
    for (int i = 0; i < 16; ++i) {
        s.layers += perLayer[i] > 0;
        if (perLayer[i] > 0) s.highestLayer = i;
    }
    s.wet /= points, s.ramp /= points, s.tinted /= points, s.boundary /= points;
    s.waterLevels = static_cast<int>(levels.size());
    s.tileSets = static_cast<int>(tiles.size());
    s.span = map.highestHeight - map.lowestHeight;
    return s;
}

TEST(RuggedShape, HasTheStatisticsOfRealMaps) {
    for (const int size : {257, 481}) {
        const W3eDocument doc = ruggedDocument(size);
        const TerrainMap map = loadMap(doc);
        const GroundStatistics s = measure(map);
        const std::string at =
            "at " + std::to_string(size) + " points a side: steps " + std::to_string(s.stepShare) +
            ", jitter " + std::to_string(s.jitter) + ", base " + std::to_string(s.baseLayerShare) +
            ", wet " + std::to_string(s.wet) + " at " + std::to_string(s.waterLevels) +
            " levels, ramp " + std::to_string(s.ramp) + ", tinted " + std::to_string(s.tinted) +
            ", boundary " + std::to_string(s.boundary) + ", span " + std::to_string(s.span);
        EXPECT_TRUE(s.stepShare >= 0.01 && s.stepShare <= 0.10) << s.stepShare << " " << at;
        EXPECT_TRUE(s.jitter >= 2.5 && s.jitter <= 9.0) << s.jitter << " " << at;
        EXPECT_TRUE(s.baseLayerShare >= 0.56 && s.baseLayerShare <= 0.98)
            << s.baseLayerShare << " " << at;
        EXPECT_GE(s.layers, 6) << at;
        EXPECT_EQ(s.highestLayer, 10) << at;
        EXPECT_TRUE(s.wet >= 0.08 && s.wet <= 0.60) << s.wet << " " << at;
        EXPECT_TRUE(s.waterLevels >= 2 && s.waterLevels <= 9) << s.waterLevels << " " << at;
        EXPECT_TRUE(s.ramp >= 0.002 && s.ramp <= 0.04) << s.ramp << " " << at;
        EXPECT_TRUE(s.tinted >= 0.02 && s.tinted <= 0.10) << s.tinted << " " << at;
        EXPECT_TRUE(s.boundary >= 0.01 && s.boundary <= 0.12) << s.boundary << " " << at;
        EXPECT_EQ(s.tileSets, doc.groundTileSetCount) << at;
        EXPECT_GE(s.tileSets, 8) << at;
        EXPECT_TRUE(s.span >= 1500 && s.span <= 2600) << s.span << " " << at;
    }
}

} // namespace
