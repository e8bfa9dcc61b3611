#include "view/changed_regions.h"

#include "terrain/map_extent.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

bool changedAt(const MapChanges& c, std::size_t at) {
    return c.rise[at] != 0.0f || (c.marks[at] & ~onlyInNew) != 0;
}

void take(ChangedRegion& region, const MapChanges& c, int column, int row) {
    const std::size_t at = c.index(column, row);
    const float rise = c.rise[at];
    const std::uint8_t m = c.marks[at];
    region.column0 = std::min(region.column0, column);
    region.column1 = std::max(region.column1, column);
    region.row0 = std::min(region.row0, row);
    region.row1 = std::max(region.row1, row);
    ++region.points;
    region.raised += rise > 0.0f;
    region.lowered += rise < 0.0f;
    region.largestRise = std::max(region.largestRise, rise);
    region.largestDrop = std::max(region.largestDrop, -rise);
    region.groundTile += (m & groundTileChanged) != 0;
    region.cliff += (m & cliffChanged) != 0;
    region.flags += (m & flagsChanged) != 0;
    region.water += (m & waterChanged) != 0;
}

// The region holding (column, row), every point of it marked as seen: a flood over the eight
// neighbours with a stack of its own, so a region of millions of points needs no deep calls.
ChangedRegion regionFrom(const MapChanges& c, int column, int row, std::vector<char>& seen,
                         std::vector<std::pair<int, int>>& stack) {
    ChangedRegion region;
    region.column0 = region.column1 = column;
    region.row0 = region.row1 = row;
    seen[c.index(column, row)] = 1;
    stack.assign(1, {column, row});
    while (!stack.empty()) {
        const auto [col, r] = stack.back();
        stack.pop_back();
        take(region, c, col, r);
        for (int dc = -1; dc <= 1; ++dc)
            for (int dr = -1; dr <= 1; ++dr) {
                const int nc = col + dc, nr = r + dr;
                if (nc < 0 || nr < 0 || nc >= c.columns || nr >= c.rows) continue;
                const std::size_t at = c.index(nc, nr);
                if (seen[at] || !changedAt(c, at)) continue;
                seen[at] = 1;
                stack.push_back({nc, nr});
            }
    }
    return region;
}

} // namespace

std::string ChangedRegion::what() const {
    std::string out;
    const auto add = [&out](const char* text) {
        out += (out.empty() ? "" : ", ") + std::string(text);
    };
    char line[96];
    if (raised) {
        std::snprintf(line, sizeof line, "raised %lld by up to %.2f", raised,
                      static_cast<double>(largestRise));
        add(line);
    }
    if (lowered) {
        std::snprintf(line, sizeof line, "lowered %lld by up to %.2f", lowered,
                      static_cast<double>(largestDrop));
        add(line);
    }
    const std::pair<const char*, long long> kinds[] = {
        {"ground tile", groundTile}, {"cliff", cliff}, {"flags", flags}, {"water", water}};
    for (const auto& [name, count] : kinds)
        if (count) {
            std::snprintf(line, sizeof line, "%s %lld", name, count);
            add(line);
        }
    return out;
}

std::string ChangedRegion::described() const {
    char where[128];
    std::snprintf(where, sizeof where, "%lld point%s, columns %d-%d, rows %d-%d: ", points,
                  points == 1 ? "" : "s", column0, column1, row0, row1);
    return where + what();
}

std::vector<ChangedRegion> changedRegions(const MapChanges& changes,
                                          const EnvironmentHeader& newer) {
    std::vector<ChangedRegion> regions;
    if (changes.changed == 0) return regions;
    std::vector<char> seen(changes.rise.size(), 0);
    std::vector<std::pair<int, int>> stack;
    for (int row = 0; row < changes.rows; ++row)
        for (int column = 0; column < changes.columns; ++column) {
            const std::size_t at = changes.index(column, row);
            if (seen[at] || !changedAt(changes, at)) continue;
            regions.push_back(regionFrom(changes, column, row, seen, stack));
        }
    for (ChangedRegion& r : regions) {
        r.x0 = newer.xOffset + static_cast<double>(tileSize) * r.column0;
        r.x1 = newer.xOffset + static_cast<double>(tileSize) * r.column1;
        r.z0 = newer.zOffset + static_cast<double>(tileSize) * r.row0;
        r.z1 = newer.zOffset + static_cast<double>(tileSize) * r.row1;
    }
    // Found row by row, so equals keep the order of their first row and column.
    std::stable_sort(
        regions.begin(), regions.end(),
        [](const ChangedRegion& a, const ChangedRegion& b) { return a.points > b.points; });
    return regions;
}
