// Each chunk is drawn in its own frame: moved to its first tile point and its base height, with
// y shrunk to world units (its stored normals are made for that, and GL_NORMALIZE rescales
// them). Texture coordinates come from the chunk's own positions (object-linear texture
// generation), so no array of them is kept.
#include "render/lod_draw.h"

#include "render/gl_emitter.h"
#include "render/strip_colours.h"
#include "render/terrain_strips.h"
#include "render/water_colour.h"

#include <cstdint>

namespace {

// Texture coordinates from a chunk's positions (x = units c, z = -units r, counted from its
// first tile point): texel (c + first[0] + half, r + first[1] + half) of a texture of the given
// size. With half = 0.5 texel centres sit on tile points (colours); with 0 quad c is texel c
// (water).
void generateTextureCoordinates(const LodTexture& texture, int firstColumn, int firstRow,
                                float half, int unitsPerTile) {
    const float across = static_cast<float>(texture.across),
                down = static_cast<float>(texture.down);
    const float units = static_cast<float>(unitsPerTile);
    const GLfloat s[4] = {1.0f / (units * across), 0.0f, 0.0f,
                          (static_cast<float>(firstColumn) + half) / across};
    const GLfloat t[4] = {0.0f, 0.0f, -1.0f / (units * down),
                          (static_cast<float>(firstRow) + half) / down};
    glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, t);
}

// A leaf whose heights do not fit the compact form: its quads from the grid, in immediate
// mode, as the exact strips draw them.
void drawExactChunk(const TerrainMap& map, const LodChunk& chunk, TerrainView view) {
    ViewFrustum everywhere;
    for (auto& p : everywhere.planes) p[3] = 1.0f;
    GlEmitter gl;
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (int r = chunk.row; r < chunk.row + chunk.quadsZ; ++r) {
        gl.begin();
        for (int c = chunk.column; c < chunk.column + chunk.quadsX; ++c) {
            if (view == TerrainView::plain)
                emitQuad(map, everywhere, c, r, gl, PlainColours{});
            else
                emitQuad(map, everywhere, c, r, gl, VertexColours{VertexColouring::of(map, view)});
        }
        gl.end();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

void drawGround(const TerrainMap& map, const LodMesh& mesh, const LodSelection& selection,
                const LodTextures& textures, TerrainView view) {
    const bool coloured = view != TerrainView::plain;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnable(GL_NORMALIZE);
    glColor3f(1.0f, 1.0f, 1.0f);
    if (!coloured) glBindTexture(GL_TEXTURE_2D, 0);
    for (std::size_t d = 0; d < selection.drawn.size(); ++d) {
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(selection.drawn[d])];
        if (chunk.exact) {
            drawExactChunk(map, chunk, view);
            continue;
        }
        if (coloured) {
            const int tile = textures.tileOf(chunk.column, chunk.row);
            const LodTexture& texture = textures.colour[static_cast<std::size_t>(tile)];
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
            generateTextureCoordinates(texture, chunk.column % textures.tileQuads,
                                       chunk.row % textures.tileQuads, 0.5f, chunk.unitsPerTile);
            glBindTexture(GL_TEXTURE_2D, texture.id);
        }
        const LodPattern& pattern = mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
        const float growth = 128.0f / static_cast<float>(chunk.unitsPerTile);
        glPushMatrix();
        glTranslatef(chunk.low[0], chunk.yBase, chunk.high[2]);
        glScalef(growth, 0.25f, growth);
        const std::int16_t* v = chunk.vertices.data();
        const GLsizei stride = static_cast<GLsizei>(chunk.format.stride * sizeof(std::int16_t));
        glVertexPointer(3, GL_SHORT, stride, v);
        glNormalPointer(chunk.format.shortNormals ? GL_SHORT : GL_BYTE, stride, v + 3);
        const std::size_t count = selection.skirted[d]
                                      ? pattern.indices.size()
                                      : static_cast<std::size_t>(pattern.surfaceIndices);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT,
                       pattern.indices.data());
        glPopMatrix();
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_NORMALIZE);
}

void drawWaterSurface(const LodMesh& mesh, const LodSelection& selection,
                      const LodTextures& textures) {
    beginWater();
    glEnableClientState(GL_VERTEX_ARRAY);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    for (const int index : selection.drawn) {
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(index)];
        if (!chunk.wet) continue;
        const LodTexture& mask =
            textures.water[static_cast<std::size_t>(textures.tileOf(chunk.column, chunk.row))];
        if (mask.id == 0) continue; // no water shows over its tile in this view
        generateTextureCoordinates(mask, chunk.column % textures.tileQuads,
                                   chunk.row % textures.tileQuads, 0.0f,
                                   chunk.water.empty() ? 128 : chunk.unitsPerTile);
        glBindTexture(GL_TEXTURE_2D, mask.id);
        glPushMatrix();
        glTranslatef(chunk.low[0], chunk.waterBase, chunk.high[2]);
        if (chunk.water.empty()) {
            // Level water: one quad over the chunk, the texture keeping the wet quads.
            const float across = 128.0f * static_cast<float>(chunk.quadsX);
            const float down = -128.0f * static_cast<float>(chunk.quadsZ);
            const GLfloat corners[12] = {0, 0, 0, 0, 0, down, across, 0, 0, across, 0, down};
            glVertexPointer(3, GL_FLOAT, 0, corners);
            glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        } else {
            const LodPattern& pattern = mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
            const float growth = 128.0f / static_cast<float>(chunk.unitsPerTile);
            glScalef(growth, 1.0f, growth);
            glVertexPointer(3, GL_SHORT, sizeof(LodWaterVertex), &chunk.water.data()->x);
            glDrawElements(GL_TRIANGLES, pattern.surfaceIndices, GL_UNSIGNED_SHORT,
                           pattern.indices.data());
        }
        glPopMatrix();
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    endWater();
}

} // namespace

void drawLevelOfDetail(const TerrainMap& map, const LodMesh& mesh, const LodSelection& selection,
                       LodTextures& textures, TerrainView view, bool water) {
    textures.prepare(map, mesh, view);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    drawGround(map, mesh, selection, textures, view);
    if (water && view != TerrainView::plain) drawWaterSurface(mesh, selection, textures);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, 0);
}
