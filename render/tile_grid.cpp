// Lines lie on the triangles' own edges; a depth range drawn slightly nearer keeps them in front
// of their surface without changing how the terrain itself is drawn.
#include "render/tile_grid.h"

#include "platform/win32.h"
#include "render/terrain_strips.h"

#include <cstdint>

namespace {

void beginLines() {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT |
                 GL_VIEWPORT_BIT | GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);
    glDepthRange(0.0, 0.99995);
    glColor4f(0.0f, 0.0f, 0.0f, 0.45f);
}

void endLines() {
    glPopAttrib();
}

} // namespace

void drawTileGrid(const TerrainMap& map, const ViewFrustum& frustum, BlockCandidates& candidates) {
    candidates.find(frustum, map.heightBlocks);
    beginLines();
    glBegin(GL_LINES);
    const int width = map.header->mapWidth;
    for (int r = 0; r < quadRows(map); ++r) {
        forQuadsOfRow(width, r, &candidates, [&](int c) {
            const TerrainVertex* left = map.vertices[static_cast<std::size_t>(c)].get();
            const TerrainVertex* right = map.vertices[static_cast<std::size_t>(c) + 1].get();
            if (!quadInView(frustum, left[r].position, left[r + 1].position, right[r].position,
                            right[r + 1].position))
                return;
            const Point3 &a = left[r].position, &b = right[r].position, &d = left[r + 1].position,
                         &e = right[r + 1].position;
            for (const Point3* p : {&a, &b, &a, &d, &b, &e, &d, &e}) glVertex3f(p->x, p->y, p->z);
        });
    }
    glEnd();
    endLines();
}

void drawTileGrid(const LodDrawing& drawing, const LodSelection& selection) {
    beginLines();
    drawing.geometry.begin(drawing.gl);
    for (const int index : selection.drawn) {
        const LodChunk& chunk = drawing.mesh.chunks[static_cast<std::size_t>(index)];
        if (chunk.step != 1 || chunk.exact) continue;
        glPushMatrix();
        glTranslatef(chunk.originX(), chunk.yBase, chunk.originZ());
        glScalef(chunk.unitScale(), 0.25f, chunk.unitScale());
        drawing.geometry.draw(drawing.mesh, index, ChunkPart::lines);
        glPopMatrix();
    }
    drawing.geometry.end(drawing.gl);
    endLines();
}
