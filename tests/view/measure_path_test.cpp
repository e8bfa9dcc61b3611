// Measures on a ramp rising 16 units a column (slope 12.5 %) and over a bump, in the map's own
// coordinates.
#include "map_fixture.h"
#include "view/measure_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TerrainMap rampMap() {
    W3eDocument doc = levelDocument(17, 5);
    doc.xOffset = -1024.0f;
    doc.zOffset = 512.0f;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 17; ++c) doc.at(c, r).groundHeight = rawGroundHeight(16.0 * c);
    return loadMap(doc);
}

Point3 onGround(const TerrainMap& map, int column, int row) {
    return map.vertices[static_cast<std::size_t>(column)][row].position;
}

std::string said(const TerrainMap& map, const MeasurePath& path) {
    TextLines lines;
    describePath(lines, map, path);
    std::string all;
    for (int i = 0; i < lines.count; ++i) all += std::string(lines.line[i]) + "\n";
    return all;
}

TEST(MeasurePath, TwoPointsOnARampAndTheTotalsOfThree) {
    const TerrainMap map = rampMap();
    MeasurePath path;
    path.points = {onGround(map, 2, 1)};
    EXPECT_EQ(said(map, path), "from x -768, z 640\n");
    path.points.push_back(onGround(map, 10, 1)); // 1024 across, 128 up
    EXPECT_EQ(said(map, path), "from x -768, z 640\nto x 256, z 640\ndistance 1024.0\n"
                               "along the ground 1032.0\nheight difference +128.00\n"
                               "slope 12.5% (7.1 degrees)\n");
    path.points.push_back(onGround(map, 10, 4)); // 384 north, level
    EXPECT_EQ(said(map, path), "from x -768, z 640\nto x 256, z 1024\ndistance 384.0\n"
                               "along the ground 384.0\nheight difference +0.00\n"
                               "slope 0.0% (0.0 degrees)\n"
                               "total: distance 1408.0, along the ground 1416.0 (3 points)\n");
}

TEST(MeasurePath, AlongTheGroundFollowsABumpBetweenTiles) {
    W3eDocument doc = levelDocument(9, 3);
    doc.at(4, 1).groundHeight = rawGroundHeight(128.0); // a peak in the middle
    const TerrainMap map = loadMap(doc);
    MeasurePath path;
    path.points = {onGround(map, 0, 1), onGround(map, 8, 1)};
    // Up 128 over one tile and down over the next: 2 x 181.02 where the plan has 2 x 128.
    EXPECT_NEAR(path.alongTheGround(map, 0), 6 * 128.0 + 2 * 181.02, 0.05);
    EXPECT_FLOAT_EQ(path.across(0), 1024.0f);
    std::vector<Point3> samples;
    path.legSamples(map, 0, samples);
    EXPECT_EQ(samples.size(), 33u); // every quarter tile, both ends
    EXPECT_FLOAT_EQ(samples[16].y, 128.0f);
}

} // namespace
