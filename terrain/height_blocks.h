// HeightBlocks: the height range of square blocks of grid quads, so that a viewer can tell
// that a whole block is out of sight without visiting its tile points. A range spans the
// ground and, at points with the water flag, the water surface, so one pass over the blocks
// serves the terrain and the water drawn over it.
// Needs: standard C++ only.
#pragma once

#include "terrain/terrain_vertex.h"

#include <memory>
#include <vector>

struct HeightBlocks {
    int quadsPerBlock = 0;     // along each side; blocks at the far edges may hold fewer
    int columns = 0;           // blocks along x
    int rows = 0;              // blocks along z
    std::vector<float> lowest; // per block, [row * columns + column]: over all its corner points
    std::vector<float> highest;

    // Groups of blocksPerGroup x blocksPerGroup blocks, so that far-off land is passed over
    // a group at a time.
    static constexpr int blocksPerGroup = 8;
    int groupColumns = 0;
    int groupRows = 0;
    std::vector<float> groupLowest; // per group, [row * groupColumns + column]
    std::vector<float> groupHighest;

    // Blocks of quadsPerBlock x quadsPerBlock quads over a grid of width x height points.
    void build(const std::vector<std::shared_ptr<TerrainVertex[]>>& vertices, int width, int height,
               int quadsPerBlockSide);

    // First and one past the last quad column (or row) of block column (or row) b, for a
    // grid with `quads` quads along that side. Written so that no sum passes `quads`, which
    // may be close to the largest int.
    int firstQuad(int b) const { return b * quadsPerBlock; }
    int endQuad(int b, int quads) const {
        const int first = firstQuad(b);
        return quads - first > quadsPerBlock ? first + quadsPerBlock : quads;
    }
};
