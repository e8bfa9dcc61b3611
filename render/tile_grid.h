// The tile grid's lines (G), over any view: the edges between neighbouring tile points, drawn
// faint over the terrain. The start camera shows those of every quad in view; the chunks show
// those of the chunks drawn at full detail (farther out the lines would be closer than pixels).
// Needs: OpenGL 1.x, the exact strips' culling, the level-of-detail chunks and their selection.
#pragma once

#include "render/lod_draw.h"
#include "view/block_culling.h"

// `candidates` holds the coarse culling's blocks, its storage reused from frame to frame.
void drawTileGrid(const TerrainMap& map, const ViewFrustum& frustum, BlockCandidates& candidates);
void drawTileGrid(const LodDrawing& drawing, const LodSelection& selection);
