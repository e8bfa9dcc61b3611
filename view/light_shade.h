// How the fixed-function lighting shades a tile point: the scene's light (ambient 0.5,
// diffuse 0.25, at a position) and the default light model's ambient 0.2 on a material whose
// ambient and diffuse are the point's colour. Baked into textures for the coarser meshes, so
// that a coarse chunk keeps every tile point's shading.
// Needs: the terrain model's Point3; no OpenGL.
#pragma once

#include "terrain/point3.h"

#include <algorithm>
#include <cmath>

// The factor on a point's colour, at `at` with unit normal `normal`, lit by a positional light
// at `light` (x, y, z, w = 1).
inline float lightShade(const Point3& normal, const Point3& at, const float light[4]) {
    const float lx = light[0] - at.x, ly = light[1] - at.y, lz = light[2] - at.z;
    const float length = std::sqrt(lx * lx + ly * ly + lz * lz);
    const float facing =
        length > 0.0f ? (normal.x * lx + normal.y * ly + normal.z * lz) / length : 0.0f;
    return std::min(1.0f, 0.2f + 0.5f + 0.25f * std::max(0.0f, facing));
}
