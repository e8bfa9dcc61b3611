// TerrainMap: the loaded terrain. Constructing one from a file name is the whole load:
// it prints the header report, decodes every tile point and computes the vertex normals.
// Needs: standard C++ only.
#pragma once

#include "terrain/environment_header.h"
#include "terrain/height_blocks.h"
#include "terrain/point3.h"
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
    // Grids indexed [column][row], each column its own allocation of mapHeight elements.
    // A grid with no tile points (width or height 0) holds no columns at all.
    std::vector<std::unique_ptr<TerrainVertex[]>> vertices;
    std::vector<std::unique_ptr<Point3[]>> normals;
    // Height ranges of blocks of quads, for culling whole blocks at once.
    HeightBlocks heightBlocks;
    // Empty after a good load; otherwise what went wrong and where, naming the file.
    std::string loadError;

    // Blocks of this many quads a side make heightBlocks.
    static constexpr int quadsPerHeightBlock = 16;

    // An empty map: a header of 0 by 0 tile points, read from no file.
    TerrainMap() : header(std::make_unique<EnvironmentHeader>()) {}

    // Loads fileName and writes the report to `report`. Never throws and never exits:
    // failures end up in loadError.
    explicit TerrainMap(const char* fileName, std::ostream& report = std::cout);

    bool loaded() const { return loadError.empty(); }

    // Fills normals from the positions of a grid of the given header's size.
    void computeNormals(const EnvironmentHeader& gridSize);

    // Draws the mesh with the quads that the frustum may see (needs a current GL context).
    void draw(ViewFrustum frustum) const;
};

// The viewer's one map, loaded from war3map.w3e in the working directory while the program
// starts. Defined by the viewer's entry file; a test that draws defines its own.
extern TerrainMap terrainMap;
