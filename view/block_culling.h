// Coarse culling: the height blocks of the map let a frame pass over whole blocks of quads
// that lie outside the view frustum without visiting their tile points. A block is left out
// only when every corner point in it (ground and water surface) is certainly outside one
// plane, so it holds no quad the per-quad test would draw: the calls are the same as
// without the blocks. The margin covers the rounding of the per-point test in floats.
// Needs: the terrain model, the view frustum; no OpenGL.
#pragma once

#include "terrain/height_blocks.h"
#include "view/view_frustum.h"

#include <vector>

// Whether every point of the box is outside one plane of the frustum, by a margin.
bool boxCertainlyOutside(const ViewFrustum& frustum, const float low[3], const float high[3]);

// Per block row, the block columns that may hold a visible quad, in order. Found again every
// frame into the same storage, so that a frame allocates nothing once it has grown.
struct BlockCandidates {
    const HeightBlocks* blocks = nullptr;
    std::vector<char> outside; // per block: can be left out whole
    std::vector<int> rowStart; // block row br lists columns[rowStart[br] .. rowStart[br + 1])
    std::vector<int> columns;

    void find(const ViewFrustum& frustum, const HeightBlocks& heightBlocks);
};
