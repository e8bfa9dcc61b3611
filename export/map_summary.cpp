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

// What the summary counts, over every tile point.
struct Counts {
    std::vector<long long> perTile; // by listed ground tile, the unlisted last
    long long points = 0, water = 0, ramp = 0, tinted = 0, boundary = 0;
    double sum = 0.0;
    bool layers[16] = {};
    float waterLow = 0.0f, waterHigh = 0.0f;

    void add(const TerrainVertex& v) {
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

    std::string share(long long n) const {
        return format("%.2f%%", points > 0
                                    ? 100.0 * static_cast<double>(n) / static_cast<double>(points)
                                    : 0.0);
    }
};

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

    Counts n;
    n.perTile.assign(static_cast<std::size_t>(std::min(std::max(h.groundTileSetCount, 0), 16)) + 1,
                     0);
    for (const auto& column : map.vertices)
        for (int r = 0; r < h.mapHeight; ++r) n.add(column[r]);
    lines.push_back("ground lowest: " + format("%.2f", map.lowestHeight));
    lines.push_back("ground highest: " + format("%.2f", map.highestHeight));
    lines.push_back("ground mean: " +
                    format("%.2f", n.points > 0 ? n.sum / static_cast<double>(n.points) : 0.0));
    for (std::size_t i = 0; i + 1 < n.perTile.size(); ++i) {
        std::string id = h.groundTileSetId(static_cast<int>(i));
        if (text == ReportText::escaped) id = escapeControls(id);
        lines.push_back("ground tile " + std::to_string(i) + " " + id + ": " +
                        n.share(n.perTile[i]));
    }
    lines.push_back("ground tile unlisted: " + n.share(n.perTile.back()));
    lines.push_back("water: " + n.share(n.water));
    lines.push_back("ramp: " + n.share(n.ramp));
    lines.push_back("tinted ground: " + n.share(n.tinted));
    lines.push_back("boundary: " + n.share(n.boundary));
    std::string used;
    for (int layer = 0; layer < 16; ++layer)
        if (n.layers[layer]) used += (used.empty() ? "" : " ") + std::to_string(layer);
    lines.push_back("cliff layers: " + (used.empty() ? std::string("none") : used));
    lines.push_back("water level: " + (n.water == 0 ? std::string("none")
                                                    : format("%.2f", n.waterLow) + " to " +
                                                          format("%.2f", n.waterHigh)));
    return lines;
}

std::vector<std::string> changesSummary(const MapChanges& c) {
    const auto count = [](const char* key, long long n) {
        return std::string(key) + ": " + std::to_string(n);
    };
    return {count("points compared", c.compared),
            count("changed points", c.changed),
            count("raised", c.raised),
            count("lowered", c.lowered),
            "largest rise: " + format("%.2f", c.largestRise),
            "largest drop: " + format("%.2f", c.largestDrop),
            count("ground tile changed", c.groundTile),
            count("cliff changed", c.cliff),
            count("flags changed", c.flags),
            count("water changed", c.water),
            count("only in old", c.onlyInOld),
            count("only in new", c.onlyInNewCount)};
}
