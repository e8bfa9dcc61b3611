// The base is a fan of triangles from its middle to each edge segment of the walls' feet, so
// that it shares every one of their edges.
#include "export/stl_write.h"

#include "terrain/map_extent.h"
#include "terrain/whole_file.h"
#include "zuvaro_version.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct Vertex {
    float x, y, z;
};

// Facets of 50 bytes, written out once there are enough of them.
struct FacetRun {
    std::ostream& out;
    std::vector<unsigned char> data;

    static unsigned char* put(unsigned char* at, float f) {
        std::uint32_t v = 0;
        std::memcpy(&v, &f, sizeof v);
        for (int k = 0; k < 4; ++k) *at++ = static_cast<unsigned char>(v >> (8 * k));
        return at;
    }
    void facet(const Vertex& a, const Vertex& b, const Vertex& c) {
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        double n[3] = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double& k : n) k = length > 0.0 ? k / length : 0.0;
        unsigned char bytes[50] = {}; // the normal, the corners, and two bytes of nothing
        unsigned char* at = bytes;
        for (const double k : n) at = put(at, static_cast<float>(k));
        for (const Vertex* v : {&a, &b, &c})
            for (const float f : {v->x, v->y, v->z}) at = put(at, f);
        data.insert(data.end(), bytes, bytes + sizeof bytes);
        if (data.size() >= writeChunk) flush();
    }
    void flush() {
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
        data.clear();
    }
};

struct Solid {
    MeshGrid grid;
    MeshPlace place;
    float floor = 0.0f; // the base's height, scaled

    static Solid of(const TerrainMap& map, const MeshOptions& options) {
        Solid s{MeshGrid::of(*map.header, options.step), MeshPlace::of(*map.header, options.scale),
                0.0f};
        const MapExtent extent = MapExtent::of(*map.header);
        const double base =
            options.base > 0.0 ? options.base : 0.1 * std::max<double>(extent.xEnd, -extent.zEnd);
        s.floor = static_cast<float>((map.lowestHeight - base) * options.scale);
        return s;
    }
    Vertex top(const TerrainMap& map, std::size_t i, std::size_t j) const {
        return {place.east(grid.columns[i]), place.north(grid.rows[j]),
                place.up(grid.vertex(map, i, j).position.y)};
    }
    Vertex foot(std::size_t i, std::size_t j) const {
        return {place.east(grid.columns[i]), place.north(grid.rows[j]), floor};
    }
    std::uint64_t edgeSegments() const {
        return 2 * (grid.columns.size() - 1) + 2 * (grid.rows.size() - 1);
    }
    std::uint64_t facets() const { return 2 * std::uint64_t{grid.quads()} + 3 * edgeSegments(); }
};

// The grid's edge points in order round it, counter-clockwise seen from above: east along the
// south edge, north along the east edge, west along the north edge, south along the west edge.
std::vector<std::pair<std::size_t, std::size_t>> edgeLoop(const MeshGrid& g) {
    const std::size_t last = g.columns.size() - 1, top = g.rows.size() - 1;
    std::vector<std::pair<std::size_t, std::size_t>> loop;
    for (std::size_t i = 0; i < last; ++i) loop.emplace_back(i, 0);
    for (std::size_t j = 0; j < top; ++j) loop.emplace_back(last, j);
    for (std::size_t i = last; i > 0; --i) loop.emplace_back(i, top);
    for (std::size_t j = top; j > 0; --j) loop.emplace_back(0, j);
    return loop;
}

void writeSurface(FacetRun& run, const TerrainMap& map, const Solid& s) {
    const MeshGrid& g = s.grid;
    for (std::size_t i = 0; i + 1 < g.columns.size(); ++i)
        for (std::size_t j = 0; j + 1 < g.rows.size(); ++j) {
            const Vertex corner[4] = {s.top(map, i, j), s.top(map, i + 1, j), s.top(map, i, j + 1),
                                      s.top(map, i + 1, j + 1)};
            for (const auto& t : quadTriangles) run.facet(corner[t[0]], corner[t[1]], corner[t[2]]);
        }
}

// Each edge segment a to b of the loop: its wall, facing out, and the base's triangle under it.
void writeWallsAndBase(FacetRun& run, const TerrainMap& map, const Solid& s) {
    const auto loop = edgeLoop(s.grid);
    const Vertex middle{
        0.5f * (s.place.east(s.grid.columns.front()) + s.place.east(s.grid.columns.back())),
        0.5f * (s.place.north(s.grid.rows.front()) + s.place.north(s.grid.rows.back())), s.floor};
    for (std::size_t k = 0; k < loop.size(); ++k) {
        const auto [ai, aj] = loop[k];
        const auto [bi, bj] = loop[(k + 1) % loop.size()];
        const Vertex a = s.top(map, ai, aj), b = s.top(map, bi, bj);
        const Vertex aFoot = s.foot(ai, aj), bFoot = s.foot(bi, bj);
        run.facet(b, a, aFoot);
        run.facet(b, aFoot, bFoot);
        run.facet(middle, bFoot, aFoot);
    }
}

} // namespace

std::string stlProblem(const TerrainMap& map, const MeshOptions& options) {
    const Solid s = Solid::of(map, options);
    if (const std::string problem = meshProblem(map, options); !problem.empty()) return problem;
    if (s.facets() > 0xFFFFFFFFu)
        return "the map has too many facets for an .stl: keep fewer points with --step";
    return "";
}

std::uint64_t stlBytes(const TerrainMap& map, const MeshOptions& options) {
    return 84 + 50 * Solid::of(map, options).facets();
}

void writeStl(std::ostream& out, const TerrainMap& map, const MeshOptions& options) {
    const Solid s = Solid::of(map, options);
    std::string header = "Zuvaro " ZUVARO_VERSION ": " +
                         (options.name.empty() ? std::string("terrain") : options.name);
    header.resize(80, ' ');
    out.write(header.data(), 80);
    FacetRun run{out, {}};
    const std::uint64_t facets = s.facets();
    for (int k = 0; k < 4; ++k) run.data.push_back(static_cast<unsigned char>(facets >> (8 * k)));
    writeSurface(run, map, s);
    writeWallsAndBase(run, map, s);
    run.flush();
}
