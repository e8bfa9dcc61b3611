// The ground height under a point, which the camera keeps its height over.
// Needs: the terrain model.
#pragma once

#include "terrain/terrain_map.h"

// Bilinear interpolation of the vertex heights around (x, z). Positions off the grid take the
// nearest edge; an empty grid is level at 0.
float groundHeightUnder(const TerrainMap& map, float x, float z);
