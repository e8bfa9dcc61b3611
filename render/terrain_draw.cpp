// The exact strips in OpenGL immediate mode, with the coarse culling's candidates.
#include "render/terrain_draw.h"

#include "platform/win32.h"
#include "render/gl_emitter.h"
#include "render/terrain_strips.h"
#include "render/water_colour.h"
#include "terrain/map_extent.h"

void TerrainMap::draw(ViewFrustum frustum) const {
    BlockCandidates candidates;
    drawPlainTerrain(*this, frustum, candidates);
}

void drawPlainTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                      BlockCandidates& candidates) {
    glPushMatrix();
    candidates.find(frustum, map.heightBlocks);
    GlEmitter gl;
    emitTerrainStrips(map, frustum, &candidates, gl);
    glPopMatrix();
}

void drawColouredTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                         BlockCandidates& candidates, const LodTextures& textures) {
    candidates.find(frustum, map.heightBlocks);
    GlEmitter gl;
    if (textures.colour.size() == 1) {
        // Texture coordinates from world positions: texel centres on the tile points.
        const LodTexture& t = textures.colour.front();
        const GLfloat s[4] = {1.0f / (tileSize * static_cast<float>(t.across)), 0.0f, 0.0f,
                              0.5f / static_cast<float>(t.across)};
        const GLfloat u[4] = {0.0f, 0.0f, -1.0f / (tileSize * static_cast<float>(t.down)),
                              0.5f / static_cast<float>(t.down)};
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
        glTexGenfv(GL_T, GL_OBJECT_PLANE, u);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
        glBindTexture(GL_TEXTURE_2D, t.id);
        emitTerrainStrips(map, frustum, &candidates, gl);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    } else {
        emitTerrainStrips(map, frustum, &candidates, gl, VertexColours{textures.colouring});
    }
}

void drawExactWater(const TerrainMap& map, const ViewFrustum& frustum,
                    const BlockCandidates& candidates, TerrainView view) {
    GlEmitter gl;
    beginWater();
    emitWater(map, frustum, &candidates, gl, view);
    endWater();
}
