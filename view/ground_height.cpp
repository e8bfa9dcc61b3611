// The ground height under the camera, bilinear over the four tile points around it.
#include "view/ground_height.h"

#include <algorithm>

float groundHeightUnder(const TerrainMap& map, float x, float z) {
    const int width = static_cast<int>(map.vertices.size());
    if (width == 0) return 0.0f;
    const int height = map.header->mapHeight;

    const float u = x * 0.0078125f;  // columns
    const float v = z * -0.0078125f; // rows
    // The key limits keep the camera over the grid; anywhere else samples the nearest edge.
    // The range is tested before the conversion, which is undefined for floats past an int.
    int c0 = u >= 0.0f ? width - 1 : 0, r0 = v >= 0.0f ? height - 1 : 0;
    float fx = 0.0f, fz = 0.0f;
    // Past the last column or row (within its last unit) the edge's height holds: there is no
    // point beyond it to lean towards.
    if (u >= 0.0f && u < static_cast<float>(width - 1)) {
        c0 = static_cast<int>(u);
        fx = u - static_cast<float>(c0);
    }
    if (v >= 0.0f && v < static_cast<float>(height - 1)) {
        r0 = static_cast<int>(v);
        fz = v - static_cast<float>(r0);
    }
    const int c1 = std::min(c0 + 1, width - 1);
    const int r1 = std::min(r0 + 1, height - 1);

    const auto y = [&](int c, int r) { return map.vertices[c][r].position.y; };
    return (1.0f - fx - fz + fx * fz) * y(c0, r0) + (fx - fx * fz) * y(c1, r0) +
           (fz - fx * fz) * y(c0, r1) + fx * fz * y(c1, r1);
}
