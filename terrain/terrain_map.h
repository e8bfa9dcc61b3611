// TerrainMap: the loaded terrain. Constructing one from a byte source is the whole load: it
// prints the header report, decodes every tile point and computes the vertex normals.
// Needs: standard C++ only, but for draw, which the render layer defines with OpenGL.
#pragma once

#include "terrain/byte_source.h"
#include "terrain/environment_header.h"
#include "terrain/height_blocks.h"
#include "terrain/point3.h"
#include "terrain/report_format.h"
#include "terrain/terrain_vertex.h"

#include <iostream>
#include <memory>
#include <string>
#include <vector>

struct ViewFrustum;

struct TerrainMap {
    // Always attached once the constructor returns. After a failed load it holds the fields
    // read up to the fault, and the grids are empty.
    std::unique_ptr<EnvironmentHeader> header;
    // Grids indexed [column][row], each column its own allocation of mapHeight elements, shared
    // with the maps sharingGrids() makes. A grid with no tile points (width or height 0) holds
    // no columns at all.
    std::vector<std::shared_ptr<TerrainVertex[]>> vertices;
    std::vector<std::shared_ptr<Point3[]>> normals;
    // Height ranges of blocks of quads, for culling whole blocks at once.
    HeightBlocks heightBlocks;
    // The lowest and the highest ground of all tile points (0 and 0 without any).
    float lowestHeight = 0.0f;
    float highestHeight = 0.0f;
    // Empty after a good load; otherwise what went wrong and where, naming the source.
    std::string loadError;
    // Set when the magic or the version is not an environment file's; the load goes on.
    std::string loadWarning;

    // Blocks of this many quads a side make heightBlocks.
    static constexpr int quadsPerHeightBlock = 16;

    // An empty map: a header of 0 by 0 tile points, read from nothing.
    TerrainMap() : header(std::make_unique<EnvironmentHeader>()) {}

    // Loads from `source` and writes the report to `report`; `name` is the report's last word
    // and starts every message. Never throws and never exits: failures end up in loadError.
    TerrainMap(const char* name, ByteSource& source, std::ostream& report,
               ReportText text = ReportText::asRead);

    // A map whose file could not be opened: the report says "shat", loadError says why.
    static TerrainMap unopened(const std::string& name, const std::string& reason,
                               std::ostream& report);

    bool loaded() const { return loadError.empty(); }

    // A map with this one's header and heights and the same grids, which stay alive as long as
    // either map holds them: what work on another thread reads while this map may be replaced.
    TerrainMap sharingGrids() const;

    // Fills normals from the positions of a grid of the given header's size.
    void computeNormals(const EnvironmentHeader& gridSize);

    // Draws the mesh with the quads that the frustum may see (needs a current GL context).
    void draw(ViewFrustum frustum) const;
};

// The viewer's one map. Defined by the viewer's entry file; a test that draws defines its own.
extern TerrainMap terrainMap;
