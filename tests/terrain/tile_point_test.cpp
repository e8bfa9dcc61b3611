// Decoding one tile point: signed ground height, water word, nibbles, world heights.
#include "terrain/terrain_vertex.h"

#include <gtest/gtest.h>

namespace {

TerrainVertex decode(std::uint16_t ground, std::uint16_t water, unsigned char b4 = 0,
                     unsigned char b5 = 0, unsigned char b6 = 0, int column = 0, int row = 0) {
    const unsigned char bytes[tilePointSize] = {static_cast<unsigned char>(ground),
                                                static_cast<unsigned char>(ground >> 8),
                                                static_cast<unsigned char>(water),
                                                static_cast<unsigned char>(water >> 8),
                                                b4,
                                                b5,
                                                b6};
    return decodeTilePoint(bytes, column, row);
}

TEST(TilePoint, BoundaryMarkIsBitPatternZeroOneAndLevelIsTheLowFourteenBits) {
    const struct {
        std::uint16_t word;
        int boundary;
        int level;
    } cases[] = {{0x4000, 1, 0},      {0xC000, 0, 0}, {0x7FFF, 1, 0x3FFF},
                 {0x8123, 0, 0x0123}, {0x0000, 0, 0}, {0x8000, 0, 0}};
    for (const auto& c : cases) {
        const TerrainVertex v = decode(8192, c.word);
        EXPECT_EQ(v.boundary, c.boundary) << std::hex << c.word;
        EXPECT_EQ(v.waterHeight, static_cast<float>((c.level - 8192) / 4) - 89.6f) << c.word;
    }
}

TEST(TilePoint, NibblesAndTextureDetails) {
    const TerrainVertex v = decode(8192, 0, 0xA5, 0xE7, 0x3C);
    EXPECT_EQ(v.tileFlags, 10);
    EXPECT_EQ(v.groundTexture, 5);
    EXPECT_EQ(v.textureDetails, 0xE7);
    EXPECT_EQ(v.cliffTexture, 3);
    EXPECT_EQ(v.layerHeight, 12);
}

TEST(TilePoint, GroundHeightIsSignedAndLayersAdd512RawUnits) {
    EXPECT_EQ(decode(8192, 0).position.y, 0.0f);
    EXPECT_EQ(decode(8192, 0, 0, 0, 0x02).position.y, 256.0f);
    EXPECT_EQ(decode(8193, 0).position.y, 0.25f);
    EXPECT_EQ(decode(0, 0).position.y, -2048.0f);
    EXPECT_EQ(decode(0xFFFF, 0).position.y, -2048.25f);
    EXPECT_EQ(decode(0x8000, 0).position.y, (-32768 - 8192) * 0.25f);
    EXPECT_EQ(decode(0x7FFF, 0, 0, 0, 0x0F).position.y, (32767 + 15 * 512 - 8192) * 0.25f);
}

TEST(TilePoint, WaterLevelDivisionTruncatesTowardZero) {
    EXPECT_EQ(decode(8192, 8192).waterHeight, -89.6f);
    // 100 - 89.6f rounded once to a float: 10.4 to float precision.
    EXPECT_EQ(decode(8192, 8592).waterHeight, 100.0f - 89.6f);
    EXPECT_NEAR(decode(8192, 8592).waterHeight, 10.4, 2e-6);
    EXPECT_EQ(decode(8192, 8190).waterHeight, -89.6f); // -2 / 4 is 0
    EXPECT_EQ(decode(8192, 8187).waterHeight, -90.6f); // -5 / 4 is -1
    EXPECT_EQ(decode(8192, 0).waterHeight, -2137.6f);
}

TEST(TilePoint, PositionFollowsColumnAndRow) {
    const TerrainVertex v = decode(8192, 0, 0, 0, 0, 2, 1);
    EXPECT_EQ(v.position.x, 256.0f);
    EXPECT_EQ(v.position.z, -128.0f);
}

} // namespace
