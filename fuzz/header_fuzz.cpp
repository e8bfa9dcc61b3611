// Format-aware fuzz target: the header is built field by field, each count, dimension and
// offset drawn with a bias towards the edges of its type (field_edges.h), and the tile points
// come from the rest of the input. Byte mutation alone seldom lands a field on such a value;
// here they come up in seconds. Each load is then walked as the viewer walks it: the terrain
// strips, the block culling and the ground height under points on and off the grid.
#include "field_edges.h"
#include "view/ground_height.h"
#include "terrain/terrain_map.h"
#include "terrain_walk.h"
#include "w3e_document.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

std::int32_t field(FuzzedDataProvider& in) {
    const std::vector<std::int32_t>& edges = fieldEdges();
    if (in.ConsumeBool()) return edges[in.ConsumeIntegralInRange<std::size_t>(0, edges.size() - 1)];
    return in.ConsumeIntegral<std::int32_t>();
}

float offset(FuzzedDataProvider& in) {
    static const float edges[] = {0.0f,
                                  -0.0f,
                                  1e-45f,
                                  3.4e38f,
                                  -6144.0f,
                                  std::numeric_limits<float>::infinity(),
                                  std::numeric_limits<float>::quiet_NaN()};
    return in.ConsumeBool() ? in.PickValueInArray(edges) : in.ConsumeFloatingPoint<float>();
}

std::string ids(FuzzedDataProvider& in, std::int32_t count) {
    // Up to as many bytes as the count asks for, often fewer: a file cut inside its IDs.
    const std::size_t wanted = count > 0 ? 4 * static_cast<std::size_t>(count) : 0;
    return in.ConsumeBytesAsString(
        in.ConsumeIntegralInRange<std::size_t>(0, std::min<std::size_t>(wanted, 64)));
}

struct Counter {
    long calls = 0;
    void begin() { ++calls; }
    void end() { ++calls; }
    void color(float, float, float) { ++calls; }
    void normal(const Point3&) { ++calls; }
    void vertex(const Point3&) { ++calls; }
};

// What the viewer does with a loaded map, on grids small enough to walk in a moment.
void walk(const TerrainMap& map, FuzzedDataProvider& in) {
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    ViewFrustum everywhere;
    for (auto& p : everywhere.planes) p[3] = 1.0f;
    if (static_cast<long long>(width) * height <= 1 << 16) {
        Counter plain, blocks;
        emitTerrain(map, everywhere, nullptr, plain);
        emitTerrain(map, everywhere, &map.heightBlocks, blocks);
        check(plain.calls == blocks.calls);
    }
    for (int i = 0; i < 4; ++i) {
        const float h = groundHeightUnder(map, in.ConsumeFloatingPoint<float>(),
                                          in.ConsumeFloatingPoint<float>());
        check(!std::isnan(h) || width == 0 || height == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    W3eDocument doc;
    if (in.ConsumeBool()) doc.magic = in.ConsumeBytesAsString(4);
    if (in.ConsumeBool()) doc.version = field(in);
    doc.tileSet = in.ConsumeIntegral<char>();
    doc.customTileSet = field(in);
    doc.groundTileSetCount = field(in);
    doc.groundTileSetIds = ids(in, doc.groundTileSetCount);
    doc.cliffTileSetCount = field(in);
    doc.cliffTileSetIds = ids(in, doc.cliffTileSetCount);
    doc.mapWidth = field(in);
    doc.mapHeight = field(in);
    doc.xOffset = offset(in);
    doc.zOffset = offset(in);
    std::vector<unsigned char> bytes = doc.bytes();
    const std::vector<unsigned char> points = in.ConsumeRemainingBytes<unsigned char>();
    bytes.insert(bytes.end(), points.begin(), points.end());

    std::ostream discard(nullptr);
    MemorySource source(bytes.data(), bytes.size());
    const TerrainMap map("header_fuzz.w3e", source, discard);
    check(map.header != nullptr);
    if (!map.loaded()) {
        check(map.vertices.empty() && map.normals.empty() && map.heightBlocks.columns == 0);
        return 0;
    }
    const EnvironmentHeader& h = *map.header;
    const std::int32_t width = h.mapWidth, height = h.mapHeight;
    check(width >= 0 && height >= 0 && h.groundTileSetCount >= 0 && h.cliffTileSetCount >= 0);
    check(map.vertices.size() == (width > 0 && height > 0 ? static_cast<std::size_t>(width) : 0));
    // The header ends where the loader's counts say, which is not where the document's ends
    // when its IDs are shorter than its counts: the loader then takes the IDs from the bytes
    // after them.
    const std::uint64_t headerBytes = 37 + 4 * static_cast<std::uint64_t>(h.groundTileSetCount) +
                                      4 * static_cast<std::uint64_t>(h.cliffTileSetCount);
    check(headerBytes <= bytes.size());
    check(static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 7 <=
          bytes.size() - headerBytes);
    walk(map, in);
    return 0;
}
