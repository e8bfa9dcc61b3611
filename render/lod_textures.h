// The textures of the level-of-detail chunks, in tiles of up to 4096 x 4096 quads over the map
// (one tile for any map of up to 4097 points a side): the colour of each tile point in the
// coloured view (a texel a point, nearest filtering, so each point's colour covers the area
// nearest to it at every step), the same with the water over it where the view shows water
// (the ground's look: two texels a tile, so that the chunks need no water of their own), and,
// for a plan, the lighting of each tile point (a texel a point, filtered between points as the
// lit vertices are), so that a coarse chunk keeps every point's shading. Colours are made when
// a map, a view or the water's switch is new, the lighting when the light moves; never
// otherwise.
// Needs: OpenGL 1.x, the level-of-detail mesh, the view colours and the ground's look.
#pragma once

#include "platform/win32.h"
#include "view/ground_look.h"
#include "view/lod_mesh.h"
#include "view/map_changes.h"
#include "view/terrain_view.h"
#include "view/view_colours.h"

#include <vector>

struct LodTexture {
    GLuint id = 0;
    int across = 0, down = 0; // texels
};

struct LodTextures {
    int tileQuads = 0; // quads a tile covers along each side
    int tilesX = 0, tilesZ = 0;
    std::vector<LodTexture> colour; // per tile, for `view`; empty in the plain view
    std::vector<LodTexture> look;   // per tile, for `view` with its water; empty without water
    std::vector<LodTexture> light;  // per tile, for `lightAt`; empty until asked for
    int generation = -1;            // of the mesh they were made for
    TerrainView view = TerrainView::plain;
    bool water = false; // the water shows in `view`
    float lightAt[3] = {};
    std::vector<unsigned char> texels; // kept, so that moving the light allocates nothing

    VertexColouring colouring; // of `view`, for what the textures do not cover

    // Makes what `mesh` (built from `map`) needs in `shown` with the water shown or not, unless
    // it is there already; the changes view's colours come from `compared`.
    void prepare(const TerrainMap& map, const LodMesh& mesh, TerrainView shown,
                 const ComparedMaps& compared = {}, bool waterShown = true);
    // Makes the lighting for a light at `position`, unless it is there already (after prepare).
    void prepareLight(const TerrainMap& map, const float position[4]);
    void release();
    // Bytes of texels held.
    std::size_t bytes() const;
    // What the chunks of tile `tile` are coloured with, and its texels a tile along each side.
    const LodTexture& ground(std::size_t tile) const {
        return look.empty() ? colour[tile] : look[tile];
    }
    int groundTexels() const { return look.empty() ? 1 : lookTexelsPerTile; }
    // The tile holding tile point (column, row).
    int tileOf(int column, int row) const {
        return (row / tileQuads) * tilesX + column / tileQuads;
    }
};
