// The terrain as a closed solid in binary STL, for printing: its surface, walls down its four
// edges, and a flat base `base` below the lowest ground (a tenth of the map's longer side when
// not given). Axes as printers take them: x east, y north, z up, in world units times the
// scale. Facets face outwards and every edge belongs to exactly two of them: one part, no
// open edges. Written as it is made.
// Needs: the mesh grid.
#pragma once

#include "export/mesh_grid.h"

#include <cstdint>
#include <ostream>
#include <string>

// Why the map cannot be written as a solid with these options, or empty.
std::string stlProblem(const TerrainMap& map, const MeshOptions& options);

// The file's size: its 84 bytes of header and count, and 50 a facet.
std::uint64_t stlBytes(const TerrainMap& map, const MeshOptions& options);

void writeStl(std::ostream& out, const TerrainMap& map, const MeshOptions& options);
