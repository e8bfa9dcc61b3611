// Fuzz target for the load: any bytes as a map file, loaded from memory through the same
// checks as a file. Beyond the sanitizers' findings, a load that succeeds must leave grids of
// the header's size with unit normals pointing up.
#include "terrain/terrain_map.h"

#include <cmath>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::ostream discard(nullptr);
    MemorySource source(data, size);
    TerrainMap map("fuzz.w3e", source, discard);
    check(map.header != nullptr);
    if (!map.loaded()) {
        check(map.vertices.empty() && map.normals.empty());
        return 0;
    }
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    check(width >= 0 && height >= 0);
    if (width == 0 || height == 0) {
        check(map.vertices.empty());
        return 0;
    }
    check(map.vertices.size() == static_cast<std::size_t>(width));
    check(map.normals.size() == static_cast<std::size_t>(width));
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            const Point3 n = map.normals[c][r];
            check(n.y > 0.0f &&
                  std::fabs(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) - 1) < 1e-5f);
            check(map.vertices[c][r].position.x == 128.0f * c);
        }
    }
    return 0;
}
