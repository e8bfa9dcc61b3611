// TerrainMap::draw in OpenGL immediate mode, and the block test of the coarse culling.
#include "render/terrain_draw.h"

#include "platform/win32.h"

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

std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks) {
    std::vector<char> outside(static_cast<std::size_t>(blocks.columns) * blocks.rows, 0);
    for (int br = 0; br < blocks.rows; ++br) {
        for (int bc = 0; bc < blocks.columns; ++bc) {
            const std::size_t i = static_cast<std::size_t>(br) * blocks.columns + bc;
            // Corner points of the block: columns firstQuad .. last quad + 1, likewise rows.
            const float x0 = 128.0f * blocks.firstQuad(bc);
            const float x1 = x0 + 128.0f * blocks.quadsPerBlock;
            const float z0 = -128.0f * blocks.firstQuad(br);
            const float z1 = z0 - 128.0f * blocks.quadsPerBlock;
            const float low[3] = {x0, blocks.lowest[i], z1};
            const float high[3] = {x1, blocks.highest[i], z0};
            outside[i] = boxCertainlyOutside(frustum, low, high) ? 1 : 0;
        }
    }
    return outside;
}

void TerrainMap::draw(ViewFrustum frustum) const {
    glPushMatrix();
    GlEmitter gl;
    emitTerrain(*this, frustum, terrainDrawSettings.coarseCulling ? &heightBlocks : nullptr, gl);
    glPopMatrix();
}
