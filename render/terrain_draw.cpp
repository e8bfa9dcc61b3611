// TerrainMap::draw in OpenGL immediate mode: the block test of the coarse culling, the
// terrain strips in the chosen view, and the water surface blended over them.
#include "render/terrain_draw.h"

#include "platform/win32.h"
#include "render/viewer_state.h"

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

// The candidates of the frame being drawn, kept so that their storage is reused.
BlockCandidates frameCandidates;

// Translucent blue; with colour material its alpha is the lit surface's.
constexpr float waterColour[4] = {0.16f, 0.42f, 0.92f, 0.55f};

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

// The water over the terrain: blended, and not written to the depth buffer, so that the
// ground hides what lies under land and everything under the water shows through it.
void drawWater(const TerrainMap& map, const ViewFrustum& frustum,
               const BlockCandidates* candidates) {
    GlEmitter gl;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4fv(waterColour);
    emitWater(map, frustum, candidates, gl);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
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

std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks) {
    BlockCandidates candidates;
    candidates.find(frustum, blocks);
    return candidates.outside;
}

void TerrainMap::draw(ViewFrustum frustum) const {
    glPushMatrix();
    const BlockCandidates* candidates = nullptr;
    if (terrainDrawSettings.coarseCulling) {
        frameCandidates.find(frustum, heightBlocks);
        candidates = &frameCandidates;
    }
    GlEmitter gl;
    const TerrainView view = viewerState.view;
    if (view == TerrainView::plain) {
        emitTerrainStrips(*this, frustum, candidates, gl);
    } else {
        emitTerrainStrips(*this, frustum, candidates, gl,
                          VertexColours{VertexColouring::of(*this, view)});
        if (viewerState.waterShown) drawWater(*this, frustum, candidates);
    }
    glPopMatrix();
}
