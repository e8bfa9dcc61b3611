// What a map holds, as "key: value" lines with names that stay (the manual page lists them):
// its size in tiles and world units, the ground's lowest, highest and mean height, the share of
// tile points of each ground tile set and of unlisted numbers, with water and with each flag,
// the cliff layers used, and the water level's range.
// Needs: the terrain model.
#pragma once

#include "terrain/terrain_map.h"

#include <string>
#include <vector>

// The lines for a loaded map; IDs from the file escaped as the report's `text` says.
std::vector<std::string> mapSummary(const TerrainMap& map, ReportText text);
