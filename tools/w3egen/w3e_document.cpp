// Serialisation of a W3eDocument: little-endian, packed, in file order.
#include "w3e_document.h"

#include "terrain/whole_file.h"

#include <cstring>

namespace {

struct ByteWriter {
    std::vector<unsigned char>& out;

    void u8(std::uint8_t v) { out.push_back(v); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void i32(std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(v >> shift));
    }
    void f32(float value) {
        std::int32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        i32(bits);
    }
    void text(const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }
};

std::string joinIds(const std::vector<std::string>& ids) {
    std::string all;
    for (const std::string& id : ids) all += id;
    return all;
}

} // namespace

void W3eDocument::setGroundIds(const std::vector<std::string>& ids) {
    groundTileSetCount = static_cast<std::int32_t>(ids.size());
    groundTileSetIds = joinIds(ids);
}

void W3eDocument::setCliffIds(const std::vector<std::string>& ids) {
    cliffTileSetCount = static_cast<std::int32_t>(ids.size());
    cliffTileSetIds = joinIds(ids);
}

void W3eDocument::resize(std::int32_t width, std::int32_t height) {
    mapWidth = width;
    mapHeight = height;
    tilePoints.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), {});
}

std::vector<unsigned char> W3eDocument::bytes() const {
    std::vector<unsigned char> out;
    out.reserve(64 + groundTileSetIds.size() + cliffTileSetIds.size() + 7 * tilePoints.size());
    ByteWriter w{out};
    std::string fourCharacters = magic;
    fourCharacters.resize(4, '\0');
    w.text(fourCharacters);
    w.i32(version);
    w.u8(static_cast<std::uint8_t>(tileSet));
    w.i32(customTileSet);
    w.i32(groundTileSetCount);
    w.text(groundTileSetIds);
    w.i32(cliffTileSetCount);
    w.text(cliffTileSetIds);
    w.i32(mapWidth);
    w.i32(mapHeight);
    w.f32(xOffset);
    w.f32(zOffset);
    for (const W3eTilePoint& p : tilePoints) {
        w.u16(static_cast<std::uint16_t>(p.groundHeight));
        w.u16(p.waterWord);
        w.u8(p.flagsAndTexture);
        w.u8(p.textureDetails);
        w.u8(p.cliffAndLayer);
    }
    return out;
}

bool writeBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                std::string& error) {
    return replaceFileWhole(path, bytes.data(), bytes.size(), error);
}
