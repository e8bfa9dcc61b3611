// The terrain as the start camera draws it, in OpenGL immediate mode: TerrainMap::draw gives
// the plain view's lit white strips exactly as the viewer always drew them; the coloured views
// draw the same strips with each tile point's colour from the view's texture (crisp, a texel a
// point) and the water over them.
// Needs: OpenGL 1.x, the exact strips, the level-of-detail textures.
#pragma once

#include "render/lod_textures.h"
#include "view/block_culling.h"
#include "view/view_frustum.h"

#include <vector>

// Which quads a draw gives: all of them, as the strips always were; or, under contour lines
// every `interval` units, those that meet a line or those that meet none, each run of them a
// strip of its own (so that the lines' texture costs only the pixels of ground that may show
// one).
struct QuadChoice {
    enum Which { all, meetingLines, missingLines } which = all;
    float interval = 0.0f;
    // The quads in view that meet a line (column and row): found by the draw of those that meet
    // none, which comes first, and drawn from here by the draw of those that do.
    std::vector<int>* meeting = nullptr;
};

// The plain view's strips, as TerrainMap::draw draws them, with the caller's `candidates` (the
// coarse culling's blocks, kept from frame to frame so that their storage is reused).
void drawPlainTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                      BlockCandidates& candidates, QuadChoice choice = {});

// A coloured view: the strips with the colours `textures` were prepared for (from a texture
// where one tile holds the map, else a colour per vertex); the water goes over them with
// drawExactWater.
void drawColouredTerrain(const TerrainMap& map, const ViewFrustum& frustum,
                         BlockCandidates& candidates, const LodTextures& textures,
                         QuadChoice choice = {});

// The terrain through every `step`-th tile point along each side (and the last), as strips in
// immediate mode with the colours `textures` were prepared for: what a camera shows while the
// level-of-detail mesh is still being made, at a cost that does not grow with the map.
void drawCoarseTerrain(const TerrainMap& map, const LodTextures& textures, int step);

// The water surface alone, over the quads of the `candidates` the strips were drawn with.
void drawExactWater(const TerrainMap& map, const ViewFrustum& frustum,
                    const BlockCandidates& candidates, TerrainView view);
