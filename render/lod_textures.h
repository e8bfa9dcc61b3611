// The textures of the level-of-detail chunks: the colour of each tile point in the coloured
// view (a texel a point, nearest filtering, so each point's colour covers the area nearest to
// it at every step), in tiles of up to 4096 x 4096 quads (one for any map of up to 4097 points
// a side, which the exact strips draw with too); where the view shows water, the ground's look
// with the water over it (two texels a tile, so that the chunks need no water of their own), in
// tiles of up to 1024 quads made one a frame, so that a new view never holds a frame up on a
// large map (until its tile is made, a chunk shows the colours without the water); and, for a
// plan, the lighting of each tile point (a texel a point, filtered between points as the lit
// vertices are, in the colours' tiles), so that a coarse chunk keeps every point's shading.
// Colours are made when a map, a view or the water's switch is new, the lighting when the
// light moves; never otherwise.
// Needs: OpenGL 1.x, the level-of-detail mesh, the view colours and the ground's look.
#pragma once

#include "platform/win32.h"
#include "view/ground_look.h"
#include "view/lod_mesh.h"
#include "view/map_changes.h"
#include "view/terrain_view.h"
#include "view/tile_palette.h"
#include "view/view_colours.h"

#include <algorithm>
#include <vector>

struct LodTexture {
    GLuint id = 0;
    int across = 0, down = 0; // texels
};

// How textures cover the map: tiles of `quads` quads a side, `across` x `down` of them.
struct TextureTiles {
    int quads = 0, across = 0, down = 0;
    // The tile holding tile point (column, row).
    std::size_t of(int column, int row) const {
        return static_cast<std::size_t>((row / quads) * across + column / quads);
    }
};

// A chunk's texture: which, with its texels a tile, and the chunk's first tile point counted
// from the tile's.
struct ChunkTexture {
    const LodTexture* texture = nullptr;
    float texels = 1.0f;
    int column = 0, row = 0;
};

struct LodTextures {
    TextureTiles colourTiles, lookTiles;
    std::vector<LodTexture> colour, look, light; // light in the colours' tiles
    std::vector<char> lookMade;                  // per look tile: made for `view`
    int generation = -1;                         // of the mesh they were made for
    TerrainView view = TerrainView::plain;
    bool water = false;          // the water shows in `view`
    bool colourJustMade = false; // in this frame: the look waits for the next
    float lightAt[3] = {};
    // Kept, so that a new view or light allocates nothing: the points' colours or lighting, and
    // the look.
    std::vector<unsigned char> texels, lookTexels;

    VertexColouring colouring; // of `view`, for what the textures do not cover
    TilePalette palette;       // the user's colours for tile sets, set before the first frame

    // Makes the colours `mesh` (built from `map`) needs in `shown` with the water shown or not,
    // unless they are there already, and the first look tile; the changes view's colours come
    // from `compared`.
    void prepare(const TerrainMap& map, const LodMesh& mesh, TerrainView shown,
                 const ComparedMaps& compared = {}, bool waterShown = true);
    // Makes the next look tile that waits, if any: once a frame, and not in a frame whose
    // colours were made unless the look is a single tile.
    void prepareMore(const TerrainMap& map);
    // Makes the lighting for a light at `position`, unless it is there already (after prepare).
    void prepareLight(const TerrainMap& map, const float position[4]);
    void release();
    // Bytes of texels held.
    std::size_t bytes() const;
    // What a chunk from tile point (column, row) is coloured with.
    ChunkTexture groundOf(int column, int row) const;
    ChunkTexture lightOf(int column, int row) const;
    // Whether every texture the view needs is made.
    bool complete() const {
        return !water || std::find(lookMade.begin(), lookMade.end(), 0) == lookMade.end();
    }
    // Quads along a side of the largest chunk the textures can hold whole.
    int largestChunk() const { return water ? lookTiles.quads : colourTiles.quads; }
    // Whether the exact strips take their colours from the first colour texture.
    bool colourHoldsMap() const { return view != TerrainView::plain && colour.size() == 1; }
};
