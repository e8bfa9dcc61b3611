// EnvironmentHeader: the header of an environment file as read, field by field.
// Needs: standard C++ only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct EnvironmentHeader {
    char magic[5] = {}; // four characters as read, then a zero so it prints as text
    std::int32_t version = 0;
    char tileSet = 0;
    std::int32_t customTileSet = 0;
    std::int32_t groundTileSetCount = 0;
    std::unique_ptr<char[]> groundTileSetIds; // 4 characters per ID, then one zero byte
    std::int32_t cliffTileSetCount = 0;
    std::unique_ptr<char[]> cliffTileSetIds; // laid out as groundTileSetIds
    std::int32_t mapWidth = 0;               // vertex columns
    std::int32_t mapHeight = 0;              // vertex rows
    float xOffset = 0.0f;
    float zOffset = 0.0f;

    // ID `index` of a list as its 4 characters, or "" past the list's end.
    std::string groundTileSetId(int index) const {
        return idIn(groundTileSetIds, groundTileSetCount, index);
    }
    std::string cliffTileSetId(int index) const {
        return idIn(cliffTileSetIds, cliffTileSetCount, index);
    }

  private:
    static std::string idIn(const std::unique_ptr<char[]>& ids, int count, int index) {
        if (!ids || index < 0 || index >= count) return {};
        return std::string(ids.get() + 4 * static_cast<std::size_t>(index), 4);
    }
};
