#include "export/map_summary.h"

#include "terrain/map_extent.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

std::vector<std::string> mapSummary(const TerrainMap& map, ReportText text) {
    const EnvironmentHeader& h = *map.header;
    const long long width = h.mapWidth, height = h.mapHeight;
    const long long tilesX = std::max(width - 1, 0LL), tilesZ = std::max(height - 1, 0LL);
    std::vector<std::string> lines;
    lines.push_back("tiles: " + std::to_string(tilesX) + " x " + std::to_string(tilesZ));
    const long long tile = static_cast<long long>(tileSize);
    lines.push_back("world units: " + std::to_string(tile * tilesX) + " x " +
                    std::to_string(tile * tilesZ));

    const int listed = std::max(h.groundTileSetCount, 0);
    std::vector<long long> perTile(static_cast<std::size_t>(std::min(listed, 16)) + 1, 0);
    long long points = 0, water = 0, ramp = 0, tinted = 0, boundary = 0;
    double sum = 0.0;
    bool layers[16] = {};
    float waterLow = 0.0f, waterHigh = 0.0f;
    for (const auto& column : map.vertices) {
        for (int r = 0; r < h.mapHeight; ++r) {
            const TerrainVertex& v = column[r];
            ++points;
            sum += v.position.y;
            const bool isListed = v.groundTexture < static_cast<int>(perTile.size()) - 1;
            ++perTile[isListed ? static_cast<std::size_t>(v.groundTexture) : perTile.size() - 1];
            ramp += (v.tileFlags & rampFlag) != 0;
            tinted += (v.tileFlags & tintedFlag) != 0;
            boundary += (v.tileFlags & boundaryFlag) != 0 || v.boundary;
            layers[v.layerHeight & 15] = true;
            if (v.tileFlags & waterFlag) {
                const float level = waterSurfaceHeight(v);
                waterLow = water == 0 ? level : std::min(waterLow, level);
                waterHigh = water == 0 ? level : std::max(waterHigh, level);
                ++water;
            }
        }
    }
    const auto share = [&](long long n) {
        return format("%.2f%%", points > 0
                                    ? 100.0 * static_cast<double>(n) / static_cast<double>(points)
                                    : 0.0);
    };
    lines.push_back("ground lowest: " + format("%.2f", map.lowestHeight));
    lines.push_back("ground highest: " + format("%.2f", map.highestHeight));
    lines.push_back("ground mean: " +
                    format("%.2f", points > 0 ? sum / static_cast<double>(points) : 0.0));
    for (std::size_t i = 0; i + 1 < perTile.size(); ++i) {
        std::string id = h.groundTileSetId(static_cast<int>(i));
        if (text == ReportText::escaped) id = escapeControls(id);
        lines.push_back("ground tile " + std::to_string(i) + " " + id + ": " + share(perTile[i]));
    }
    lines.push_back("ground tile unlisted: " + share(perTile.back()));
    lines.push_back("water: " + share(water));
    lines.push_back("ramp: " + share(ramp));
    lines.push_back("tinted ground: " + share(tinted));
    lines.push_back("boundary: " + share(boundary));
    std::string used;
    for (int layer = 0; layer < 16; ++layer)
        if (layers[layer]) used += (used.empty() ? "" : " ") + std::to_string(layer);
    lines.push_back("cliff layers: " + (used.empty() ? std::string("none") : used));
    lines.push_back("water level: " +
                    (water == 0 ? std::string("none")
                                : format("%.2f", waterLow) + " to " + format("%.2f", waterHigh)));
    return lines;
}
