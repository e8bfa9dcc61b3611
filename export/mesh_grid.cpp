#include "export/mesh_grid.h"

#include "terrain/map_extent.h"
#include "view/water_cover.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

std::vector<int> kept(int points, int step) {
    std::vector<int> out;
    if (points <= 0) return out;
    for (int p = 0; p < points - 1; p += step) out.push_back(p);
    out.push_back(points - 1);
    return out;
}

} // namespace

MeshGrid MeshGrid::of(const EnvironmentHeader& header, int step) {
    return {kept(header.mapWidth, std::max(step, 1)), kept(header.mapHeight, std::max(step, 1))};
}

std::string meshProblem(const TerrainMap& map, const MeshOptions& options) {
    if (!MeshGrid::of(*map.header, options.step).hasQuads())
        return "the map has fewer than 2 by 2 tile points: no surface to make a mesh of";
    if (!std::isfinite(map.header->xOffset) || !std::isfinite(map.header->zOffset))
        return "the map's offsets are not finite numbers: no mesh can place its points";
    return "";
}

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

// The largest distance from the origin of any coordinate of the map's points, unscaled.
double farthest(const TerrainMap& map) {
    const EnvironmentHeader& h = *map.header;
    const MapExtent extent = MapExtent::of(h);
    return std::max({std::fabs(static_cast<double>(h.xOffset)),
                     std::fabs(static_cast<double>(h.xOffset) + extent.xEnd),
                     std::fabs(static_cast<double>(h.zOffset)),
                     std::fabs(static_cast<double>(h.zOffset) - extent.zEnd),
                     std::fabs(static_cast<double>(map.lowestHeight)),
                     std::fabs(static_cast<double>(map.highestHeight))});
}

} // namespace

std::string meshNumbersProblem(const TerrainMap& map, const MeshOptions& options, bool solid) {
    const double reach = farthest(map);
    // Floats keep 24 bits: points a step apart stay apart while the farthest coordinate is
    // under 2^22 steps, and the spacing stays a normal float well above the smallest.
    const double spacing = static_cast<double>(tileSize) * std::max(options.step, 1);
    const double lowest = std::numeric_limits<float>::min() * 0x1p24 / spacing;
    const double highest = std::numeric_limits<float>::max() / 4.0 / std::max(reach, 1.0);
    if (reach / spacing > 0x1p22)
        return "this map's points lie too far out for a mesh to keep them apart";
    if (options.scale < lowest || options.scale > highest)
        return "--scale " + number(options.scale) + " would " +
               (options.scale < lowest ? "put neighbouring points on one another"
                                       : "make coordinates infinite") +
               ": this map takes --scale from " + number(lowest) + " to " + number(highest);
    if (!solid || options.base <= 0.0) return "";
    // The base must lie below the lowest ground as a float sees it, and stay finite.
    const double ground = std::fabs(static_cast<double>(map.lowestHeight));
    const double least = std::max(ground, spacing) * 0x1p-20;
    const double most = std::numeric_limits<float>::max() / 4.0 / options.scale - ground;
    if (options.base < least || options.base > most)
        return "--base " + number(options.base) + " would " +
               (options.base < least ? "not lie below the ground" : "make coordinates infinite") +
               ": this map takes --base from " + number(least) + " to " + number(most);
    return "";
}

float MeshPlace::east(int column) const {
    return static_cast<float>((xOffset + tileSize * column) * scale);
}

float MeshPlace::north(int row) const {
    return static_cast<float>((zOffset + tileSize * row) * scale);
}

std::vector<unsigned char> wetQuads(const TerrainMap& map, const MeshGrid& grid, TerrainView view) {
    std::vector<unsigned char> wet(grid.hasQuads() ? grid.quads() : 0, 0);
    if (view == TerrainView::plain || wet.empty()) return wet;
    const std::size_t across = grid.columns.size() - 1;
    // The grid's row of cells each tile row lies in.
    std::vector<std::size_t> cellOfRow(static_cast<std::size_t>(grid.rows.back()));
    for (std::size_t j = 0; j + 1 < grid.rows.size(); ++j)
        for (int r = grid.rows[j]; r < grid.rows[j + 1]; ++r) cellOfRow[r] = j;
    // A column of tile quads at a time, as the map keeps its points.
    std::size_t i = 0;
    for (int c = 0; c < grid.columns.back(); ++c) {
        if (c == grid.columns[i + 1]) ++i;
        for (int r = 0; r < grid.rows.back(); ++r)
            if (waterShowsOver(map, c, r, view))
                wet[cellOfRow[static_cast<std::size_t>(r)] * across + i] = 1;
    }
    return wet;
}

float linearOf(float srgb) {
    return srgb <= 0.04045f ? srgb / 12.92f : std::pow((srgb + 0.055f) / 1.055f, 2.4f);
}

WaterPoints WaterPoints::of(const MeshGrid& grid, const std::vector<unsigned char>& wet) {
    WaterPoints w;
    if (std::find(wet.begin(), wet.end(), 1) == wet.end()) return w;
    w.number.assign(grid.points(), none);
    const std::size_t across = grid.columns.size() - 1;
    for (std::size_t j = 0; j + 1 < grid.rows.size(); ++j)
        for (std::size_t i = 0; i < across; ++i)
            if (wet[j * across + i])
                for (const std::uint32_t p : {grid.index(i, j), grid.index(i + 1, j),
                                              grid.index(i, j + 1), grid.index(i + 1, j + 1)})
                    w.number[p] = 0;
    for (std::uint32_t& n : w.number)
        if (n != none) n = w.count++;
    return w;
}
