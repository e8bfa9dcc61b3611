// Terrain shapes. Heights are in world units: raw ground height = 8192 + 4 * height with
// layer 0. The demo terrain uses integer hashing and plain arithmetic only, so a seed gives
// the same file everywhere.
#include "terrain_shapes.h"

#include "rugged_terrain.h"
#include "shape_noise.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int rawPerWorldUnit = 4;
constexpr int rawSeaLevel = 8192;
constexpr int worldPerLayer = 128;

bool rawGround(double worldHeight, std::int16_t& raw) {
    const double value = rawSeaLevel + rawPerWorldUnit * worldHeight;
    if (value < -32768.0 || value > 32767.0) return false;
    raw = static_cast<std::int16_t>(std::lround(value));
    return true;
}

double rollingHills(double x, double y, std::uint64_t seed) {
    return fractalNoise(x, y, 48.0, 4, seed);
}

// The cliff layer (0 to 3) of a point: broad plateaus.
int demoLayer(int c, int r, std::uint64_t seed) {
    const double plateau = valueNoise(c, r, 96.0, seed ^ 0xC1FFull); // [-1, 1]
    return std::clamp(static_cast<int>(std::floor((plateau + 0.6) * 2.5)), 0, 3);
}

// Rolling hills on cliff layers, lakes in the hollows, ramps along some cliff edges, patches
// of tinted ground and a boundary round the edge: something for every view to show.
void demoTerrain(W3eDocument& doc, const ShapeOptions& o) {
    const int groundKinds = std::clamp(doc.groundTileSetCount, 1, 16);
    const int cliffKinds = std::clamp(doc.cliffTileSetCount, 1, 16);
    const int border = 3;
    // Water stands at world height 30.4: the stored level is 4 raw units a world unit from
    // 8192, less 89.6, and counts from layer 2 (256 world units up).
    const int waterSteps = -136;
    const auto waterLevel = static_cast<std::uint16_t>(8192 + 4 * waterSteps);
    const double waterSurface = waterSteps - 89.6 + 256.0;
    for (int r = 0; r < o.height; ++r) {
        for (int c = 0; c < o.width; ++c) {
            const double hills = rollingHills(c, r, o.seed); // [-1, 1]
            const int layer = demoLayer(c, r, o.seed);
            const double ground = hills * 520.0 + 40.0 - layer * worldPerLayer * 0.5;
            const double height = ground + layer * worldPerLayer; // the point's world height
            W3eTilePoint& p = doc.at(c, r);
            rawGround(ground, p.groundHeight); // within range by construction
            const bool edge =
                c < border || r < border || c >= o.width - border || r >= o.height - border;
            p.waterWord = static_cast<std::uint16_t>(waterLevel | (edge ? 0x4000 : 0));

            bool cliffEdge = false; // another layer within two points
            for (const auto& [dc, dr] : {std::pair{2, 0}, {-2, 0}, {0, 2}, {0, -2}})
                cliffEdge = cliffEdge || demoLayer(c + dc, r + dr, o.seed) != layer;
            int flags = 0;
            if (cliffEdge && valueNoise(c, r, 24.0, o.seed ^ 0x4A11ull) > 0.2) flags |= 1; // ramp
            if (valueNoise(c, r, 40.0, o.seed ^ 0xB119ull) > 0.6) flags |= 2;              // tinted
            if (height < waterSurface) flags |= 4;                                         // water
            if (edge) flags |= 8; // boundary
            const int band =
                std::clamp(static_cast<int>((hills + 1.0) * 0.5 * groundKinds), 0, groundKinds - 1);
            // Under the water, the fourth tile set where there is one.
            const int texture = flags & 4 ? std::min(3, groundKinds - 1) : band;
            p.flagsAndTexture = static_cast<std::uint8_t>(flags << 4 | texture);
            const std::uint64_t noise = mix(
                o.seed ^ mix(static_cast<std::uint64_t>(r) << 32 | static_cast<std::uint32_t>(c)));
            p.textureDetails = static_cast<std::uint8_t>(noise >> 16);
            const int cliff = static_cast<int>((noise >> 24) % static_cast<unsigned>(cliffKinds));
            p.cliffAndLayer = static_cast<std::uint8_t>(cliff << 4 | layer);
        }
    }
}

} // namespace

void useDefaultTileSets(W3eDocument& doc, Shape shape) {
    if (shape == Shape::rugged || shape == Shape::wet) {
        doc.tileSet = 'Q';
        doc.setGroundIds({"Qgra", "Qdir", "Qrok", "Qsan", "Qmud", "Qsno", "Qlea", "Qflo", "Qgrv",
                          "Qmos", "Qash", "Qpav"});
        doc.setCliffIds({"Qcl1", "Qcl2", "Qcl3"});
        return;
    }
    doc.setGroundIds({"Vmos", "Vash", "Vpeb", "Vsil"});
    doc.setCliffIds({"Vcl1", "Vcl2"});
}

bool writeDemoMap(const std::string& path, int width, int height, std::string& error, Shape shape) {
    W3eDocument doc;
    useDefaultTileSets(doc, shape);
    ShapeOptions options;
    options.shape = shape;
    options.width = width;
    options.height = height;
    return shapeTerrain(doc, options, error) && writeBytes(path, doc.bytes(), error);
}

namespace {

const struct {
    const char* name;
    Shape shape;
} shapeNames[] = {{"demo", Shape::demo},
                  {"rugged", Shape::rugged},
                  {"wet", Shape::wet},
                  {"flat", Shape::flat},
                  {"ramp-columns", Shape::rampColumns},
                  {"ramp-rows", Shape::rampRows},
                  {"bump", Shape::bump}};

} // namespace

bool parseShape(const std::string& name, Shape& shape) {
    for (const auto& n : shapeNames) {
        if (name == n.name) {
            shape = n.shape;
            return true;
        }
    }
    return false;
}

const char* nameOf(Shape shape) {
    for (const auto& n : shapeNames)
        if (n.shape == shape) return n.name;
    return "";
}

bool shapeTerrain(W3eDocument& doc, const ShapeOptions& o, std::string& error) {
    doc.resize(o.width, o.height);
    if (o.shape == Shape::demo) {
        demoTerrain(doc, o);
        return true;
    }
    if (o.shape == Shape::rugged || o.shape == Shape::wet) {
        ruggedTerrain(doc, o);
        return true;
    }
    for (int r = 0; r < o.height; ++r) {
        for (int c = 0; c < o.width; ++c) {
            double height = o.level;
            if (o.shape == Shape::rampColumns) height += static_cast<double>(o.step) * c;
            if (o.shape == Shape::rampRows) height += static_cast<double>(o.step) * r;
            if (o.shape == Shape::bump && c == o.width / 2 && r == o.height / 2) height += o.step;
            if (!rawGround(height, doc.at(c, r).groundHeight)) {
                error = "height " + std::to_string(height) + " at column " + std::to_string(c) +
                        ", row " + std::to_string(r) +
                        " does not fit the file's ground height (world heights -10240 to 6143)";
                return false;
            }
        }
    }
    return true;
}
