// The terrain as every camera but the start one draws it: a quadtree of chunks. Each chunk is
// a grid of up to 16 x 16 cells over its part of the map, at a step through the tile points
// (1, 2, 4 ...) that doubles a level up: the root covers the whole map coarsely, the leaves
// 16 x 16 quads at full detail. A frame draws a chunk when its error shows as at most a pixel,
// and its four children otherwise (lod_select). Every vertex is a real tile point with its own
// normal; colours come from textures with a texel per tile point (lod_textures), so a coarse
// chunk keeps every point's colour.
//
// Where chunks of different steps meet, each chunk's skirt (a strip hanging down from its
// edge, as deep as the heights along that edge differ) fills what would be a crack. Vertices
// are compact (heights in quarter units above a base, normals in bytes).
//
// Built once per load; holds no OpenGL objects.
// Needs: the terrain model.
#pragma once

#include "terrain/map_extent.h"
#include "terrain/terrain_map.h"
#include "view/lod_levels.h"
#include "view/water_cover.h"

#include <atomic>
#include <cstdint>
#include <vector>

// Cells a chunk side: small enough that a chunk near the eye is mostly in view, large enough
// that the coarse levels of a large map are a few hundred draws.
constexpr int lodChunkCells = 16;

// A chunk's vertices are 16-bit numbers: x and z the chunk-local position in units of
// 128 / unitsPerTile world units (column and row times unitsPerTile, and z negative), y the
// height in quarter units above the chunk's base less 32768, then the normal, scaled for the
// chunk's transform (which turns the stored units back into world units): in bytes (two
// numbers' room) where the transform only shrinks y, in 16-bit numbers where it also grows x
// and z, which bytes could not follow.
struct LodVertexFormat {
    int stride = 5;            // 16-bit numbers a vertex
    bool shortNormals = false; // normals in 16-bit numbers; otherwise in bytes
};

// The triangles of a chunk with `across` x `down` grid points (row by row, then its skirts'
// lower points): first the surface's, then the skirts'.
struct LodPattern {
    int across = 0, down = 0;
    std::vector<std::uint16_t> indices;
    std::vector<std::uint16_t> lines; // the grid's lines between its points, in pairs
    int surfaceIndices = 0;
    int skirtSides[4] = {}; // then the skirts' indices, side by side
    int vertexCount = 0;

    void build(int pointsAcross, int pointsDown);
};

struct LodChunk {
    int column = 0, row = 0;    // its first tile point, where its vertices' origin lies
    int quadsX = 0, quadsZ = 0; // tile quads it covers (fewer at the map's far edges)
    int step = 1;               // tile quads a cell
    int pattern = 0;            // index into LodMesh::patterns
    int children[4] = {-1, -1, -1, -1};
    // The chunks of the same size beside it, across its first row, last row, first column and
    // last column; -1 past the map's edge. Drawn beside it, they meet it without a crack.
    int neighbours[4] = {-1, -1, -1, -1};
    // World box of its ground, skirts and the water over them (which the full grid draws).
    float low[3] = {}, high[3] = {};
    // The largest height difference (world units) between its surface and the full grid, and
    // never less than its children's.
    float error = 0.0f;
    int unitsPerTile = 128; // x and z units a tile: 128 up to chunks of 128 quads, fewer above
    float originX() const { return tileSize * static_cast<float>(column); }
    float originZ() const { return -tileSize * static_cast<float>(row); }
    // What the chunk's frame scales its vertices' x and z by to make world units.
    float unitScale() const { return tileSize / static_cast<float>(unitsPerTile); }
    float yBase = 0.0f; // y of a vertex is yBase + y / 4
    // Heights too far apart for the compact form (over 16384 world units): such a chunk is
    // drawn through its children, and a leaf quad by quad from the grid.
    bool exact = false;
    LodVertexFormat format;
    std::vector<std::int16_t> vertices; // format.stride numbers a vertex
    // Coarser meshes of its surface, fewest triangles last (none for a chunk cut by the map's
    // edge); its full grid is the pattern's.
    std::vector<LodLevel> levels;
    std::vector<std::uint16_t> levelIndices;
};

struct LodMesh {
    std::vector<LodPattern> patterns;
    std::vector<LodChunk> chunks;
    int root = -1;
    bool built = false;
    // Counts the maps the mesh was cleared for (and each build), so that what is made from it
    // (textures, the driver's copy) knows when it is old.
    int generation = 0;

    // Builds the chunks of `map`; gives up, leaving an unfinished mesh, once `stop` says so.
    void build(const TerrainMap& map, const std::atomic<bool>* stop = nullptr);
    // Forgets the chunks (a new map is shown): a new generation, built again when needed.
    void clear();
    // Lets the chunks' vertices go once the driver holds them; everything else stays.
    void releaseVertexData();
    // Bytes held, for the benchmark's comparison with the grids.
    std::size_t bytes() const;
};
