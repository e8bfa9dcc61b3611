// The map as lines that a text comparison (git's textconv) can tell apart: one line for each
// block of 16 x 16 tile points, saying where it lies (its columns and rows, and its first
// point's map coordinates), its ground's lowest and highest height, how many of its points are
// under water, and a digest of everything its points hold. A change of a single point changes
// its block's line and no other.
// Needs: the terrain model.
#pragma once

#include "terrain/terrain_map.h"

#include <string>
#include <vector>

constexpr int blockLinePoints = 16; // tile points along each side of a block

std::vector<std::string> blockLines(const TerrainMap& map);
