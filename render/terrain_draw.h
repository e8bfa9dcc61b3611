// The terrain mesh as triangle strips, one per row of quads, leaving out each quad whose four
// corners all lie outside the view frustum, and the water surface over it. The walks are
// written once against an emitter (begin, end, colour, normal, vertex) so that tests can
// record the exact call sequence that OpenGL receives.
//
// With height blocks, whole blocks of quads are passed over when every corner point in the
// block (ground and water surface) is certainly outside one plane. Such a block holds no quad
// the per-quad test would draw, so the calls are the same as without the blocks; the margin
// covers the rounding of the per-point test in floats.
//
// The plain view gives each drawn quad one white colour; a coloured view gives each vertex
// its own colour instead, in the same strips.
// Needs: the terrain model and the view colours; OpenGL only in terrain_draw.cpp.
#pragma once

#include "render/view_colours.h"
#include "render/view_frustum.h"
#include "terrain/terrain_map.h"

#include <vector>

// Whether every point of the box is outside one plane of the frustum, by a margin.
bool boxCertainlyOutside(const ViewFrustum& frustum, const float low[3], const float high[3]);

// Per block of `blocks`: true when the block can be left out whole.
std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks);

// Per block row, the block columns that may hold a visible quad, in order. Found again every
// frame into the same storage, so that a frame allocates nothing once it has grown.
struct BlockCandidates {
    const HeightBlocks* blocks = nullptr;
    std::vector<char> outside; // per block: can be left out whole (see blocksOutside)
    std::vector<int> rowStart; // block row br lists columns[rowStart[br] .. rowStart[br + 1])
    std::vector<int> columns;

    void find(const ViewFrustum& frustum, const HeightBlocks& heightBlocks);
};

// Lit white quads: one colour per quad, before its vertices.
struct PlainColours {
    template <typename Emitter> void quad(Emitter& out) const { out.color(1.0f, 1.0f, 1.0f); }
    template <typename Emitter> void vertex(Emitter&, const TerrainVertex&) const {}
};

// A colour per vertex, before its normal.
struct VertexColours {
    VertexColouring colouring;
    template <typename Emitter> void quad(Emitter&) const {}
    template <typename Emitter> void vertex(Emitter& out, const TerrainVertex& v) const {
        const Rgb c = colouring.colourOf(v);
        out.color(c.r, c.g, c.b);
    }
};

// Whether any of the four points is inside the frustum, tested in the order (c, r),
// (c + 1, r + 1), (c + 1, r), (c, r + 1).
inline bool quadInView(const ViewFrustum& frustum, const Point3& p00, const Point3& p01,
                       const Point3& p10, const Point3& p11) {
    return frustum.containsPoint(p00.x, p00.y, p00.z) ||
           frustum.containsPoint(p11.x, p11.y, p11.z) ||
           frustum.containsPoint(p10.x, p10.y, p10.z) || frustum.containsPoint(p01.x, p01.y, p01.z);
}

// One quad (c, r): left out unless a corner is inside; otherwise its colours, normals and
// vertices, two down each column.
template <typename Emitter, typename Colours>
void emitQuad(const TerrainMap& map, const ViewFrustum& frustum, int c, int r, Emitter& out,
              const Colours& colours) {
    const TerrainVertex* left = map.vertices[c].get();
    const TerrainVertex* right = map.vertices[c + 1].get();
    if (!quadInView(frustum, left[r].position, left[r + 1].position, right[r].position,
                    right[r + 1].position))
        return;
    colours.quad(out);
    colours.vertex(out, left[r]);
    out.normal(map.normals[c][r]);
    out.vertex(left[r].position);
    colours.vertex(out, left[r + 1]);
    out.normal(map.normals[c][r + 1]);
    out.vertex(left[r + 1].position);
    colours.vertex(out, right[r]);
    out.normal(map.normals[c + 1][r]);
    out.vertex(right[r].position);
    colours.vertex(out, right[r + 1]);
    out.normal(map.normals[c + 1][r + 1]);
    out.vertex(right[r + 1].position);
}

// Rows of quads to draw. A grid without tile points has none, however many its header claims
// (a header alone may claim 2^31 - 1 rows, which would be as many empty strips a frame).
inline int quadRows(const TerrainMap& map) {
    return map.vertices.empty() ? 0 : map.header->mapHeight - 1;
}

// Calls visit(c) for every quad column of quad row r: all of them, or those of the row's
// candidate blocks when there are blocks.
template <typename Visit>
void forQuadsOfRow(int width, int r, const BlockCandidates* candidates, Visit visit) {
    if (!candidates || candidates->blocks->columns == 0) {
        for (int c = 0; c < width - 1; ++c) visit(c);
        return;
    }
    const HeightBlocks& blocks = *candidates->blocks;
    const int br = r / blocks.quadsPerBlock;
    for (int i = candidates->rowStart[br]; i < candidates->rowStart[br + 1]; ++i) {
        const int bc = candidates->columns[i];
        for (int c = blocks.firstQuad(bc); c < blocks.endQuad(bc, width - 1); ++c) visit(c);
    }
}

// The whole mesh: one strip per row of quads, begun and ended even when nothing is in it.
// With candidates, each row visits only the quads of its candidate blocks.
template <typename Emitter, typename Colours = PlainColours>
void emitTerrainStrips(const TerrainMap& map, const ViewFrustum& frustum,
                       const BlockCandidates* candidates, Emitter& out,
                       const Colours& colours = {}) {
    const int width = map.header->mapWidth;
    for (int r = 0; r < quadRows(map); ++r) {
        out.begin();
        forQuadsOfRow(width, r, candidates,
                      [&](int c) { emitQuad(map, frustum, c, r, out, colours); });
        out.end();
    }
}

// The same with the candidates found here from `blocks` (none: quad by quad), for tests and
// tools that draw one frame.
template <typename Emitter, typename Colours = PlainColours>
void emitTerrain(const TerrainMap& map, const ViewFrustum& frustum, const HeightBlocks* blocks,
                 Emitter& out, const Colours& colours = {}) {
    BlockCandidates candidates;
    if (blocks) candidates.find(frustum, *blocks);
    emitTerrainStrips(map, frustum, blocks ? &candidates : nullptr, out, colours);
}

// The water surface: every quad with the water flag at a corner, at its corners' water
// surface heights, facing up. Each run of such quads in a row is a strip of its own, so that
// no triangle bridges the land between two stretches of water.
template <typename Emitter>
void emitWater(const TerrainMap& map, const ViewFrustum& frustum, const BlockCandidates* candidates,
               Emitter& out) {
    const int width = map.header->mapWidth;
    const Point3 up{0.0f, 1.0f, 0.0f};
    const auto surface = [](const TerrainVertex& v) {
        return Point3{v.position.x, waterSurfaceHeight(v), v.position.z};
    };
    for (int r = 0; r < quadRows(map); ++r) {
        int next = -1; // the quad column that would continue the open strip; -1: none open
        forQuadsOfRow(width, r, candidates, [&](int c) {
            const TerrainVertex* left = map.vertices[c].get();
            const TerrainVertex* right = map.vertices[c + 1].get();
            const bool wet = (left[r].tileFlags | left[r + 1].tileFlags | right[r].tileFlags |
                              right[r + 1].tileFlags) &
                             waterFlag;
            const Point3 p00 = surface(left[r]), p01 = surface(left[r + 1]),
                         p10 = surface(right[r]), p11 = surface(right[r + 1]);
            if (!wet || !quadInView(frustum, p00, p01, p10, p11)) return;
            if (c != next) {
                if (next >= 0) out.end();
                out.begin();
            }
            next = c + 1;
            for (const Point3& p : {p00, p01, p10, p11}) {
                out.normal(up);
                out.vertex(p);
            }
        });
        if (next >= 0) out.end();
    }
}

// How TerrainMap::draw culls: with the map's height blocks (the default) or quad by quad.
struct TerrainDrawSettings {
    bool coarseCulling = true;
};

extern TerrainDrawSettings terrainDrawSettings;
