// TerrainVertex: one decoded tile point, and the decoding of its 7 file bytes.
// Needs: standard C++ only.
#pragma once

#include "terrain/point3.h"

#include <cstdint>

struct TerrainVertex {
    std::int16_t tileFlags = 0;
    std::int16_t groundTexture = 0;
    std::uint8_t textureDetails = 0;
    std::int16_t cliffTexture = 0;
    std::int16_t layerHeight = 0;
    std::uint8_t boundary = 0; // 1 when bits 15 and 14 of the water word are 0 and 1
    float waterHeight = 0.0f;  // world units
    Point3 position;           // world position: x = 128 c, z = -128 r
};

// The tile flags: the high nibble of the tile point's byte 4.
enum TileFlag : std::int16_t { rampFlag = 1, tintedFlag = 2, waterFlag = 4, boundaryFlag = 8 };

// The world height of a point's water surface. The ground's height counts layers from 0, while
// the stored water level counts from layer 2 (2 x 512 raw units / 4 = 256 world units).
inline float waterSurfaceHeight(const TerrainVertex& v) {
    return v.waterHeight + 256.0f;
}

// Bytes of one tile point in the file.
constexpr int tilePointSize = 7;

// Decodes the tile point of grid column `column` and row `row`.
TerrainVertex decodeTilePoint(const unsigned char* bytes, int column, int row);
