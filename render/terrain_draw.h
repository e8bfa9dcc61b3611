// The terrain mesh as triangle strips, one per row of quads, leaving out each quad whose four
// corners all lie outside the view frustum. The walk is written once against an emitter
// (begin, end, colour, normal, vertex) so that tests can record the exact call sequence
// that OpenGL receives.
//
// With height blocks, whole blocks of quads are passed over when every corner point in the
// block is certainly outside one plane. Such a block holds no quad the per-quad test would
// draw, so the calls are the same as without the blocks; the margin covers the rounding of
// the per-point test in floats.
// Needs: the terrain model; OpenGL only in terrain_draw.cpp.
#pragma once

#include "render/view_frustum.h"
#include "terrain/terrain_map.h"

#include <vector>

// Whether every point of the box is outside one plane of the frustum, by a margin.
bool boxCertainlyOutside(const ViewFrustum& frustum, const float low[3], const float high[3]);

// Per block of `blocks`: true when the block can be left out whole.
std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks);

// Per block row, the block columns that may hold a visible quad, in order.
struct BlockCandidates {
    std::vector<int> rowStart; // block row br lists columns[rowStart[br] .. rowStart[br + 1])
    std::vector<int> columns;
};
BlockCandidates blockCandidates(const ViewFrustum& frustum, const HeightBlocks& blocks);

// One quad (c, r): left out unless a corner is inside, tested in the order (c, r),
// (c + 1, r + 1), (c + 1, r), (c, r + 1); otherwise its colour, then four normals and
// vertices, two down each column.
template <typename Emitter>
void emitQuad(const TerrainMap& map, const ViewFrustum& frustum, int c, int r, Emitter& out) {
    const TerrainVertex* left = map.vertices[c].get();
    const TerrainVertex* right = map.vertices[c + 1].get();
    const Point3& p00 = left[r].position;
    const Point3& p01 = left[r + 1].position;
    const Point3& p10 = right[r].position;
    const Point3& p11 = right[r + 1].position;
    if (!frustum.containsPoint(p00.x, p00.y, p00.z) &&
        !frustum.containsPoint(p11.x, p11.y, p11.z) &&
        !frustum.containsPoint(p10.x, p10.y, p10.z) && !frustum.containsPoint(p01.x, p01.y, p01.z))
        return;
    out.color(1.0f, 1.0f, 1.0f);
    out.normal(map.normals[c][r]);
    out.vertex(p00);
    out.normal(map.normals[c][r + 1]);
    out.vertex(p01);
    out.normal(map.normals[c + 1][r]);
    out.vertex(p10);
    out.normal(map.normals[c + 1][r + 1]);
    out.vertex(p11);
}

// The whole mesh: one strip per row of quads, begun and ended even when nothing is in it.
// With blocks, each row visits only the quads of its candidate blocks.
template <typename Emitter>
void emitTerrain(const TerrainMap& map, const ViewFrustum& frustum, const HeightBlocks* blocks,
                 Emitter& out) {
    const int width = map.header->mapWidth;
    // A grid without tile points has no rows to draw, however many its header claims (a
    // header alone may claim 2^31 - 1 of them, which would be as many empty strips a frame).
    const int height = map.vertices.empty() ? 0 : map.header->mapHeight;
    const bool useBlocks = blocks && blocks->columns > 0;
    const BlockCandidates candidates =
        useBlocks ? blockCandidates(frustum, *blocks) : BlockCandidates{};
    for (int r = 0; r < height - 1; ++r) {
        out.begin();
        if (useBlocks) {
            const int br = r / blocks->quadsPerBlock;
            for (int i = candidates.rowStart[br]; i < candidates.rowStart[br + 1]; ++i) {
                const int bc = candidates.columns[i];
                for (int c = blocks->firstQuad(bc); c < blocks->endQuad(bc, width - 1); ++c)
                    emitQuad(map, frustum, c, r, out);
            }
        } else {
            for (int c = 0; c < width - 1; ++c) emitQuad(map, frustum, c, r, out);
        }
        out.end();
    }
}

// How TerrainMap::draw culls: with the map's height blocks (the default) or quad by quad.
struct TerrainDrawSettings {
    bool coarseCulling = true;
};

extern TerrainDrawSettings terrainDrawSettings;
