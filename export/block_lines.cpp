#include "export/block_lines.h"

#include "terrain/map_extent.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// FNV-1a, 32 bits: short, and any change of a point's fields changes it.
struct Digest {
    std::uint32_t value = 2166136261u;

    template <typename T> void add(const T& field) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &field, sizeof(T));
        for (const unsigned char b : bytes) value = (value ^ b) * 16777619u;
    }
    void add(const TerrainVertex& v) {
        add(v.position.y);
        add(v.waterHeight);
        add(v.tileFlags);
        add(v.groundTexture);
        add(v.textureDetails);
        add(v.cliffTexture);
        add(v.layerHeight);
        add(v.boundary);
    }
};

std::string lineOf(const TerrainMap& map, int column0, int row0) {
    const EnvironmentHeader& h = *map.header;
    const int column1 = std::min(column0 + blockLinePoints, h.mapWidth) - 1;
    const int row1 = std::min(row0 + blockLinePoints, h.mapHeight) - 1;
    Digest digest;
    float low = 0.0f, high = 0.0f;
    int wet = 0;
    for (int c = column0; c <= column1; ++c)
        for (int r = row0; r <= row1; ++r) {
            const TerrainVertex& v = map.vertices[static_cast<std::size_t>(c)][r];
            const float y = v.position.y;
            low = c == column0 && r == row0 ? y : std::min(low, y);
            high = c == column0 && r == row0 ? y : std::max(high, y);
            wet += (v.tileFlags & waterFlag) != 0;
            digest.add(v);
        }
    char line[320];
    std::snprintf(line, sizeof line,
                  "block columns %d-%d, rows %d-%d (x %.2f, z %.2f): ground %.2f to %.2f, "
                  "water %d, digest %08x",
                  column0, column1, row0, row1,
                  static_cast<double>(h.xOffset) + static_cast<double>(tileSize) * column0,
                  static_cast<double>(h.zOffset) + static_cast<double>(tileSize) * row0,
                  static_cast<double>(low), static_cast<double>(high), wet,
                  static_cast<unsigned>(digest.value));
    return line;
}

} // namespace

std::vector<std::string> blockLines(const TerrainMap& map) {
    std::vector<std::string> lines;
    if (map.vertices.empty()) return lines;
    // Row by row of blocks, west to east, as a reader scans the map.
    for (int r = 0; r < map.header->mapHeight; r += blockLinePoints)
        for (int c = 0; c < map.header->mapWidth; c += blockLinePoints)
            lines.push_back(lineOf(map, c, r));
    return lines;
}
