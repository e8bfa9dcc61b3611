// TerrainMap::draw in OpenGL immediate mode, and the block test of the coarse culling.
#include "render/terrain_draw.h"

#include "platform/win32.h"

#include <algorithm>

TerrainDrawSettings terrainDrawSettings;

namespace {

struct GlEmitter {
    void begin() { glBegin(GL_TRIANGLE_STRIP); }
    void end() { glEnd(); }
    void color(float r, float g, float b) { glColor3f(r, g, b); }
    void normal(const Point3& n) { glNormal3f(n.x, n.y, n.z); }
    void vertex(const Point3& p) { glVertex3f(p.x, p.y, p.z); }
};

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

namespace {

// The box of the corner points of `count` blocks from block (bc, br) on, a side.
bool blocksBoxOutside(const ViewFrustum& frustum, const HeightBlocks& blocks, int bc, int br,
                      int count, float lowest, float highest) {
    const float x0 = 128.0f * blocks.firstQuad(bc);
    const float z0 = -128.0f * blocks.firstQuad(br);
    const float side = 128.0f * blocks.quadsPerBlock * count;
    const float low[3] = {x0, lowest, z0 - side};
    const float high[3] = {x0 + side, highest, z0};
    return boxCertainlyOutside(frustum, low, high);
}

} // namespace

std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks) {
    std::vector<char> outside(static_cast<std::size_t>(blocks.columns) * blocks.rows, 0);
    const int per = HeightBlocks::blocksPerGroup;
    for (int gr = 0; gr < blocks.groupRows; ++gr) {
        for (int gc = 0; gc < blocks.groupColumns; ++gc) {
            const std::size_t g = static_cast<std::size_t>(gr) * blocks.groupColumns + gc;
            const bool groupOutside =
                blocksBoxOutside(frustum, blocks, gc * per, gr * per, per, blocks.groupLowest[g],
                                 blocks.groupHighest[g]);
            for (int br = gr * per; br < std::min(blocks.rows, (gr + 1) * per); ++br) {
                for (int bc = gc * per; bc < std::min(blocks.columns, (gc + 1) * per); ++bc) {
                    const std::size_t i = static_cast<std::size_t>(br) * blocks.columns + bc;
                    outside[i] =
                        groupOutside || blocksBoxOutside(frustum, blocks, bc, br, 1,
                                                         blocks.lowest[i], blocks.highest[i]);
                }
            }
        }
    }
    return outside;
}

BlockCandidates blockCandidates(const ViewFrustum& frustum, const HeightBlocks& blocks) {
    const std::vector<char> outside = blocksOutside(frustum, blocks);
    BlockCandidates candidates;
    candidates.rowStart.reserve(static_cast<std::size_t>(blocks.rows) + 1);
    for (int br = 0; br < blocks.rows; ++br) {
        candidates.rowStart.push_back(static_cast<int>(candidates.columns.size()));
        for (int bc = 0; bc < blocks.columns; ++bc)
            if (!outside[static_cast<std::size_t>(br) * blocks.columns + bc])
                candidates.columns.push_back(bc);
    }
    candidates.rowStart.push_back(static_cast<int>(candidates.columns.size()));
    return candidates;
}

void TerrainMap::draw(ViewFrustum frustum) const {
    glPushMatrix();
    GlEmitter gl;
    emitTerrain(*this, frustum, terrainDrawSettings.coarseCulling ? &heightBlocks : nullptr, gl);
    glPopMatrix();
}
