// The colours of the coloured views: a fixed palette for ground tile numbers, a perceptually
// even ramp for heights, steps for cliff layers with ramps, tinted ground and boundaries on top.
// Pure lookups over small tables made once, so a vertex's colour costs a few loads a frame.
// Needs: the terrain model; no OpenGL.
#pragma once

#include "render/terrain_view.h"
#include "terrain/terrain_map.h"

#include <string>

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

// Entries of the ground tile palette; texture numbers are one nibble.
constexpr int groundPaletteSize = 16;

// The colour of ground texture number `texture`; grey for a number at or past the map's count
// of ground tile sets (the map names a tile set it does not list).
Rgb groundTileColour(int texture, int groundTileSetCount);

// Steps of the height ramp.
constexpr int heightRampSize = 256;

// The colour of height y on a ramp from `lowest` (dark blue) to `highest` (light yellow),
// evenly spaced to the eye; the middle of the ramp when the map is level.
Rgb heightColour(float y, float lowest, float highest);

// Ramp, tinted and boundary points in their own colours (boundary first, then ramp, then
// tinted ground; the boundary mark of the water word counts as a boundary), every other point in
// the step of its cliff layer: greyish green, lighter a layer up.
Rgb cliffColour(const TerrainVertex& vertex);

// The colours of the cliff view's marks, for its legend.
Rgb rampColour();
Rgb tintedColour();
Rgb boundaryColour();
Rgb layerColour(int layer);

// "#rrggbb".
std::string hexColour(const Rgb& colour);

// Everything a coloured view needs to colour a vertex of one map.
struct VertexColouring {
    TerrainView view = TerrainView::groundTiles;
    int groundTileSetCount = 0;
    float lowest = 0.0f, highest = 0.0f;

    static VertexColouring of(const TerrainMap& map, TerrainView view) {
        return {view, map.header->groundTileSetCount, map.lowestHeight, map.highestHeight};
    }

    Rgb colourOf(const TerrainVertex& v) const {
        switch (view) {
        case TerrainView::groundTiles:
            return groundTileColour(v.groundTexture, groundTileSetCount);
        case TerrainView::height:
            return heightColour(v.position.y, lowest, highest);
        default:
            return cliffColour(v);
        }
    }
};
