// The tile grid in world units. Tile point (column, row) stands at x = 128 column and
// z = -128 row: the grid starts at the origin and reaches east to xEnd and, with z falling,
// south to zEnd. The map's own coordinates add the header's offsets to 128 column and 128 row.
// Needs: the environment header.
#pragma once

#include "terrain/environment_header.h"

#include <algorithm>

constexpr float tileSize = 128.0f; // world units between neighbouring tile points

struct MapExtent {
    float xEnd = 0.0f; // the last column's x
    float zEnd = 0.0f; // the last row's z, at or below 0

    static MapExtent of(const EnvironmentHeader& header) {
        return {tileSize * static_cast<float>(std::max(header.mapWidth - 1, 0)),
                -tileSize * static_cast<float>(std::max(header.mapHeight - 1, 0))};
    }
};
