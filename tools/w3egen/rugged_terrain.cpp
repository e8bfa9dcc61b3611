// The rugged terrain is made in passes over the grid: cliff layers first (terraces of a broad
// noise), then heights (hills, point noise and ramps, which need the neighbours' layers), then
// water (a level per basin cell), then tiles and flags (which need the water around them). The
// wet variant lowers the terraces into a sea with islands and opens more and larger lakes.
#include "rugged_terrain.h"

#include "shape_noise.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

constexpr int baseLayer = 2;
constexpr int worldPerLayer = 128;
constexpr int lakeLayers = 6; // lakes lie on the layers up to this one

// Tile set slots of the rugged default IDs; a map with fewer tile sets folds them together.
enum Tile { grass, dirt, rock, sand, mud, snow, leaves, flowers, gravel, moss, ash, paving };
constexpr int landPatches[] = {grass, dirt, leaves, flowers, gravel, moss, ash, paving, grass};

// How much of the ground lies low: the noise below which the ground steps down to the sea's
// layer and to the deep layer under it, and above which a lake's hollow opens.
struct Lowlands {
    double sea, deep, lake;
};
constexpr Lowlands dryLowlands{-0.30, -0.42, 0.3};
constexpr Lowlands wetLowlands{0.04, -0.20, 0.0};

struct Grid {
    int width, height;
    Lowlands low;
    std::vector<signed char> layer;
    std::vector<float> world; // the point's world height
    std::vector<float> water; // the water surface over it
    std::vector<char> wet;
    std::size_t at(int c, int r) const { return static_cast<std::size_t>(r) * width + c; }
    bool inside(int c, int r) const { return c >= 0 && r >= 0 && c < width && r < height; }
};

constexpr int neighbours[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// Terraces of a broad noise: most of the map on the base layer, mountains stepping up one
// layer every few hundredths of the noise, basins one and two layers down.
int layerAt(int c, int r, std::uint64_t seed, const Lowlands& low) {
    const double m = fractalNoise(c, r, 90.0, 3, seed ^ 0x1A7E5ull);
    if (m > 0.22) return std::min(10, baseLayer + 1 + static_cast<int>((m - 0.22) / 0.03));
    if (m < low.deep) return 0;
    if (m < low.sea) return 1;
    return baseLayer;
}

void makeLayers(Grid& g, std::uint64_t seed) {
    for (int r = 0; r < g.height; ++r)
        for (int c = 0; c < g.width; ++c)
            g.layer[g.at(c, r)] = static_cast<signed char>(layerAt(c, r, seed, g.low));
}

// Whether a ramp crosses the step at (c, r): in stretches along some cliff edges.
bool rampHere(int c, int r, std::uint64_t seed) {
    return valueNoise(c, r, 14.0, seed ^ 0x4A4Dull) > 0.62;
}

// Lakes: hollows in the ground of the lower layers, down to about 200 units deep.
double lakeDepth(int c, int r, int layer, std::uint64_t seed, const Lowlands& low) {
    if (layer > lakeLayers) return 0.0;
    const double lake = fractalNoise(c, r, 40.0, 2, seed ^ 0x1A4Eull);
    return lake > low.lake ? (lake - low.lake) * 900.0 : 0.0;
}

// Heights: the layer's step, broad swells, hills, lakes' hollows, and a few units of noise
// from point to point; a ramp point sits halfway up its step.
void makeHeights(Grid& g, std::uint64_t seed) {
    for (int r = 0; r < g.height; ++r) {
        for (int c = 0; c < g.width; ++c) {
            const int layer = g.layer[g.at(c, r)];
            double h = worldPerLayer * (layer - baseLayer);
            h += 70.0 * fractalNoise(c, r, 60.0, 2, seed ^ 0x5E11ull);
            h += 24.0 * fractalNoise(c, r, 9.0, 2, seed ^ 0x4111ull);
            if (layer > baseLayer) h += 90.0 * fractalNoise(c, r, 30.0, 2, seed ^ 0x3011ull) + 60.0;
            h -= lakeDepth(c, r, layer, seed, g.low);
            const std::uint64_t n = latticeHash(c, r, seed ^ 0x7175ull);
            h += static_cast<double>(n % 1201) / 100.0 - 6.0; // -6 to 6
            if (rampHere(c, r, seed)) {
                for (const auto& d : neighbours) {
                    if (!g.inside(c + d[0], r + d[1])) continue;
                    const int other = g.layer[g.at(c + d[0], r + d[1])];
                    if (other == layer + 1) h += worldPerLayer / 2.0;
                    if (other == layer - 1) h -= worldPerLayer / 2.0;
                }
            }
            g.world[g.at(c, r)] = static_cast<float>(h);
        }
    }
}

// Water: one level a layer, a little under the layer's plains, and one for the basins below the
// base layer (the sea); points of a basin or a lake's hollow under their level are wet.
void makeWater(Grid& g, std::uint64_t seed) {
    for (int r = 0; r < g.height; ++r) {
        for (int c = 0; c < g.width; ++c) {
            const int layer = g.layer[g.at(c, r)];
            const double level =
                worldPerLayer * (std::max(layer, baseLayer - 1) - baseLayer) - 30.0;
            const bool hollow = layer < baseLayer || lakeDepth(c, r, layer, seed, g.low) > 0.0;
            g.water[g.at(c, r)] = static_cast<float>(level);
            g.wet[g.at(c, r)] = hollow && g.world[g.at(c, r)] < level;
        }
    }
}

bool nearWater(const Grid& g, int c, int r, int reach) {
    for (int dr = -reach; dr <= reach; ++dr)
        for (int dc = -reach; dc <= reach; ++dc)
            if (g.inside(c + dc, r + dr) && g.wet[g.at(c + dc, r + dr)]) return true;
    return false;
}

bool cliffBeside(const Grid& g, int c, int r) {
    for (const auto& d : neighbours)
        if (g.inside(c + d[0], r + d[1]) &&
            g.layer[g.at(c + d[0], r + d[1])] != g.layer[g.at(c, r)])
            return true;
    return false;
}

// The ground tile of a dry or wet point: mud and gravel under water, sand on its shores, rock
// along cliffs, snow high up, and patches of the others elsewhere.
int tileAt(const Grid& g, int c, int r, std::uint64_t seed) {
    const std::size_t p = g.at(c, r);
    if (g.wet[p]) return g.water[p] - g.world[p] > 60.0f ? gravel : mud;
    if (nearWater(g, c, r, 2)) return sand;
    if (cliffBeside(g, c, r)) return rock;
    if (g.layer[p] >= 7) return snow;
    // Patches: the nearest of a jittered lattice of centres, 18 points apart.
    const double wx = c + 6.0 * valueNoise(c, r, 11.0, seed ^ 0x3A1ull);
    const double wz = r + 6.0 * valueNoise(c, r, 11.0, seed ^ 0x3A2ull);
    const std::uint64_t h =
        latticeHash(static_cast<std::int64_t>(std::floor(wx / 18.0)),
                    static_cast<std::int64_t>(std::floor(wz / 18.0)), seed ^ 0x7A7Cull);
    return landPatches[h % (sizeof landPatches / sizeof landPatches[0])];
}

} // namespace

void ruggedTerrain(W3eDocument& doc, const ShapeOptions& o) {
    Grid g{o.width, o.height, o.shape == Shape::wet ? wetLowlands : dryLowlands, {}, {}, {}, {}};
    const std::size_t points = static_cast<std::size_t>(o.width) * o.height;
    g.layer.resize(points);
    g.world.resize(points);
    g.water.resize(points);
    g.wet.resize(points);
    makeLayers(g, o.seed);
    makeHeights(g, o.seed);
    makeWater(g, o.seed);
    const int groundKinds = std::clamp(doc.groundTileSetCount, 1, 16);
    const int cliffKinds = std::clamp(doc.cliffTileSetCount, 1, 16);
    const int border = std::max(3, std::min(o.width, o.height) / 64);
    for (int r = 0; r < o.height; ++r) {
        for (int c = 0; c < o.width; ++c) {
            const std::size_t p = g.at(c, r);
            W3eTilePoint& t = doc.at(c, r);
            const int layer = g.layer[p];
            // Raw ground height: the world height less the layer's share, 4 raw units a unit.
            t.groundHeight = rawGroundHeight(
                std::round(4.0 * (g.world[p] + worldPerLayer * (baseLayer - layer))) / 4.0);
            // The stored level is 4 raw units a world unit from 8192, less 89.6, and counts
            // from layer 2 (256 world units up).
            const auto q = static_cast<int>(
                std::lround(g.water[p] - 256.0 + 89.6 + worldPerLayer * baseLayer));
            const bool edge =
                c < border || r < border || c >= o.width - border || r >= o.height - border;
            t.waterWord =
                static_cast<std::uint16_t>(((8192 + 4 * q) & 0x3FFF) | (edge ? 0x4000 : 0));
            int flags = 0;
            if (rampHere(c, r, o.seed) && cliffBeside(g, c, r)) flags |= 1;
            if (fractalNoise(c, r, 26.0, 2, o.seed ^ 0x7147ull) > 0.47) flags |= 2;
            if (g.wet[p]) flags |= 4;
            if (edge) flags |= 8;
            const int tile = tileAt(g, c, r, o.seed) % groundKinds;
            t.flagsAndTexture = static_cast<std::uint8_t>(flags << 4 | tile);
            const std::uint64_t n = latticeHash(c, r, o.seed ^ 0xDE7Aull);
            t.textureDetails = static_cast<std::uint8_t>(n >> 16);
            const int cliff = static_cast<int>(latticeHash(c / 64, r / 64, o.seed ^ 0xC11Full) %
                                               static_cast<unsigned>(cliffKinds));
            t.cliffAndLayer = static_cast<std::uint8_t>(cliff << 4 | layer);
        }
    }
}
