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

// Texels as the textures hold them: 4 bytes (RGBA) each, rows of `rowTexels`.
struct Texels {
    unsigned char* bytes;
    int rowTexels;
    unsigned char* at(int x, int y) const {
        return bytes + 4 * (static_cast<std::size_t>(y) * rowTexels + x);
    }
};

// Puts a colour into a texel, opaque.
void putColour(unsigned char* texel, const Rgb& colour);

// The look of `span` in `view`: (quadsAcross + 1) x (quadsDown + 1) points of
// lookTexelsPerTile^2 texels, from `points`, the colours of the span's points (a texel each).
// Texel (2p, ...) is the quarter of point p towards the point before it, (2p + 1, ...) the
// quarter towards the one after it.
void fillGroundLook(const TerrainMap& map, TerrainView view, const MapSpan& span,
                    const Texels& points, const Texels& look);

// Whether the water shows in a coloured view: asked for, and a view that shows it.
inline bool viewShowsWater(TerrainView view, bool waterShown) {
    return waterShown && view != TerrainView::plain && view != TerrainView::changes;
}
