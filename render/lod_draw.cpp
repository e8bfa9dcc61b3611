// Each chunk is drawn in its own frame: moved to its first tile point and its base height, with
// y shrunk to world units (its stored normals are made for that, and GL_NORMALIZE rescales
// them). Texture coordinates come from the chunk's own positions (object-linear texture
// generation), so no array of them is kept.
#include "render/lod_draw.h"

#include "render/gl_emitter.h"
#include "render/strip_colours.h"
#include "render/terrain_strips.h"

#include <cstdint>

namespace {

// Texture coordinates from a chunk's positions (x = units c, z = -units r, counted from its
// first tile point) for a texture of the given size with `texels` texels a tile along each side,
// the first centred on the area nearest to tile point (first[0], first[1]) of its tile.
void generateTextureCoordinates(const LodTexture& texture, int firstColumn, int firstRow,
                                float texels, float units) {
    const float across = static_cast<float>(texture.across) / texels,
                down = static_cast<float>(texture.down) / texels;
    const GLfloat s[4] = {1.0f / (units * across), 0.0f, 0.0f,
                          (static_cast<float>(firstColumn) + 0.5f) / across};
    const GLfloat t[4] = {0.0f, 0.0f, -1.0f / (units * down),
                          (static_cast<float>(firstRow) + 0.5f) / down};
    glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, t);
}

void textureGeneration(bool on) {
    if (on) {
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    } else {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}

// The second texture unit multiplies in the baked light; OpenGL's lighting is off meanwhile.
void beginBakedLight(const GlEntryPoints& gl) {
    glDisable(GL_LIGHTING);
    gl.activeTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    textureGeneration(true);
    gl.activeTexture(GL_TEXTURE0);
}

void endBakedLight(const GlEntryPoints& gl) {
    gl.activeTexture(GL_TEXTURE1);
    textureGeneration(false);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    gl.activeTexture(GL_TEXTURE0);
    glEnable(GL_LIGHTING); // baked light is used only while lighting is on
}

// A leaf whose heights do not fit the compact form: its quads from the grid, in immediate
// mode, as the exact strips draw them.
void drawExactChunk(const TerrainMap& map, const LodChunk& chunk,
                    const VertexColouring& colouring) {
    ViewFrustum everywhere;
    for (auto& p : everywhere.planes) p[3] = 1.0f;
    GlEmitter gl;
    glBindTexture(GL_TEXTURE_2D, 0);
    for (int r = chunk.row; r < chunk.row + chunk.quadsZ; ++r) {
        gl.begin();
        for (int c = chunk.column; c < chunk.column + chunk.quadsX; ++c) {
            if (colouring.view == TerrainView::plain)
                emitQuad(map, everywhere, c, r, gl, PlainColours{});
            else
                emitQuad(map, everywhere, c, r, gl, VertexColours{colouring});
        }
        gl.end();
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}

// A chunk's own frame, grown about its centre by a quarter of a world unit on every side:
// neighbours drawn with their own frames round their common points differently, and the
// overlap keeps those roundings from opening pinholes between them.
void chunkFrame(const LodChunk& chunk) {
    constexpr float overlap = 0.25f;
    const float halfX = 0.5f * tileSize * static_cast<float>(chunk.quadsX),
                halfZ = 0.5f * tileSize * static_cast<float>(chunk.quadsZ);
    const float growX = 1.0f + overlap / halfX, growZ = 1.0f + overlap / halfZ;
    const float units = chunk.unitScale();
    glTranslatef(chunk.originX() - overlap, chunk.yBase, chunk.originZ() + overlap);
    glScalef(units * growX, 0.25f, units * growZ);
}

// Binds a chunk's colour (coloured views) and light (baked) textures with its coordinates.
void bindChunkTextures(const LodDrawing& d, const LodChunk& chunk, bool coloured) {
    const auto units = static_cast<float>(chunk.unitsPerTile);
    const auto bind = [&](const ChunkTexture& t) {
        generateTextureCoordinates(*t.texture, t.column, t.row, t.texels, units);
        glBindTexture(GL_TEXTURE_2D, t.texture->id);
    };
    if (coloured) bind(d.textures.groundOf(chunk.column, chunk.row));
    if (!d.bakedLight) return;
    d.gl.activeTexture(GL_TEXTURE1);
    bind(d.textures.lightOf(chunk.column, chunk.row));
    d.gl.activeTexture(GL_TEXTURE0);
}

// Whether a chunk drawn at `level` shades as the full grid does when OpenGL lights its corners:
// its full grid, or a level whose corners' lighting strays from every tile point's by less than
// the eye tells apart. Those need no baked light, whose second texture costs every fragment.
bool litAtCorners(const LodChunk& chunk, int level) {
    constexpr float unseen = 0.02f; // five steps of 255
    return chunk.step == 1 &&
           (level < 0 || chunk.levels[static_cast<std::size_t>(level)].shading <= unseen);
}

// The chunks of one kind: those lit at their corners by OpenGL from their normals, as the full
// grid is; the others with the baked light where there is one, which keeps every tile point's
// shading whatever the mesh.
void drawChunks(const LodDrawing& d, const LodSelection& selection, bool coloured, bool baked) {
    if (baked) {
        beginBakedLight(d.gl);
    } else {
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnable(GL_NORMALIZE);
    }
    const LodDrawing drawing{d.mesh, d.textures, d.geometry, d.gl, baked};
    for (std::size_t i = 0; i < selection.drawn.size(); ++i) {
        const int index = selection.drawn[i];
        const LodChunk& chunk = d.mesh.chunks[static_cast<std::size_t>(index)];
        const int level = selection.levels[i];
        if (chunk.exact || (d.bakedLight && baked == litAtCorners(chunk, level))) continue;
        bindChunkTextures(drawing, chunk, coloured);
        glPushMatrix();
        chunkFrame(chunk);
        d.geometry.draw(d.mesh, index, ChunkPart::surface, level);
        d.geometry.draw(d.mesh, index, ChunkPart::skirts, level, selection.skirted[i]);
        glPopMatrix();
    }
    if (baked) {
        endBakedLight(d.gl);
    } else {
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisable(GL_NORMALIZE);
    }
}

void drawGround(const LodDrawing& d, const LodSelection& selection, TerrainView view) {
    const bool coloured = view != TerrainView::plain;
    d.geometry.begin(d.gl);
    textureGeneration(coloured);
    glColor3f(1.0f, 1.0f, 1.0f);
    if (!coloured) glBindTexture(GL_TEXTURE_2D, 0);
    drawChunks(d, selection, coloured, false);
    if (d.bakedLight) drawChunks(d, selection, coloured, true);
    textureGeneration(false);
    glBindTexture(GL_TEXTURE_2D, 0);
    d.geometry.end(d.gl);
}

} // namespace

void drawLevelOfDetail(const TerrainMap& map, const LodDrawing& drawing,
                       const LodSelection& selection, TerrainView view) {
    drawGround(drawing, selection, view);
    for (const int index : selection.drawn) {
        const LodChunk& chunk = drawing.mesh.chunks[static_cast<std::size_t>(index)];
        if (chunk.exact) drawExactChunk(map, chunk, drawing.textures.colouring);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}
