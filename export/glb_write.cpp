// The file: a 12-byte header, the JSON chunk (padded with blanks to 4 bytes) and the binary
// chunk: the ground's vertices (position, normal and colour interleaved, as GPUs read them
// best), its indices, then the water's vertices and indices, each part a multiple of 4 bytes.
// The JSON is made first, from the layout; the binary parts are then streamed a column at a
// time.
#include "export/glb_write.h"

#include "terrain/whole_file.h"
#include "zuvaro_version.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint32_t arrayBuffer = 34962, elementArrayBuffer = 34963;
constexpr std::uint32_t floatType = 5126, unsignedByteType = 5121, unsignedIntType = 5125;

// 32-bit numbers in little-endian order, written out a megabyte at a time. Each column is made
// in typed arrays first and copied in at once, since stores through bytes would alias every
// value the loops read.
struct ByteRun {
    std::ostream& out;
    std::vector<unsigned char> data;
    std::size_t used = 0;

    unsigned char* room(std::size_t bytes) {
        if (data.size() < used + bytes) data.resize(std::max(2 * data.size(), used + bytes));
        unsigned char* at = data.data() + used;
        used += bytes;
        return at;
    }
    template <typename Four> // float or std::uint32_t
    void put(const Four* values, std::size_t count) {
        static_assert(sizeof(Four) == 4);
        unsigned char* at = room(4 * count);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        std::memcpy(at, values, 4 * count);
#else
        for (std::size_t n = 0; n < count; ++n, at += 4) {
            std::uint32_t v = 0;
            std::memcpy(&v, &values[n], 4);
            for (int k = 0; k < 4; ++k) at[k] = static_cast<unsigned char>(v >> (8 * k));
        }
#endif
    }
    void u32(std::uint32_t v) {
        put(&v, 1);
    }
    void flush() {
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(used));
        used = 0;
    }
    void spill() {
        if (used >= writeChunk) flush();
    }
};

// A point in glTF's axes: x east, y up, z south.
void gltfPoint(const MeshPlace& place, int column, int row, float height, float out[3]) {
    out[0] = place.east(column);
    out[1] = place.up(height);
    out[2] = -place.north(row);
}

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
std::string quoted(const std::string& text) {
    std::string q = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            q += '\\';
            q += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            q += escaped;
        } else {
            q += static_cast<char>(c);
        }
    }
    return q + "\"";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string triple(const float v[3]) {
    return "[" + number(v[0]) + "," + number(v[1]) + "," + number(v[2]) + "]";
}

// The buffer views, laid end to end in the binary chunk, and the accessors that read them.
struct Views {
    std::string accessors, views;
    std::uint64_t offset = 0;
    int viewCount = 0, accessorCount = 0;

    // A view of `bytes`; `stride` for one whose vertices' attributes are interleaved.
    int view(std::uint64_t bytes, std::uint32_t target, int stride = 0) {
        views += (viewCount > 0 ? "," : "") + std::string("{\"buffer\":0,\"byteOffset\":") +
                 std::to_string(offset) + ",\"byteLength\":" + std::to_string(bytes) +
                 (stride > 0 ? ",\"byteStride\":" + std::to_string(stride) : "") +
                 ",\"target\":" + std::to_string(target) + "}";
        offset += bytes;
        return viewCount++;
    }
    int accessor(int view, int byteOffset, std::uint32_t component, bool normalized,
                 std::uint64_t elements, const char* type,
                 const GlbLayout::Bounds* bounds = nullptr) {
        accessors += (accessorCount > 0 ? "," : "") + std::string("{\"bufferView\":") +
                     std::to_string(view) + ",\"byteOffset\":" + std::to_string(byteOffset) +
                     ",\"componentType\":" + std::to_string(component) +
                     (normalized ? ",\"normalized\":true" : "") +
                     ",\"count\":" + std::to_string(elements) + ",\"type\":\"" + type + "\"";
        if (bounds)
            accessors += ",\"min\":" + triple(bounds->low) + ",\"max\":" + triple(bounds->high);
        accessors += "}";
        return accessorCount++;
    }
};

std::string primitive(int position, int normal, int colour, int indices, int material) {
    return "{\"attributes\":{\"POSITION\":" + std::to_string(position) +
           ",\"NORMAL\":" + std::to_string(normal) +
           (colour >= 0 ? ",\"COLOR_0\":" + std::to_string(colour) : "") +
           "},\"indices\":" + std::to_string(indices) +
           ",\"material\":" + std::to_string(material) + "}";
}

// The ground's material, and the water's where the mesh has water (a material nothing uses would
// be declared for nothing).
std::string materials(bool withWater) {
    const std::string ground =
        "{\"name\":\"ground\",\"pbrMetallicRoughness\":{\"metallicFactor\":0,"
        "\"roughnessFactor\":1}}";
    if (!withWater) return "[" + ground + "]";
    const float water[3] = {linearOf(waterColour[0]), linearOf(waterColour[1]),
                            linearOf(waterColour[2])};
    return "[" + ground +
           ",{\"name\":\"water\",\"alphaMode\":\"BLEND\",\"doubleSided\":true,"
           "\"pbrMetallicRoughness\":{\"baseColorFactor\":[" +
           number(water[0]) + "," + number(water[1]) + "," + number(water[2]) + "," +
           number(waterColour[3]) + "],\"metallicFactor\":0,\"roughnessFactor\":0.2}}]";
}

std::string jsonOf(const GlbLayout& l) {
    Views v;
    const std::uint64_t n = l.points, w = l.water.count;
    // A ground vertex: its position, normal and colour, 28 bytes; a water vertex: 24.
    const int vertices = v.view(28 * n, arrayBuffer, 28);
    const int position = v.accessor(vertices, 0, floatType, false, n, "VEC3", &l.ground);
    const int normal = v.accessor(vertices, 12, floatType, false, n, "VEC3");
    const int colour = v.accessor(vertices, 24, unsignedByteType, true, n, "VEC4");
    const int indices = v.accessor(v.view(12 * l.triangles, elementArrayBuffer), 0, unsignedIntType,
                                   false, 3 * l.triangles, "SCALAR");
    const std::string name = quoted(l.options.name.empty() ? "terrain" : l.options.name);
    std::string meshes = "{\"name\":\"ground\",\"primitives\":[" +
                         primitive(position, normal, colour, indices, 0) + "]}";
    std::string nodes = "{\"name\":" + name + ",\"mesh\":0";
    if (w > 0) {
        const int surface = v.view(24 * w, arrayBuffer, 24);
        const int wp = v.accessor(surface, 0, floatType, false, w, "VEC3", &l.surface);
        const int wn = v.accessor(surface, 12, floatType, false, w, "VEC3");
        const int wi = v.accessor(v.view(12 * l.waterTriangles, elementArrayBuffer), 0,
                                  unsignedIntType, false, 3 * l.waterTriangles, "SCALAR");
        meshes += ",{\"name\":\"water\",\"primitives\":[" + primitive(wp, wn, -1, wi, 1) + "]}";
        nodes += ",\"children\":[1]},{\"name\":\"water\",\"mesh\":1";
    }
    std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Zuvaro " ZUVARO_VERSION
                       "\"},\"scene\":0,\"scenes\":[{\"name\":" +
                       name + ",\"nodes\":[0]}],\"nodes\":[" + nodes + "}],\"meshes\":[" + meshes +
                       "],\"materials\":" + materials(w > 0) +
                       ",\"buffers\":[{\"byteLength\":" + std::to_string(l.binaryBytes()) +
                       "}],\"bufferViews\":[" + v.views + "],\"accessors\":[" + v.accessors + "]}";
    json.append((4 - json.size() % 4) % 4, ' ');
    return json;
}

// The quads' triangles, each corner numbered by `number` from the grid's point numbers.
template <typename Number>
void writeTriangles(ByteRun& bin, const MeshGrid& g, const std::vector<unsigned char>* only,
                    Number number) {
    const std::size_t across = g.columns.size() - 1;
    std::vector<std::uint32_t> column(6 * (g.rows.size() - 1));
    for (std::size_t i = 0; i < across; ++i, bin.spill()) {
        std::uint32_t* next = column.data();
        for (std::size_t j = 0; j + 1 < g.rows.size(); ++j) {
            if (only && !(*only)[j * across + i]) continue;
            const std::uint32_t corner[4] = {number(g.index(i, j)), number(g.index(i + 1, j)),
                                             number(g.index(i, j + 1)),
                                             number(g.index(i + 1, j + 1))};
            for (const auto& t : quadTriangles)
                for (const int k : t) *next++ = corner[k];
        }
        bin.put(column.data(), static_cast<std::size_t>(next - column.data()));
    }
}

// What a tile point's colour becomes in the file: glTF's linear bytes, through a table of the
// 256 sRGB steps; in the ground tiles view a table of the 16 ground tiles.
struct LinearColours {
    MeshColours colours;
    unsigned char linear[256];
    std::uint32_t tiles[16]; // red in the low byte: the file's byte order once written

    explicit LinearColours(const MeshColours& c) : colours(c) {
        for (int k = 0; k < 256; ++k)
            linear[k] = static_cast<unsigned char>(std::lround(linearOf(k / 255.0f) * 255.0f));
        for (int t = 0; t < 16; ++t) {
            TerrainVertex v;
            v.groundTexture = static_cast<std::int16_t>(t);
            tiles[t] = packed(colours.colourOf(v));
        }
    }
    std::uint32_t packed(const Rgb& c) const {
        const auto step = [&](float srgb) -> std::uint32_t {
            return linear[std::clamp(static_cast<int>(srgb * 255.0f + 0.5f), 0, 255)];
        };
        return step(c.r) | step(c.g) << 8 | step(c.b) << 16 | 255u << 24;
    }
    std::uint32_t of(const TerrainVertex& v) const {
        if (!colours.plain && colours.colouring.view == TerrainView::groundTiles)
            return tiles[v.groundTexture & 15];
        return packed(colours.colourOf(v));
    }
};

// The grid's vertices (position, normal and colour each) and its triangles' indices; a column
// at a time, as the map keeps its points, in one pass over them.
void writeGround(ByteRun& bin, const TerrainMap& map, const GlbLayout& l) {
    const MeshGrid& g = l.grid;
    const std::size_t down = g.rows.size();
    const LinearColours colours(MeshColours::of(map, l.options.view, l.options.palette));
    std::vector<std::uint32_t> column(7 * down); // a vertex: 6 floats' bits, then its colour
    std::vector<float> south(down);
    for (std::size_t j = 0; j < down; ++j) south[j] = -l.place.north(g.rows[j]);
    for (std::size_t i = 0; i < g.columns.size(); ++i, bin.spill()) {
        const std::size_t c = static_cast<std::size_t>(g.columns[i]);
        const TerrainVertex* vertex = map.vertices[c].get();
        const Point3* normal = map.normals[c].get(); // of length 1; the world's z is south too
        const float x = l.place.east(g.columns[i]);
        for (std::size_t j = 0; j < down; ++j) {
            const int r = g.rows[j];
            const float v[6] = {x,           l.place.up(vertex[r].position.y),
                                south[j],    normal[r].x,
                                normal[r].y, normal[r].z};
            std::memcpy(&column[7 * j], v, sizeof v);
            column[7 * j + 6] = colours.of(vertex[r]);
        }
        bin.put(column.data(), column.size());
    }
    writeTriangles(bin, g, nullptr, [](std::uint32_t point) { return point; });
}

// The water's surface over the wet quads, its points numbered as WaterPoints numbers them:
// each its position, then the normal straight up.
void writeWater(ByteRun& bin, const TerrainMap& map, const GlbLayout& l) {
    const MeshGrid& g = l.grid;
    float p[6] = {0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f};
    for (std::size_t i = 0; i < g.columns.size(); ++i, bin.spill())
        for (std::size_t j = 0; j < g.rows.size(); ++j) {
            if (l.water.number[g.index(i, j)] == WaterPoints::none) continue;
            gltfPoint(l.place, g.columns[i], g.rows[j], waterSurfaceHeight(g.vertex(map, i, j)), p);
            bin.put(p, 6);
        }
    writeTriangles(bin, g, &l.wet, [&](std::uint32_t point) { return l.water.number[point]; });
}

} // namespace

GlbLayout::Bounds::Bounds() {
    std::fill(low, low + 3, std::numeric_limits<float>::infinity());
    std::fill(high, high + 3, -std::numeric_limits<float>::infinity());
}

void GlbLayout::Bounds::add(const float p[3]) {
    for (int k = 0; k < 3; ++k) {
        low[k] = std::min(low[k], p[k]);
        high[k] = std::max(high[k], p[k]);
    }
}

GlbLayout GlbLayout::of(const TerrainMap& map, const MeshOptions& options) {
    GlbLayout l;
    l.options = options;
    l.problem = meshProblem(map, options);
    if (!l.problem.empty()) return l;
    l.grid = MeshGrid::of(*map.header, options.step);
    l.place = MeshPlace::of(*map.header, options.scale);
    l.wet = wetQuads(map, l.grid, options.view);
    l.water = WaterPoints::of(l.grid, l.wet);
    l.points = l.grid.points();
    l.triangles = 2 * std::uint64_t{l.grid.quads()};
    for (const unsigned char w : l.wet) l.waterTriangles += 2 * w;
    // x and z run from the first column and row to the last; heights are looked for.
    float corner[3];
    for (const std::size_t i : {std::size_t{0}, l.grid.columns.size() - 1})
        for (const std::size_t j : {std::size_t{0}, l.grid.rows.size() - 1}) {
            gltfPoint(l.place, l.grid.columns[i], l.grid.rows[j], 0.0f, corner);
            l.ground.add(corner);
        }
    float low = map.lowestHeight, high = map.highestHeight; // where every point is kept
    if (l.points < static_cast<std::uint64_t>(map.header->mapWidth) * map.header->mapHeight) {
        low = std::numeric_limits<float>::infinity(), high = -low;
        for (std::size_t i = 0; i < l.grid.columns.size(); ++i)
            for (std::size_t j = 0; j < l.grid.rows.size(); ++j) {
                const float y = l.grid.vertex(map, i, j).position.y;
                low = std::min(low, y);
                high = std::max(high, y);
            }
    }
    l.ground.low[1] = l.place.up(low);
    l.ground.high[1] = l.place.up(high);
    float p[3];
    for (std::size_t i = 0; i < l.grid.columns.size() && l.water.count > 0; ++i)
        for (std::size_t j = 0; j < l.grid.rows.size(); ++j) {
            if (l.water.number[l.grid.index(i, j)] == WaterPoints::none) continue;
            gltfPoint(l.place, l.grid.columns[i], l.grid.rows[j],
                      waterSurfaceHeight(l.grid.vertex(map, i, j)), p);
            l.surface.add(p);
        }
    l.json = jsonOf(l);
    if (l.fileBytes() > 0xFFFFFFFFu)
        l.problem =
            "the map is too large for a .glb (4 GiB at most): keep fewer points with --step";
    return l;
}

void writeGlb(std::ostream& out, const TerrainMap& map, const GlbLayout& l) {
    ByteRun bin{out, {}};
    bin.u32(0x46546C67); // "glTF"
    bin.u32(2);
    bin.u32(static_cast<std::uint32_t>(l.fileBytes()));
    bin.u32(static_cast<std::uint32_t>(l.json.size()));
    bin.u32(0x4E4F534A); // "JSON"
    bin.flush();
    out.write(l.json.data(), static_cast<std::streamsize>(l.json.size()));
    bin.u32(static_cast<std::uint32_t>(l.binaryBytes()));
    bin.u32(0x004E4942); // "BIN"
    writeGround(bin, map, l);
    if (l.water.count > 0) writeWater(bin, map, l);
    bin.flush();
}
