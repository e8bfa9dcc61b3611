// W3eDocument: the content of an environment file as a writer sees it, and its byte form.
// The header's counts and dimensions are taken from the fields as given, not from the
// vectors, so that tests can write files that contradict themselves.
// Needs: standard C++ only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The raw ground height of a world height on layer 0: 8192 is height 0, and a world unit is 4
// raw units. Heights from -2048 to 6143.75 fit the field.
constexpr std::int16_t rawGroundHeight(double worldHeight) {
    return static_cast<std::int16_t>(8192 + 4 * worldHeight);
}

struct W3eTilePoint {
    std::int16_t groundHeight = 8192; // raw; 8192 with layer 0 is world height 0
    std::uint16_t waterWord = 0;      // level in bits 0-13, boundary mark 01 in bits 15-14
    std::uint8_t flagsAndTexture = 0; // tile flags high nibble, ground texture low nibble
    std::uint8_t textureDetails = 0;
    std::uint8_t cliffAndLayer = 0; // cliff texture high nibble, layer height low nibble
};

struct W3eDocument {
    std::string magic = "W3E!"; // written as exactly 4 bytes, padded with zeros
    std::int32_t version = 11;
    char tileSet = 'V';
    std::int32_t customTileSet = 0;
    std::int32_t groundTileSetCount = 0;
    std::string groundTileSetIds; // written as is, 4 characters per ID
    std::int32_t cliffTileSetCount = 0;
    std::string cliffTileSetIds;
    std::int32_t mapWidth = 0;
    std::int32_t mapHeight = 0;
    float xOffset = 0.0f;
    float zOffset = 0.0f;
    std::vector<W3eTilePoint> tilePoints; // row by row, column fastest

    // Sets the counts and IDs from a list of 4-character IDs.
    void setGroundIds(const std::vector<std::string>& ids);
    void setCliffIds(const std::vector<std::string>& ids);
    // Sets the dimensions and makes a grid of default tile points.
    void resize(std::int32_t width, std::int32_t height);
    W3eTilePoint& at(int column, int row) { return tilePoints[row * mapWidth + column]; }

    std::vector<unsigned char> bytes() const;
};

// Writes bytes to path, replacing it only whole; false with a message in `error` when that
// fails, and then the path is as it was.
bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                std::string& error);
