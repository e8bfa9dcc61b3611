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

// The quads `meeting` lists (column, row, row by row), as runs. Each run is a plain strip, its
// points each given once: every point the lines' texture takes costs a software rasteriser its
// texture coordinate.
template <typename Colours>
void emitListed(const TerrainMap& map, const std::vector<int>& meeting, GlEmitter& gl,
                const Colours& colours) {
    QuadRuns<GlEmitter> runs{gl};
    for (std::size_t i = 0; i + 1 < meeting.size(); i += 2) {
        const int c = meeting[i], r = meeting[i + 1];
        colours.quad(gl);
        if (runs.add(c, r)) emitColumnPoints(map, c, r, gl, colours);
        emitColumnPoints(map, c + 1, r, gl, colours);
    }
    runs.close();
}

template <typename Colours = PlainColours>
void emitChosen(const TerrainMap& map, const ViewFrustum& frustum,
                const BlockCandidates& candidates, QuadChoice choice, const Colours& colours = {}) {
    GlEmitter gl;
    if (choice.which == QuadChoice::all) {
        emitTerrainStrips(map, frustum, &candidates, gl, colours);
        return;
    }
    std::vector<int>& meeting = *choice.meeting;
    if (choice.which == QuadChoice::meetingLines) {
        emitListed(map, meeting, gl, colours);
        return;
    }
    meeting.clear();
    emitRuns(
        map, &candidates, gl,
        [&](int c, int r) {
            if (!quadInView(map, frustum, c, r)) return false;
            if (!quadMeetsContourLine(map, c, r, choice.interval)) return true;
            meeting.insert(meeting.end(), {c, r});
            return false;
        },
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
    emitChosen(map, frustum, candidates, choice);
    glPopMatrix();
}

void drawColouredTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                         BlockCandidates& candidates, const LodTextures& textures,
                         QuadChoice choice) {
    findCandidates(map, frustum, candidates, choice);
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
        emitChosen(map, frustum, candidates, choice);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    } else {
        emitChosen(map, frustum, candidates, choice, VertexColours{textures.colouring});
    }
}

void drawExactWater(const TerrainMap& map, const ViewFrustum& frustum,
                    const BlockCandidates& candidates, TerrainView view) {
    GlEmitter gl;
    beginWater();
    emitWater(map, frustum, &candidates, gl, view);
    endWater();
}
