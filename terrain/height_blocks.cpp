// Height ranges of blocks of quads, over every tile point that is a corner of the block.
#include "terrain/height_blocks.h"

#include <algorithm>

void HeightBlocks::build(const std::vector<std::unique_ptr<TerrainVertex[]>>& vertices, int width,
                         int height, int quadsPerBlockSide) {
    quadsPerBlock = quadsPerBlockSide;
    const int quadColumns = width - 1, quadRows = height - 1;
    columns = quadColumns > 0 ? (quadColumns + quadsPerBlock - 1) / quadsPerBlock : 0;
    rows = quadRows > 0 ? (quadRows + quadsPerBlock - 1) / quadsPerBlock : 0;
    lowest.assign(static_cast<std::size_t>(columns) * rows, 0.0f);
    highest.assign(lowest.size(), 0.0f);
    for (int bc = 0; bc < columns; ++bc) {
        for (int br = 0; br < rows; ++br) {
            float low = vertices[firstQuad(bc)][firstQuad(br)].position.y, high = low;
            // Corner points run one past the block's last quad.
            for (int c = firstQuad(bc); c <= endQuad(bc, quadColumns); ++c) {
                const TerrainVertex* column = vertices[c].get();
                for (int r = firstQuad(br); r <= endQuad(br, quadRows); ++r) {
                    low = std::min(low, column[r].position.y);
                    high = std::max(high, column[r].position.y);
                }
            }
            lowest[static_cast<std::size_t>(br) * columns + bc] = low;
            highest[static_cast<std::size_t>(br) * columns + bc] = high;
        }
    }
}
