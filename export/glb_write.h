// The terrain as binary glTF 2.0 (.glb): one mesh of the kept tile points with positions,
// normals and the view's colours (COLOR_0, in glTF's linear light) and 32-bit indices, in a
// node named after the map; where the view shows water, a second, translucent mesh of its
// surface in a child node. Axes as glTF wants them: x east, y up, z south (the map's own
// coordinates, its northward z negated), in world units times the scale. Written as it is
// made, a row at a time, so that a map of any size needs little memory beyond its own.
// Needs: the mesh grid.
#pragma once

#include "export/mesh_grid.h"

#include <ostream>
#include <string>

#include <cstdint>
#include <vector>

// What the file holds, found in a pass over the map before a byte is written: the counts and
// the positions' bounds that its JSON gives, and the water's quads and points.
struct GlbLayout {
    struct Bounds {
        float low[3], high[3];
        Bounds();
        void add(const float p[3]);
    };
    MeshOptions options;
    MeshGrid grid;
    MeshPlace place;
    std::vector<unsigned char> wet;
    WaterPoints water;
    std::uint64_t points = 0, triangles = 0, waterTriangles = 0;
    Bounds ground, surface;
    std::string json;    // padded to 4 bytes
    std::string problem; // why the map cannot be written so, or empty

    static GlbLayout of(const TerrainMap& map, const MeshOptions& options);
    std::uint64_t binaryBytes() const {
        return 28 * points + 12 * triangles + 24 * std::uint64_t{water.count} + 12 * waterTriangles;
    }
    // The whole file: its header, and the JSON and binary chunks with theirs.
    std::uint64_t fileBytes() const { return 12 + 8 + json.size() + 8 + binaryBytes(); }
};

// Writes the file `layout` describes: the map and options must be those it was made of.
void writeGlb(std::ostream& out, const TerrainMap& map, const GlbLayout& layout);
