// What a map holds, as "key: value" lines with names that stay (the manual page lists them):
// its size in tiles and world units, the ground's lowest, highest and mean height, the share of
// tile points of each ground tile set and of unlisted numbers, with water and with each flag,
// the cliff layers used, and the water level's range.
// And what changed between two versions of a map, the same way.
// Needs: the terrain model, the view layer's comparison of two maps.
#pragma once

#include "terrain/terrain_map.h"
#include "view/map_changes.h"

#include <string>
#include <vector>

// The lines for a loaded map; IDs from the file escaped as the report's `text` says.
std::vector<std::string> mapSummary(const TerrainMap& map, ReportText text);

// The counts of a comparison: points compared and changed, raised and lowered, the largest
// rise and drop in world units, the points whose ground tile, cliff, flags or water changed,
// and the points only one of the maps has.
std::vector<std::string> changesSummary(const MapChanges& changes);
