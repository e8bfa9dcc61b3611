// The vertex grid as loaded: [column][row] order, trailing bytes, empty grids.
#include "map_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadGrid, TilePointsFillColumnsOfRowsInFileOrder) {
    W3eDocument doc = levelDocument(3, 2);
    for (int i = 0; i < 6; ++i) doc.tilePoints[i].textureDetails = static_cast<std::uint8_t>(i);
    LoadResult r = loadDocument(doc);
    ASSERT_TRUE(r.map->loaded()) << r.map->loadError;
    ASSERT_EQ(r.map->vertices.size(), 3u);
    ASSERT_EQ(r.map->normals.size(), 3u);
    int expected = 0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column, ++expected) {
            const TerrainVertex& v = r.map->vertices[column][row];
            EXPECT_EQ(v.textureDetails, expected) << column << "," << row;
            EXPECT_EQ(v.position.x, 128.0f * column);
            EXPECT_EQ(v.position.z, -128.0f * row);
        }
    }
}

TEST(LoadGrid, TrailingBytesAreIgnored) {
    W3eDocument doc = levelDocument(4, 3);
    doc.at(3, 2).groundHeight = 100;
    std::vector<unsigned char> bytes = doc.bytes();
    LoadResult plain = loadBytes(bytes);
    bytes.insert(bytes.end(), 1000, 0xAB);
    LoadResult trailing = loadBytes(bytes);
    ASSERT_TRUE(trailing.map->loaded()) << trailing.map->loadError;
    EXPECT_EQ(trailing.report.substr(0, trailing.report.rfind("Done")),
              plain.report.substr(0, plain.report.rfind("Done")));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(trailing.map->vertices[c][r].position.y,
                      plain.map->vertices[c][r].position.y);
            EXPECT_EQ(trailing.map->normals[c][r].x, plain.map->normals[c][r].x);
        }
    }
}

TEST(LoadGrid, GridsWithNoTilePointsLoadEmptyWhateverFollows) {
    for (const auto& size : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
        W3eDocument doc = levelDocument(size.first, size.second);
        std::vector<unsigned char> bytes = doc.bytes();
        bytes.insert(bytes.end(), 13, 0xFF); // not tile points: never read
        LoadResult r = loadBytes(bytes);
        ASSERT_TRUE(r.map->loaded()) << r.map->loadError;
        EXPECT_TRUE(r.map->vertices.empty());
        EXPECT_TRUE(r.map->normals.empty());
        EXPECT_EQ(r.map->header->mapWidth, size.first);
        EXPECT_EQ(r.map->header->mapHeight, size.second);
        EXPECT_NE(r.report.find("Done loading "), std::string::npos);
    }
}

} // namespace
