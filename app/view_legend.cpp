// Legends of the views.
#include "app/view_legend.h"

#include "view/change_colours.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string groundTiles(const TerrainMap& map, ReportText text, const TilePalette* palette) {
    const EnvironmentHeader& h = *map.header;
    const int listed = std::min(h.groundTileSetCount, 16);
    const GroundColours colours = GroundColours::of(h, palette);
    std::string line;
    for (int i = 0; i < listed && h.groundTileSetIds; ++i) {
        const std::string id = h.groundTileSetId(i);
        line += (i ? ", " : ": ") + (text == ReportText::escaped ? escapeControls(id) : id) + " " +
                hexColour(colours.byNumber[i]);
    }
    return line + (listed ? "; " : ": ") + "unlisted " + hexColour(unlistedColour());
}

std::string height(const TerrainMap& map) {
    char line[160];
    std::snprintf(
        line, sizeof line, ": %g %s to %g %s", map.lowestHeight,
        hexColour(heightColour(map.lowestHeight, map.lowestHeight, map.highestHeight)).c_str(),
        map.highestHeight,
        hexColour(heightColour(map.highestHeight, map.lowestHeight, map.highestHeight)).c_str());
    return line;
}

std::string cliffs() {
    return ": layer 0 " + hexColour(layerColour(0)) + " to layer 15 " + hexColour(layerColour(15)) +
           "; ramp " + hexColour(rampColour()) + ", tinted " + hexColour(tintedColour()) +
           ", boundary " + hexColour(boundaryColour());
}

std::string changes() {
    return ": raised " + hexColour(changeRampColour(1.0f)) + " to lowered " +
           hexColour(changeRampColour(-1.0f)) + " through unchanged " +
           hexColour(changeRampColour(0.0f)) + "; cliff " +
           hexColour(changeMarkColour(cliffChanged)) + ", ground tile " +
           hexColour(changeMarkColour(groundTileChanged)) + ", flags " +
           hexColour(changeMarkColour(flagsChanged)) + ", water " +
           hexColour(changeMarkColour(waterChanged)) + ", only in one map " +
           hexColour(changeMarkColour(onlyInNew));
}

} // namespace

std::string viewLegend(const TerrainMap& map, TerrainView view, ReportText text,
                       const TilePalette* palette) {
    std::string line = std::string("view: ") + viewName(view);
    switch (view) {
    case TerrainView::groundTiles:
        return line + groundTiles(map, text, palette);
    case TerrainView::height:
        return line + height(map);
    case TerrainView::cliffsAndFlags:
        return line + cliffs();
    case TerrainView::changes:
        return line + changes();
    default:
        return line;
    }
}
