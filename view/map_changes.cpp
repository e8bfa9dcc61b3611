#include "view/map_changes.h"

#include "terrain/map_extent.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Whether number a of one map's list and number b of the other's name the same tile set: the
// same ID, or, for numbers past a list's end, the same number past both lists.
struct SameTiles {
    bool same[16][16] = {};

    SameTiles(const EnvironmentHeader& before, const EnvironmentHeader& after, bool cliffs) {
        const auto key = [cliffs](const EnvironmentHeader& h, int n) {
            const std::string id = cliffs ? h.cliffTileSetId(n) : h.groundTileSetId(n);
            return id.empty() ? "#" + std::to_string(n) : id;
        };
        for (int a = 0; a < 16; ++a)
            for (int b = 0; b < 16; ++b) same[a][b] = key(before, a) == key(after, b);
    }
    bool operator()(int a, int b) const { return same[a & 15][b & 15]; }
};

// Ramp, tinted ground and boundary, the water word's boundary mark with them.
int flagsOf(const TerrainVertex& v) {
    return (v.tileFlags & (rampFlag | tintedFlag | boundaryFlag)) | (v.boundary ? 16 : 0);
}

// How far apart the two maps' offsets are in whole tiles, or false when they are not.
bool wholeTiles(float before, float after, long long& tiles) {
    const double apart = (static_cast<double>(after) - static_cast<double>(before)) / tileSize;
    if (!std::isfinite(apart) || std::fabs(apart) > 1e9) return false;
    tiles = std::llround(apart);
    return std::fabs(apart - static_cast<double>(tiles)) < 1e-3;
}

struct Comparison {
    MapChanges& c;
    SameTiles ground, cliffs;
    float tolerance;

    std::uint8_t marksOf(const TerrainVertex& o, const TerrainVertex& n) const {
        const bool wetBefore = o.tileFlags & waterFlag, wetAfter = n.tileFlags & waterFlag;
        std::uint8_t m = 0;
        if (!ground(o.groundTexture, n.groundTexture)) m |= groundTileChanged;
        if (o.layerHeight != n.layerHeight || !cliffs(o.cliffTexture, n.cliffTexture))
            m |= cliffChanged;
        if (flagsOf(o) != flagsOf(n)) m |= flagsChanged;
        if (wetBefore != wetAfter || (wetAfter && o.waterHeight != n.waterHeight))
            m |= waterChanged;
        return m;
    }
    void count(const TerrainVertex& o, const TerrainVertex& n, std::size_t at) {
        const float apart = n.position.y - o.position.y;
        const float rise = std::fabs(apart) <= tolerance ? 0.0f : apart;
        const std::uint8_t m = marksOf(o, n);
        c.rise[at] = rise;
        c.marks[at] = m;
        ++c.compared;
        c.changed += rise != 0.0f || m != 0;
        c.raised += rise > 0.0f;
        c.lowered += rise < 0.0f;
        c.largestRise = std::max(c.largestRise, rise);
        c.largestDrop = std::max(c.largestDrop, -rise);
        c.groundTile += (m & groundTileChanged) != 0;
        c.cliff += (m & cliffChanged) != 0;
        c.flags += (m & flagsChanged) != 0;
        c.water += (m & waterChanged) != 0;
    }
};

} // namespace

MapChanges MapChanges::between(const TerrainMap& before, const TerrainMap& after,
                               float heightTolerance) {
    MapChanges c;
    const EnvironmentHeader &o = *before.header, &n = *after.header;
    const bool bothHavePoints = !before.vertices.empty() && !after.vertices.empty();
    c.columns = after.vertices.empty() ? 0 : n.mapWidth;
    c.rows = after.vertices.empty() ? 0 : n.mapHeight;
    c.aligned = wholeTiles(o.xOffset, n.xOffset, c.columnShift) &&
                wholeTiles(o.zOffset, n.zOffset, c.rowShift);
    const std::size_t points = static_cast<std::size_t>(c.columns) * c.rows;
    c.rise.assign(points, 0.0f);
    c.marks.assign(points, onlyInNew);
    Comparison compare{c, SameTiles(o, n, false), SameTiles(o, n, true), heightTolerance};
    const long long oldPoints =
        before.vertices.empty() ? 0 : static_cast<long long>(o.mapWidth) * o.mapHeight;
    for (int col = 0; col < c.columns; ++col) {
        const long long oc = col + c.columnShift;
        for (int row = 0; row < c.rows; ++row) {
            const long long orow = row + c.rowShift;
            if (!bothHavePoints || !c.aligned || oc < 0 || oc >= o.mapWidth || orow < 0 ||
                orow >= o.mapHeight)
                continue;
            compare.count(before.vertices[static_cast<std::size_t>(oc)][orow],
                          after.vertices[static_cast<std::size_t>(col)][row], c.index(col, row));
        }
    }
    c.onlyInNewCount = static_cast<long long>(points) - c.compared;
    c.onlyInOld = oldPoints - c.compared;
    return c;
}

std::string unmatchedWhy(const TerrainMap& before, const TerrainMap& after) {
    const struct {
        const char* name;
        float value;
    } offsets[] = {{"the older map's X offset", before.header->xOffset},
                   {"the older map's Z offset", before.header->zOffset},
                   {"the newer map's X offset", after.header->xOffset},
                   {"the newer map's Z offset", after.header->zOffset}};
    for (const auto& o : offsets)
        if (!std::isfinite(o.value))
            return std::string("no point can match: ") + o.name + " is " +
                   formatReportFloat(o.value) + ", not a finite number";
    return "";
}
