// What a mesh out of the map holds, apart from its file format: the tile points kept (every
// Nth, the last row and column always), where they stand in the map's own coordinates scaled,
// their colours in a view, and the quads the view's water shows over. The surface's quads are
// split along the diagonal the viewer draws, so a mesh shows the ground the window shows.
// Needs: the terrain model, the view layer's colours and water rules.
#pragma once

#include "terrain/terrain_map.h"
#include "view/terrain_view.h"
#include "view/view_colours.h"

#include <cstdint>
#include <string>
#include <vector>

struct MeshOptions {
    TerrainView view = TerrainView::plain;
    int step = 1;       // every step-th tile point along each side
    double scale = 1.0; // every coordinate multiplied by it
    double base = 0.0;  // a solid's base this far below the lowest ground; 0: a tenth of a side
    std::string name;   // the map's, for the mesh's node
    const TilePalette* palette = nullptr; // the user's colours for tile sets
};

struct MeshGrid {
    std::vector<int> columns, rows; // tile columns and rows kept, west to east, south to north

    static MeshGrid of(const EnvironmentHeader& header, int step);
    bool hasQuads() const { return columns.size() >= 2 && rows.size() >= 2; }
    std::size_t points() const { return columns.size() * rows.size(); }
    std::size_t quads() const { return (columns.size() - 1) * (rows.size() - 1); }
    // Point (i, j): column i, row j of the kept ones, numbered column by column from the west
    // as the map keeps its tile points, so that they are read in the order they lie in memory.
    std::uint32_t index(std::size_t i, std::size_t j) const {
        return static_cast<std::uint32_t>(i * rows.size() + j);
    }
    const TerrainVertex& vertex(const TerrainMap& map, std::size_t i, std::size_t j) const {
        return map.vertices[static_cast<std::size_t>(columns[i])][rows[j]];
    }
    const Point3& normal(const TerrainMap& map, std::size_t i, std::size_t j) const {
        return map.normals[static_cast<std::size_t>(columns[i])][rows[j]];
    }
};

// A corner of quad (i, j) as `corner` counts them: 0 (i, j), 1 (i + 1, j), 2 (i, j + 1),
// 3 (i + 1, j + 1). The two triangles of a quad, counter-clockwise seen from above: (0, 1, 2)
// and (1, 3, 2), whose shared edge runs from (i, j + 1) to (i + 1, j) as the viewer's does.
constexpr int quadTriangles[2][3] = {{0, 1, 2}, {1, 3, 2}};

// Where points go: x east and y north in the map's own coordinates (its offsets added to
// 128 x column and 128 x row), h the height as the viewer computes it, all times the scale.
struct MeshPlace {
    double xOffset = 0.0, zOffset = 0.0, scale = 1.0;

    static MeshPlace of(const EnvironmentHeader& header, double scale) {
        return {header.xOffset, header.zOffset, scale};
    }
    float east(int column) const;
    float north(int row) const;
    float up(float height) const { return static_cast<float>(height * scale); }
};

// Why the map has no mesh with these options (no quad to make a surface of, offsets that are not
// numbers), or empty.
std::string meshProblem(const TerrainMap& map, const MeshOptions& options);

// Why --scale or, for a solid (`solid`), --base cannot make a sound mesh of this map, with the
// range that can: a coordinate that would be infinite, neighbouring points that would fall on
// one another, or a base that would not lie below the ground; empty when they can.
std::string meshNumbersProblem(const TerrainMap& map, const MeshOptions& options, bool solid);

// Which of the grid's quads the view's water shows over (none in the plain view), a byte a
// quad, row by row from the south; a quad of a stepped grid is wet where any tile quad in it is.
std::vector<unsigned char> wetQuads(const TerrainMap& map, const MeshGrid& grid, TerrainView view);

// A tile point's colour in the view, as the window shows it (white in the plain view).
struct MeshColours {
    VertexColouring colouring;
    bool plain = true;

    static MeshColours of(const TerrainMap& map, TerrainView view,
                          const TilePalette* palette = nullptr) {
        return {VertexColouring::of(map, view, nullptr, false, palette),
                view == TerrainView::plain};
    }
    Rgb colourOf(const TerrainVertex& v) const {
        return plain ? Rgb{1.0f, 1.0f, 1.0f} : colouring.colourOf(v);
    }
};

// sRGB to linear light, which glTF's colours are in.
float linearOf(float srgb);

// The water points of the grid: for each point, its number among the corners of wet quads,
// or `none`; `count` of them.
struct WaterPoints {
    static constexpr std::uint32_t none = 0xFFFFFFFFu;
    std::vector<std::uint32_t> number;
    std::uint32_t count = 0;

    static WaterPoints of(const MeshGrid& grid, const std::vector<unsigned char>& wet);
};
