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

#include <cmath>
#include <vector>

// Whether every point of the box is outside one plane of the frustum, by a margin.
bool boxCertainlyOutside(const ViewFrustum& frustum, const float low[3], const float high[3]);

// Per block of `blocks`: true when the block can be left out whole.
std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks);

template <typename Emitter>
void emitTerrain(const TerrainMap& map, const ViewFrustum& frustum, const HeightBlocks* blocks,
                 Emitter& out) {
    const int width = map.header->mapWidth;
    const int height = map.header->mapHeight;
    std::vector<char> skip;
    if (blocks && blocks->columns > 0) skip = blocksOutside(frustum, *blocks);
    for (int r = 0; r < height - 1; ++r) {
        out.begin();
        const char* skipRow =
            skip.empty()
                ? nullptr
                : &skip[static_cast<std::size_t>(r / blocks->quadsPerBlock) * blocks->columns];
        for (int c = 0; c < width - 1; ++c) {
            if (skipRow && skipRow[c / blocks->quadsPerBlock]) {
                c = blocks->endQuad(c / blocks->quadsPerBlock, width - 1) - 1;
                continue;
            }
            const TerrainVertex* left = map.vertices[c].get();
            const TerrainVertex* right = map.vertices[c + 1].get();
            const Point3& p00 = left[r].position;
            const Point3& p01 = left[r + 1].position;
            const Point3& p10 = right[r].position;
            const Point3& p11 = right[r + 1].position;
            if (!frustum.containsPoint(p00.x, p00.y, p00.z) &&
                !frustum.containsPoint(p11.x, p11.y, p11.z) &&
                !frustum.containsPoint(p10.x, p10.y, p10.z) &&
                !frustum.containsPoint(p01.x, p01.y, p01.z))
                continue;
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
        out.end();
    }
}

// How TerrainMap::draw culls: with the map's height blocks (the default) or quad by quad.
struct TerrainDrawSettings {
    bool coarseCulling = true;
};

extern TerrainDrawSettings terrainDrawSettings;
