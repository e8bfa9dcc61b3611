// Coarse culling, a group of blocks at a time, then the blocks of groups not wholly out.
#include "view/block_culling.h"

#include "terrain/map_extent.h"

#include <algorithm>
#include <cmath>

namespace {

// The box of the corner points of `count` blocks from block (bc, br) on, a side.
bool blocksBoxOutside(const ViewFrustum& frustum, const HeightBlocks& blocks, int bc, int br,
                      int count, float lowest, float highest) {
    const float x0 = tileSize * blocks.firstQuad(bc);
    const float z0 = -tileSize * blocks.firstQuad(br);
    const float side = tileSize * blocks.quadsPerBlock * count;
    const float low[3] = {x0, lowest, z0 - side};
    const float high[3] = {x0 + side, highest, z0};
    return boxCertainlyOutside(frustum, low, high);
}

} // namespace

bool boxCertainlyOutside(const ViewFrustum& frustum, const float low[3], const float high[3]) {
    for (const auto& p : frustum.planes) {
        // The box's corner farthest along the plane's normal gives the largest value.
        double largest = p[3], scale = std::fabs(p[3]);
        for (int k = 0; k < 3; ++k) {
            largest += static_cast<double>(p[k]) * (p[k] > 0.0f ? high[k] : low[k]);
            scale += std::fabs(static_cast<double>(p[k])) *
                     std::fmax(std::fabs(low[k]), std::fabs(high[k]));
        }
        // A float evaluation of a x + b y + c z + d errs by well under 1e-6 of its terms'
        // magnitudes; 1e-5 leaves room. NaN planes never reject (the comparison fails).
        if (largest < -1e-5 * scale) return true;
    }
    return false;
}

void BlockCandidates::find(const ViewFrustum& frustum, const HeightBlocks& heightBlocks) {
    blocks = &heightBlocks;
    const HeightBlocks& b = heightBlocks;
    outside.assign(static_cast<std::size_t>(b.columns) * b.rows, 0);
    const int per = HeightBlocks::blocksPerGroup;
    for (int gr = 0; gr < b.groupRows; ++gr) {
        for (int gc = 0; gc < b.groupColumns; ++gc) {
            const std::size_t g = static_cast<std::size_t>(gr) * b.groupColumns + gc;
            const bool groupOutside = blocksBoxOutside(frustum, b, gc * per, gr * per, per,
                                                       b.groupLowest[g], b.groupHighest[g]);
            for (int br = gr * per; br < std::min(b.rows, (gr + 1) * per); ++br) {
                for (int bc = gc * per; bc < std::min(b.columns, (gc + 1) * per); ++bc) {
                    const std::size_t i = static_cast<std::size_t>(br) * b.columns + bc;
                    outside[i] = groupOutside ||
                                 blocksBoxOutside(frustum, b, bc, br, 1, b.lowest[i], b.highest[i]);
                }
            }
        }
    }
    rowStart.clear();
    columns.clear();
    for (int br = 0; br < b.rows; ++br) {
        rowStart.push_back(static_cast<int>(columns.size()));
        for (int bc = 0; bc < b.columns; ++bc)
            if (!outside[static_cast<std::size_t>(br) * b.columns + bc]) columns.push_back(bc);
    }
    rowStart.push_back(static_cast<int>(columns.size()));
}
