// TerrainMap::draw in OpenGL immediate mode, as the start camera draws: the coarse culling,
// the terrain strips in the chosen view, and the water surface blended over them.
#include "platform/win32.h"
#include "render/terrain_strips.h"
#include "render/viewer_state.h"
#include "render/water_colour.h"

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

// The water over the terrain: blended, and not written to the depth buffer, so that the
// ground hides what lies under land and everything under the water shows through it.
void drawWater(const TerrainMap& map, const ViewFrustum& frustum,
               const BlockCandidates* candidates) {
    GlEmitter gl;
    beginWater();
    emitWater(map, frustum, candidates, gl);
    endWater();
}

} // namespace

void TerrainMap::draw(ViewFrustum frustum) const {
    glPushMatrix();
    frameCandidates.find(frustum, heightBlocks);
    GlEmitter gl;
    const TerrainView view = viewerState.view;
    if (view == TerrainView::plain) {
        emitTerrainStrips(*this, frustum, &frameCandidates, gl);
    } else {
        emitTerrainStrips(*this, frustum, &frameCandidates, gl,
                          VertexColours{VertexColouring::of(*this, view)});
        if (viewerState.waterShown) drawWater(*this, frustum, &frameCandidates);
    }
    glPopMatrix();
}
