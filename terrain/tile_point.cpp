// Decoding of one 7-byte tile point: raw heights to world units, nibbles to fields.
#include "terrain/map_extent.h"
#include "terrain/terrain_vertex.h"

TerrainVertex decodeTilePoint(const unsigned char* bytes, int column, int row) {
    const auto ground =
        static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8));
    const auto water = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);

    TerrainVertex v;
    v.boundary = (water & 0xC000) == 0x4000 ? 1 : 0;
    v.tileFlags = static_cast<std::int16_t>(bytes[4] >> 4);
    v.groundTexture = static_cast<std::int16_t>(bytes[4] & 0x0F);
    v.textureDetails = bytes[5];
    v.cliffTexture = static_cast<std::int16_t>(bytes[6] >> 4);
    v.layerHeight = static_cast<std::int16_t>(bytes[6] & 0x0F);

    // 8192 raw units with layer 0 is sea level; each layer adds 512; 4 raw units per world unit.
    const std::int32_t height = (v.layerHeight - 16) * 512 + ground;
    const std::int32_t level = water & 0x3FFF;
    const std::int32_t waterSteps = (level - 8192) / 4; // truncates toward zero, by design
    v.waterHeight = static_cast<float>(waterSteps) - 89.6f;
    v.position.set(static_cast<float>(column) * tileSize, static_cast<float>(height) * 0.25f,
                   static_cast<float>(row) * -tileSize);
    return v;
}
