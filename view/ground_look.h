// What a coloured view shows of the ground with its water, as one picture over the map for
// the level-of-detail chunks: each tile point's colour over the area nearest to it, and the
// water over it where the full grid shows its surface above the ground. Two texels a tile
// along each side, each a quarter of a point's area lying in one quad, so a shore lies within
// a quarter of a tile of the full grid's and no mesh of the ground moves it, and the edge of a
// quad with the water flag is kept exactly.
// Needs: the terrain model, the view colours and the water's cover; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/view_colours.h"

// Texels a tile along each side.
constexpr int lookTexelsPerTile = 2;

// A part of the map: its first tile point and the quads it covers along each side.
struct MapSpan {
    int c0 = 0, r0 = 0, quadsAcross = 0, quadsDown = 0;
};

// Fills the look of `span` in `colouring`'s view with its water: (quadsAcross + 1) x
// (quadsDown + 1) points of lookTexelsPerTile^2 texels, 3 bytes (RGB) a texel, rows of
// `rowTexels` texels starting at `texels`. Texel (2p, ...) is the quarter of point p towards
// the point before it, (2p + 1, ...) the quarter towards the one after it.
void fillGroundLook(const TerrainMap& map, const VertexColouring& colouring, const MapSpan& span,
                    int rowTexels, unsigned char* texels);

// Whether the water shows in a coloured view: asked for, and a view that shows it.
inline bool viewShowsWater(TerrainView view, bool waterShown) {
    return waterShown && view != TerrainView::plain && view != TerrainView::changes;
}
