// Coarser meshes of the chunks: the map as a hierarchy of right triangles (each split at the
// middle of its long side), each chunk's square two of them. A chunk's coarser mesh splits a
// triangle only where the tile points under it stray from its plane by more than the level's
// error, so flat ground takes a few large triangles while a cliff's edge keeps small ones along
// it: on rugged ground a fraction of the full grid's triangles, once a few units of height
// noise no longer show.
//
// The bounds are the whole map's, computed once: a triangle's bound is the largest distance of
// the tile points under it from its plane, or more. The two triangles sharing a long side share
// one bound (at its middle point), never less than the bounds under them, so neighbouring
// chunks of one size and level split their common edge alike: no crack opens between them, or
// inside a chunk. Where neighbours differ, the skirts of the side between them close the gap.
// Needs: the terrain model.
#pragma once

#include "terrain/terrain_map.h"

#include <cstdint>
#include <vector>

// The error bounds of the map's triangles, one per tile point: the bound of the triangles whose
// long side has its middle there. The map is padded to 2^k + 1 points a side with copies of its
// last row and column.
struct LodBounds {
    int side = 0; // points a side
    std::vector<float> bound;

    // For a map whose quads fit in `quads` (a power of two) along each side.
    void build(const TerrainMap& map, int quads);
    float at(int x, int y) const {
        return bound[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
                     static_cast<std::size_t>(x)];
    }
};

// Skirts are kept per side of a chunk, in the order of LodChunk::neighbours: first row, last
// row, first column, last column.
constexpr int chunkSides = 4;

// One coarser mesh of a chunk: its indices (into the chunk's vertex slots: grid points row by
// row, then the skirts' lower points) start at `first` in the chunk's level indices: the
// surface's triangles, then the skirts' of each side.
struct LodLevel {
    float threshold = 0.0f; // the bound its triangles were split to (one of lodLevelErrors)
    float error = 0.0f;     // the bound of its triangles: the threshold, or the chunk's cells'
                            // where those are coarser
    // How far lighting its corners and blending between them strays from lighting each tile
    // point (as a share of the colour, at most; 1 where not measured): where it is below what
    // the eye tells apart, the mesh needs no baked light.
    float shading = 1.0f;
    int first = 0;
    int surface = 0;             // indices of the surface's triangles
    int skirts[chunkSides] = {}; // indices of each side's skirt after them
};

// The error bounds at which coarser meshes are made; a mesh that would keep most of the
// triangles of the one before it is left out, and so is one no more exact than a coarser one
// (a chunk's sample cells may stray further from the map than a threshold).
constexpr float lodLevelErrors[] = {8.0f, 16.0f, 128.0f, 512.0f};

// The square of a chunk: its first tile point and `step` tile quads a cell, `cells` a side.
struct ChunkSquare {
    int x0, y0, step, cells;
};

// Builds the coarser meshes of the chunk, appending their indices to `indices`. `skirtSlot`
// gives each grid point's lower skirt point (or -1 inside), as the chunk's pattern numbers
// them.
void buildLevels(const LodBounds& bounds, const TerrainMap& map, const ChunkSquare& square,
                 const std::vector<int>& skirtSlot, std::vector<LodLevel>& levels,
                 std::vector<std::uint16_t>& indices);
