#include "view/overlay_text.h"

#include "terrain/map_extent.h"
#include "view/change_colours.h"
#include "view/ground_height.h"
#include "view/text_layout.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// `value` as printed to `step`, with a value that rounds to zero printed as "0", never "-0".
double unsignedZero(double value, double step) {
    return std::fabs(value) < 0.5 * step ? 0.0 : value;
}

} // namespace

void statusLine(TextLines& out, const TerrainMap& map, const ViewerState& state,
                const Camera& camera, bool levelOfDetail, const std::string& mapName, int width) {
    const float ground = groundHeightUnder(map, camera.x, camera.z);
    const float row = camera.z == 0.0f ? 0.0f : -camera.z / tileSize; // never "-0.0"
    const EnvironmentHeader& h = *map.header;
    char where[48];
    if (camera.overview)
        std::snprintf(where, sizeof where, "overview");
    else
        std::snprintf(where, sizeof where, "camera %.0f above", camera.height);
    // The water is said only when H has hidden it: room for the map's name.
    const char* const water =
        state.view != TerrainView::plain && !state.waterShown ? " | water off" : "";
    char front[TextLines::width];
    // Whole units and tenths of a tile: finer than that is noise to the reader.
    std::snprintf(
        front, sizeof front,
        "x %.0f, z %.0f (column %.1f, row %.1f) | ground %.1f | %s | %s%s%s | ",
        unsignedZero(h.xOffset + camera.x, 1.0), unsignedZero(h.zOffset + tileSize * row, 1.0),
        unsignedZero(camera.x / tileSize, 0.1), unsignedZero(row, 0.1), static_cast<double>(ground),
        where, viewName(state.view), water, levelOfDetail ? "" : " | level of detail off");
    const char* const keys = " | F1: keys";
    // The map's name takes what the rest leaves of the window's width, shortened in the middle;
    // where not even "..." fits, "F1: keys" goes first so that it still shows.
    char name[TextLines::width];
    const int room = width > 0 ? width - textWidth(front) - textWidth(keys) : 1 << 30;
    shortenToWidth(mapName.c_str(), room, name, sizeof name);
    if (width > 0 && textWidth(name) > room)
        out.add("F1: keys | %s%s", front, name);
    else
        out.add("%s%s%s", front, name, keys);
}

namespace {

// The point's flags by name, "none" without any.
void flagNames(const TerrainVertex& v, char* flags, std::size_t size) {
    flags[0] = '\0';
    const struct {
        int flag;
        const char* name;
    } names[] = {{rampFlag, "ramp"},
                 {tintedFlag, "tinted"},
                 {waterFlag, "water"},
                 {boundaryFlag, "boundary"}};
    for (const auto& n : names) {
        if (!(v.tileFlags & n.flag)) continue;
        std::strncat(flags, flags[0] ? ", " : "", size - std::strlen(flags) - 1);
        std::strncat(flags, n.name, size - std::strlen(flags) - 1);
    }
    if (v.boundary)
        std::strncat(flags, flags[0] ? ", boundary mark" : "boundary mark",
                     size - std::strlen(flags) - 1);
    if (!flags[0]) std::snprintf(flags, size, "none");
}

// A tile set's ID, or "#n" for a number its list does not reach.
std::string tileName(const std::string& id, int number) {
    return id.empty() ? "#" + std::to_string(number) : id;
}

// The lines of the fields that differ between one point's two versions.
void describeDifferences(TextLines& out, const TerrainMap& before, const TerrainVertex& o,
                         const TerrainMap& after, const TerrainVertex& n) {
    const int lines = out.count;
    if (o.position.y != n.position.y)
        out.add("ground %.2f > %.2f", static_cast<double>(o.position.y),
                static_cast<double>(n.position.y));
    const std::string ground[2] = {
        tileName(before.header->groundTileSetId(o.groundTexture), o.groundTexture),
        tileName(after.header->groundTileSetId(n.groundTexture), n.groundTexture)};
    if (ground[0] != ground[1])
        out.add("ground tile %s > %s", ground[0].c_str(), ground[1].c_str());
    if (o.layerHeight != n.layerHeight) out.add("layer %d > %d", o.layerHeight, n.layerHeight);
    const std::string cliff[2] = {
        tileName(before.header->cliffTileSetId(o.cliffTexture), o.cliffTexture),
        tileName(after.header->cliffTileSetId(n.cliffTexture), n.cliffTexture)};
    if (cliff[0] != cliff[1]) out.add("cliff tile %s > %s", cliff[0].c_str(), cliff[1].c_str());
    char flags[2][64];
    flagNames(o, flags[0], sizeof flags[0]);
    flagNames(n, flags[1], sizeof flags[1]);
    if (std::strcmp(flags[0], flags[1]) != 0) out.add("flags %s > %s", flags[0], flags[1]);
    const bool wet[2] = {(o.tileFlags & waterFlag) != 0, (n.tileFlags & waterFlag) != 0};
    char water[2][24];
    std::snprintf(water[0], sizeof water[0], wet[0] ? "%.2f" : "none",
                  static_cast<double>(waterSurfaceHeight(o)));
    std::snprintf(water[1], sizeof water[1], wet[1] ? "%.2f" : "none",
                  static_cast<double>(waterSurfaceHeight(n)));
    if (std::strcmp(water[0], water[1]) != 0) out.add("water %s > %s", water[0], water[1]);
    if (out.count == lines) out.add("unchanged");
}

} // namespace

void describeChange(TextLines& out, const TerrainMap& shown, const TerrainMap& other,
                    const MapChanges& changes, bool shownIsOlder, int column, int row) {
    const long long shift[2] = {shownIsOlder ? -changes.columnShift : changes.columnShift,
                                shownIsOlder ? -changes.rowShift : changes.rowShift};
    const long long c = column + shift[0], r = row + shift[1];
    if (!changes.aligned || other.vertices.empty() || c < 0 || r < 0 ||
        c >= other.header->mapWidth || r >= other.header->mapHeight) {
        out.add(shownIsOlder ? "only in the map before" : "only in the map after");
        return;
    }
    out.add("before > after:");
    const TerrainVertex& here = shown.vertices[static_cast<std::size_t>(column)][row];
    const TerrainVertex& there = other.vertices[static_cast<std::size_t>(c)][r];
    if (shownIsOlder)
        describeDifferences(out, shown, here, other, there);
    else
        describeDifferences(out, other, there, shown, here);
}

void describePoint(TextLines& out, const TerrainMap& map, int column, int row) {
    const EnvironmentHeader& h = *map.header;
    const TerrainVertex& v = map.vertices[static_cast<std::size_t>(column)][row];
    const std::string ground = h.groundTileSetId(v.groundTexture);
    const std::string cliff = h.cliffTileSetId(v.cliffTexture);
    out.add("column %d, row %d", column, row);
    // The map's own coordinates, as its offsets place it.
    out.add("x %.0f, z %.0f, ground %.2f",
            unsignedZero(h.xOffset + tileSize * static_cast<float>(column), 1.0),
            unsignedZero(h.zOffset + tileSize * static_cast<float>(row), 1.0),
            static_cast<double>(v.position.y));
    out.add("ground tile %d (%s), details %d", v.groundTexture,
            ground[0] ? ground.c_str() : "unlisted", v.textureDetails);
    out.add("cliff tile %d (%s), layer %d", v.cliffTexture, cliff[0] ? cliff.c_str() : "unlisted",
            v.layerHeight);
    char flags[64];
    flagNames(v, flags, sizeof flags);
    out.add("flags: %s", flags);
    if (v.tileFlags & waterFlag)
        out.add("water %.2f, depth %.2f", waterSurfaceHeight(v),
                waterSurfaceHeight(v) - v.position.y);
}

Legend legendOf(const TerrainMap& map, TerrainView view, bool water, const MapChanges* changes,
                const TilePalette* palette) {
    if (view == TerrainView::changes) return changes ? changesLegend(*changes) : Legend{};
    Legend legend;
    const auto row = [&](const Rgb& colour, const char* label) {
        if (legend.count >= Legend::most) return;
        legend.rows[legend.count].colour = colour;
        std::snprintf(legend.rows[legend.count].label, sizeof legend.rows[0].label, "%s", label);
        ++legend.count;
    };
    std::snprintf(legend.title, sizeof legend.title, "%s", viewName(view));
    const EnvironmentHeader& h = *map.header;
    switch (view) {
    case TerrainView::groundTiles: {
        const GroundColours colours = GroundColours::of(h, palette);
        for (int i = 0; i < h.groundTileSetCount && i < 16; ++i) {
            char label[48];
            std::snprintf(label, sizeof label, "%d  %s", i, h.groundTileSetId(i).c_str());
            row(colours.byNumber[i], label);
        }
        row(unlistedColour(), "unlisted");
        break;
    }
    case TerrainView::height:
        legend.ramp = true;
        legend.lowest = map.lowestHeight;
        legend.highest = map.highestHeight;
        break;
    case TerrainView::cliffsAndFlags:
        row(rampColour(), "ramp");
        row(tintedColour(), "tinted ground");
        row(boundaryColour(), "boundary");
        for (int layer = 0; layer < 16; ++layer) {
            char label[24];
            std::snprintf(label, sizeof label, "layer %d", layer);
            row(layerColour(layer), label);
        }
        break;
    default:
        break;
    }
    if (water && view != TerrainView::plain) row(waterOver(unlistedColour()), "water");
    return legend;
}

void addContourRow(Legend& legend, float interval) {
    if (legend.count >= Legend::most || !(interval > 0.0f)) return;
    Legend::Row& row = legend.rows[legend.count++];
    row.colour = Rgb{0.3f, 0.3f, 0.3f}; // as a line darkens middle grey
    std::snprintf(row.label, sizeof row.label, "contours every %g, fifth strong",
                  static_cast<double>(interval));
}
