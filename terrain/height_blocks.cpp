// Height ranges of blocks of quads, over every tile point that is a corner of the block: its
// ground and, where it has water, its water surface.
#include "terrain/height_blocks.h"

#include <algorithm>

namespace {

// ceil(count / per) for count >= 0, without the overflow of count + per - 1.
int blocksFor(int count, int per) {
    return count > 0 ? count / per + (count % per != 0 ? 1 : 0) : 0;
}

} // namespace

void HeightBlocks::build(const std::vector<std::shared_ptr<TerrainVertex[]>>& vertices, int width,
                         int height, int quadsPerBlockSide) {
    quadsPerBlock = quadsPerBlockSide;
    // A grid without quads (fewer than 2 points along a side) has no blocks, however long
    // its other side: the header alone may claim up to 2^31 - 1 points there.
    const bool hasQuads = width >= 2 && height >= 2;
    const int quadColumns = hasQuads ? width - 1 : 0, quadRows = hasQuads ? height - 1 : 0;
    columns = blocksFor(quadColumns, quadsPerBlock);
    rows = blocksFor(quadRows, quadsPerBlock);
    lowest.assign(static_cast<std::size_t>(columns) * rows, 0.0f);
    highest.assign(lowest.size(), 0.0f);
    for (int bc = 0; bc < columns; ++bc) {
        for (int br = 0; br < rows; ++br) {
            float low = vertices[firstQuad(bc)][firstQuad(br)].position.y, high = low;
            // Corner points run one past the block's last quad.
            for (int c = firstQuad(bc); c <= endQuad(bc, quadColumns); ++c) {
                const TerrainVertex* column = vertices[c].get();
                for (int r = firstQuad(br); r <= endQuad(br, quadRows); ++r) {
                    const TerrainVertex& v = column[r];
                    low = std::min(low, v.position.y);
                    high = std::max(high, v.position.y);
                    if (v.tileFlags & waterFlag) {
                        low = std::min(low, waterSurfaceHeight(v));
                        high = std::max(high, waterSurfaceHeight(v));
                    }
                }
            }
            lowest[static_cast<std::size_t>(br) * columns + bc] = low;
            highest[static_cast<std::size_t>(br) * columns + bc] = high;
        }
    }

    groupColumns = blocksFor(columns, blocksPerGroup);
    groupRows = blocksFor(rows, blocksPerGroup);
    groupLowest.assign(static_cast<std::size_t>(groupColumns) * groupRows, 0.0f);
    groupHighest.assign(groupLowest.size(), 0.0f);
    for (int gr = 0; gr < groupRows; ++gr) {
        for (int gc = 0; gc < groupColumns; ++gc) {
            const std::size_t first =
                static_cast<std::size_t>(gr * blocksPerGroup) * columns + gc * blocksPerGroup;
            float low = lowest[first], high = highest[first];
            for (int br = gr * blocksPerGroup; br < std::min(rows, (gr + 1) * blocksPerGroup);
                 ++br) {
                for (int bc = gc * blocksPerGroup;
                     bc < std::min(columns, (gc + 1) * blocksPerGroup); ++bc) {
                    low = std::min(low, lowest[static_cast<std::size_t>(br) * columns + bc]);
                    high = std::max(high, highest[static_cast<std::size_t>(br) * columns + bc]);
                }
            }
            groupLowest[static_cast<std::size_t>(gr) * groupColumns + gc] = low;
            groupHighest[static_cast<std::size_t>(gr) * groupColumns + gc] = high;
        }
    }
}
