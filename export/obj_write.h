// The terrain as Wavefront OBJ text with its MTL materials beside it: the kept tile points
// with their colours in the view (the common "v x y z r g b" extension, as sRGB), their
// normals and the surface's triangles, in an object named after the map with the material
// "ground"; where the view shows water, a second object "water" with a translucent material.
// Axes as glTF's: x east, y up, z south, in world units times the scale. Written as it is made.
// Needs: the mesh grid.
#pragma once

#include "export/mesh_grid.h"

#include <ostream>
#include <string>

// `materials` is the MTL file's name as the OBJ names it (beside it).
void writeObj(std::ostream& out, const TerrainMap& map, const MeshOptions& options,
              const std::string& materials);

void writeMtl(std::ostream& out);
