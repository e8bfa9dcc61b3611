// The exact strips in OpenGL immediate mode, with the coarse culling's candidates.
#include "render/terrain_draw.h"

#include "platform/win32.h"
#include "render/gl_emitter.h"
#include "render/terrain_strips.h"
#include "render/water_colour.h"
#include "terrain/map_extent.h"
#include "view/contour_lines.h"

#include <algorithm>

namespace {

// Whether quad (c, r) meets a contour line: whether a line lies within its corners' heights.
bool quadMeetsContourLine(const TerrainMap& map, int c, int r, float interval) {
    const TerrainVertex* left = map.vertices[static_cast<std::size_t>(c)].get();
    const TerrainVertex* right = map.vertices[static_cast<std::size_t>(c) + 1].get();
    const auto [low, high] = std::minmax(
        {left[r].position.y, left[r + 1].position.y, right[r].position.y, right[r + 1].position.y});
    return meetsContourLine(low, high, interval);
}

// Quad (c, r) of a run of plain strips, its points each given once: every point costs a
// software rasteriser its lighting and texture coordinate.
template <typename Colours>
void emitRunQuad(const TerrainMap& map, int c, int r, QuadRuns<GlEmitter>& runs, GlEmitter& gl,
                 const Colours& colours) {
    colours.quad(gl);
    if (runs.add(c, r)) emitColumnPoints(map, c, r, gl, colours);
    emitColumnPoints(map, c + 1, r, gl, colours);
}

// The quads `meeting` lists (column, row, row by row), as runs of plain strips.
template <typename Colours>
void emitListed(const TerrainMap& map, const std::vector<int>& meeting, GlEmitter& gl,
                const Colours& colours) {
    QuadRuns<GlEmitter> runs{gl};
    for (std::size_t i = 0; i + 1 < meeting.size(); i += 2)
        emitRunQuad(map, meeting[i], meeting[i + 1], runs, gl, colours);
    runs.close();
}

// The quads in view that `draw` takes, as runs of plain strips (a coloured view, which need not
// keep the plain view's form): those that `list` takes go to `meeting` instead.
template <typename Colours, typename List>
void emitInRuns(const TerrainMap& map, const ViewFrustum& frustum,
                const BlockCandidates& candidates, GlEmitter& gl, const Colours& colours,
                List list) {
    QuadRuns<GlEmitter> runs{gl};
    for (int r = 0; r < quadRows(map); ++r) {
        forQuadsOfRow(map.header->mapWidth, r, &candidates, [&](int c) {
            if (quadInView(map, frustum, c, r) && !list(c, r))
                emitRunQuad(map, c, r, runs, gl, colours);
        });
        runs.close();
    }
}

template <typename Colours = PlainColours>
void emitChosen(const TerrainMap& map, const ViewFrustum& frustum,
                const BlockCandidates& candidates, QuadChoice choice, bool plain,
                const Colours& colours = {}) {
    GlEmitter gl;
    if (choice.which == QuadChoice::meetingLines) {
        emitListed(map, *choice.meeting, gl, colours);
        return;
    }
    const auto listed = [&](int c, int r) {
        if (choice.which == QuadChoice::all || !quadMeetsContourLine(map, c, r, choice.interval))
            return false;
        choice.meeting->insert(choice.meeting->end(), {c, r});
        return true;
    };
    if (choice.which == QuadChoice::missingLines) choice.meeting->clear();
    if (!plain) {
        emitInRuns(map, frustum, candidates, gl, colours, listed);
        return;
    }
    if (choice.which == QuadChoice::all) {
        emitTerrainStrips(map, frustum, &candidates, gl, colours);
        return;
    }
    emitRuns(
        map, &candidates, gl,
        [&](int c, int r) { return quadInView(map, frustum, c, r) && !listed(c, r); },
        [&](int c, int r) { emitQuadPoints(map, c, r, gl, colours); });
}

// The coarse culling's blocks for a draw, but for the quads that meet a line: the draw before
// listed those from the same blocks.
void findCandidates(const TerrainMap& map, const ViewFrustum& frustum, BlockCandidates& candidates,
                    QuadChoice choice) {
    if (choice.which != QuadChoice::meetingLines) candidates.find(frustum, map.heightBlocks);
}

} // namespace

void TerrainMap::draw(ViewFrustum frustum) const {
    BlockCandidates candidates;
    drawPlainTerrain(*this, frustum, candidates);
}

void drawPlainTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                      BlockCandidates& candidates, QuadChoice choice) {
    glPushMatrix();
    findCandidates(map, frustum, candidates, choice);
    emitChosen(map, frustum, candidates, choice, true);
    glPopMatrix();
}

// Draws with the colour texture when one tile holds the map (texture coordinates from world
// positions, texel centres on the tile points), else calls emit with colours per vertex.
template <typename Emit> void withColours(const LodTextures& textures, Emit emit) {
    if (!textures.colourHoldsMap()) {
        emit(VertexColours{textures.colouring});
        return;
    }
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
    emit(PlainColours{});
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void drawColouredTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                         BlockCandidates& candidates, const LodTextures& textures,
                         QuadChoice choice) {
    findCandidates(map, frustum, candidates, choice);
    withColours(textures, [&](const auto& colours) {
        emitChosen(map, frustum, candidates, choice, false, colours);
    });
}

void drawCoarseTerrain(const TerrainMap& map, const LodTextures& textures, int step) {
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    if (map.vertices.empty() || width < 2 || height < 2) return;
    const auto next = [&](int i, int last) {
        return i == last ? last + 1 : std::min(i + step, last);
    };
    const auto emit = [&](const auto& colours) {
        GlEmitter gl;
        for (int r = 0; r < height - 1; r = next(r, height - 1)) {
            const int below = next(r, height - 1);
            gl.begin();
            colours.quad(gl);
            for (int c = 0; c < width; c = next(c, width - 1)) {
                for (const int row : {r, below}) {
                    const TerrainVertex& v = map.vertices[static_cast<std::size_t>(c)][row];
                    colours.vertex(gl, v);
                    gl.normal(map.normals[static_cast<std::size_t>(c)][row]);
                    gl.vertex(v.position);
                }
            }
            gl.end();
        }
    };
    if (textures.view == TerrainView::plain)
        emit(PlainColours{});
    else
        withColours(textures, emit);
}

void drawExactWater(const TerrainMap& map, const ViewFrustum& frustum,
                    const BlockCandidates& candidates, TerrainView view) {
    GlEmitter gl;
    beginWater();
    emitWater(map, frustum, &candidates, gl, view);
    endWater();
}
