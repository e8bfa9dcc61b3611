// Building the quadtree. Heights are the loader's own: y = q / 4 for an integer q, so a chunk
// stores q less a base in 16 bits whenever its heights span less than 65536 quarter units.
#include "view/lod_mesh.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The grid lines of a chunk across `quads` quads: multiples of the step, and the far end.
std::vector<int> gridLines(int quads, int step) {
    std::vector<int> lines;
    for (int i = 0; i < quads; i += step) lines.push_back(i);
    lines.push_back(quads);
    return lines;
}

struct Nominal { // a slot's place for orienting triangles: x and z in tiles, y 0 or -1
    float x, y, z;
};

// Appends triangle (a, b, c), wound so that OpenGL takes it as a front face seen from the side
// `outward` points to (clockwise for the viewer, as the strips are).
void triangle(std::vector<std::uint16_t>& out, const std::vector<Nominal>& at, int a, int b, int c,
              const Nominal& outward) {
    const Nominal &p = at[static_cast<std::size_t>(a)], &q = at[static_cast<std::size_t>(b)],
                  &r = at[static_cast<std::size_t>(c)];
    const float ux = q.x - p.x, uy = q.y - p.y, uz = q.z - p.z;
    const float vx = r.x - p.x, vy = r.y - p.y, vz = r.z - p.z;
    const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const bool flip = nx * outward.x + ny * outward.y + nz * outward.z > 0.0f;
    out.push_back(static_cast<std::uint16_t>(a));
    out.push_back(static_cast<std::uint16_t>(flip ? c : b));
    out.push_back(static_cast<std::uint16_t>(flip ? b : c));
}

// The skirt's lower point of each edge point of an across x down grid, after the grid's own
// points: first row, last row, then the first and last columns between them. -1 inside.
std::vector<int> skirtSlots(int across, int down) {
    std::vector<int> slot(static_cast<std::size_t>(across) * down, -1);
    int next = across * down;
    for (int i = 0; i < across; ++i) slot[static_cast<std::size_t>(i)] = next++;
    for (int i = 0; i < across; ++i) slot[static_cast<std::size_t>(down - 1) * across + i] = next++;
    for (int j = 1; j < down - 1; ++j) {
        slot[static_cast<std::size_t>(j) * across] = next++;
        slot[static_cast<std::size_t>(j) * across + across - 1] = next++;
    }
    return slot;
}

// Where the pattern's points stand, in cells: the grid's at height 0, its skirt's a cell below.
std::vector<Nominal> nominalPoints(int across, int down, const std::vector<int>& skirt,
                                   int vertexCount) {
    std::vector<Nominal> at(static_cast<std::size_t>(vertexCount));
    for (int j = 0; j < down; ++j) {
        for (int i = 0; i < across; ++i) {
            const std::size_t p = static_cast<std::size_t>(j) * across + i;
            at[p] = {static_cast<float>(i), 0.0f, static_cast<float>(-j)};
            if (skirt[p] >= 0)
                at[static_cast<std::size_t>(skirt[p])] = {static_cast<float>(i), -1.0f,
                                                          static_cast<float>(-j)};
        }
    }
    return at;
}

// The edges between neighbouring grid points, as pairs.
std::vector<std::uint16_t> patternEdges(int across, int down) {
    std::vector<std::uint16_t> lines;
    for (int j = 0; j < down; ++j) {
        for (int i = 0; i < across; ++i) {
            const int here = j * across + i;
            if (i + 1 < across)
                lines.insert(lines.end(), {static_cast<std::uint16_t>(here),
                                           static_cast<std::uint16_t>(here + 1)});
            if (j + 1 < down)
                lines.insert(lines.end(), {static_cast<std::uint16_t>(here),
                                           static_cast<std::uint16_t>(here + across)});
        }
    }
    return lines;
}

} // namespace

void LodPattern::build(int pointsAcross, int pointsDown) {
    across = pointsAcross;
    down = pointsDown;
    const std::vector<int> skirt = skirtSlots(across, down);
    vertexCount = across * down + 2 * across + 2 * (down - 2);
    const std::vector<Nominal> at = nominalPoints(across, down, skirt, vertexCount);
    const auto s = [&](int i, int j) { return j * across + i; };
    const Nominal up{0.0f, 1.0f, 0.0f};
    indices.clear();
    for (int j = 0; j + 1 < down; ++j) {
        for (int i = 0; i + 1 < across; ++i) {
            // The strips' diagonal, from (i, j + 1) to (i + 1, j).
            triangle(indices, at, s(i, j), s(i, j + 1), s(i + 1, j), up);
            triangle(indices, at, s(i + 1, j), s(i, j + 1), s(i + 1, j + 1), up);
        }
    }
    surfaceIndices = static_cast<int>(indices.size());
    lines = patternEdges(across, down);
    const auto hang = [&](int i0, int j0, int i1, int j1, const Nominal& outward) {
        const int a = s(i0, j0), b = s(i1, j1);
        const int belowA = skirt[static_cast<std::size_t>(a)],
                  belowB = skirt[static_cast<std::size_t>(b)];
        triangle(indices, at, a, b, belowB, outward);
        triangle(indices, at, a, belowB, belowA, outward);
    };
    // Side by side, as the chunks' neighbours are listed: first row, last row, first column,
    // last column.
    const auto side = [&](int which, auto each) {
        const std::size_t before = indices.size();
        each();
        skirtSides[which] = static_cast<int>(indices.size() - before);
    };
    side(0, [&] {
        for (int i = 0; i + 1 < across; ++i) hang(i, 0, i + 1, 0, {0.0f, 0.0f, 1.0f});
    });
    side(1, [&] {
        for (int i = 0; i + 1 < across; ++i)
            hang(i, down - 1, i + 1, down - 1, {0.0f, 0.0f, -1.0f});
    });
    side(2, [&] {
        for (int j = 0; j + 1 < down; ++j) hang(0, j, 0, j + 1, {-1.0f, 0.0f, 0.0f});
    });
    side(3, [&] {
        for (int j = 0; j + 1 < down; ++j)
            hang(across - 1, j, across - 1, j + 1, {1.0f, 0.0f, 0.0f});
    });
}

namespace {

// The largest difference between heights `y` of the fine points and the chunk's surface
// through its grid points (two triangles a cell, the strips' diagonal), over the cells that
// `counts` takes.
template <typename Height, typename Counts>
float surfaceError(const std::vector<int>& xs, const std::vector<int>& zs, Height y,
                   Counts counts) {
    float worst = 0.0f;
    for (std::size_t j = 0; j + 1 < zs.size(); ++j) {
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            const int c0 = xs[i], c1 = xs[i + 1], r0 = zs[j], r1 = zs[j + 1];
            if (c1 - c0 < 2 && r1 - r0 < 2) continue; // a single quad is exact
            if (!counts(c0, r0, c1, r1)) continue;
            const float a = y(c0, r0), b = y(c1, r0), c = y(c0, r1), d = y(c1, r1);
            const float du = 1.0f / static_cast<float>(c1 - c0),
                        dv = 1.0f / static_cast<float>(r1 - r0);
            for (int r = r0; r <= r1; ++r) {
                const float v = static_cast<float>(r - r0) * dv;
                for (int col = c0; col <= c1; ++col) {
                    const float u = static_cast<float>(col - c0) * du;
                    const float flat = u + v <= 1.0f
                                           ? a + u * (b - a) + v * (c - a)
                                           : d + (1.0f - u) * (c - d) + (1.0f - v) * (b - d);
                    worst = std::max(worst, std::fabs(y(col, r) - flat));
                }
            }
        }
    }
    return worst;
}

struct Builder {
    const TerrainMap& map;
    LodMesh& mesh;
    int quadsX, quadsZ;
    const std::atomic<bool>* stop; // asks the build to give up
    LodBounds bounds;

    const TerrainVertex& at(int c, int r) const {
        return map.vertices[static_cast<std::size_t>(c)][r];
    }
    // The loader's heights are whole quarters, exactly four times them a whole float.
    std::int32_t quarters(int c, int r) const {
        return static_cast<std::int32_t>(at(c, r).position.y * 4.0f);
    }
    bool anyWet(int c0, int r0, int c1, int r1) const {
        for (int r = r0; r < r1; ++r)
            for (int c = c0; c < c1; ++c)
                if (quadIsWet(map, c, r)) return true;
        return false;
    }

    int pattern(int across, int down) {
        for (std::size_t i = 0; i < mesh.patterns.size(); ++i)
            if (mesh.patterns[i].across == across && mesh.patterns[i].down == down)
                return static_cast<int>(i);
        mesh.patterns.emplace_back();
        mesh.patterns.back().build(across, down);
        return static_cast<int>(mesh.patterns.size() - 1);
    }

    int make(int c0, int r0, int side) {
        if (c0 >= quadsX || r0 >= quadsZ || (stop && *stop)) return -1;
        const int index = static_cast<int>(mesh.chunks.size());
        mesh.chunks.emplace_back();
        const int step = std::max(1, side / lodChunkCells);
        int children[4] = {-1, -1, -1, -1};
        if (step > 1) {
            const int half = side / 2;
            children[0] = make(c0, r0, half);
            children[1] = make(c0 + half, r0, half);
            children[2] = make(c0, r0 + half, half);
            children[3] = make(c0 + half, r0 + half, half);
        }
        LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(index)];
        std::copy(children, children + 4, chunk.children);
        chunk.column = c0;
        chunk.row = r0;
        chunk.step = step;
        chunk.quadsX = std::min(side, quadsX - c0);
        chunk.quadsZ = std::min(side, quadsZ - r0);
        fill(chunk);
        for (const int child : children)
            if (child >= 0)
                chunk.error =
                    std::max(chunk.error, mesh.chunks[static_cast<std::size_t>(child)].error);
        return index;
    }

    // What fill works out for a chunk before its vertices: where its points lie, its skirts'
    // depth, its heights' range and its water's.
    struct Frame {
        int c0, r0, c1, r1;
        std::vector<int> xs, zs;  // the tile points' columns and rows it samples
        std::int32_t deepest = 4; // the skirts' depth, quarter units
        std::int32_t low = 0, high = 0;
        float waterLow = 0.0f, waterHigh = 0.0f;
        bool wet = false;
    };

    Frame frameOf(LodChunk& chunk) const {
        Frame f{chunk.column,
                chunk.row,
                chunk.column + chunk.quadsX,
                chunk.row + chunk.quadsZ,
                gridLines(chunk.quadsX, chunk.step),
                gridLines(chunk.quadsZ, chunk.step)};
        for (int& x : f.xs) x += f.c0;
        for (int& z : f.zs) z += f.r0;
        // Skirts hang as deep as the fine points along the chunk's edges differ (at least a
        // unit), except on the map's own edge, where nothing meets them.
        std::int32_t edgeLow = quarters(f.c0, f.r0), edgeHigh = edgeLow;
        const auto edge = [&](int c, int r) {
            edgeLow = std::min(edgeLow, quarters(c, r));
            edgeHigh = std::max(edgeHigh, quarters(c, r));
        };
        for (int c = f.c0; c <= f.c1; ++c) edge(c, f.r0), edge(c, f.r1);
        for (int r = f.r0; r <= f.r1; ++r) edge(f.c0, r), edge(f.c1, r);
        f.deepest = edgeHigh - edgeLow + 4;
        f.low = f.high = quarters(f.c0, f.r0);
        for (int c = f.c0; c <= f.c1; ++c) {
            for (int r = f.r0; r <= f.r1; ++r) {
                const bool onEdge = c == f.c0 || c == f.c1 || r == f.r0 || r == f.r1;
                f.low = std::min(f.low, quarters(c, r) - (onEdge ? skirtDepth(f, c, r) : 0));
                f.high = std::max(f.high, quarters(c, r));
            }
        }
        waterRange(f);
        return f;
    }

    std::int32_t skirtDepth(const Frame& f, int c, int r) const {
        const bool mapEdge = c == 0 || r == 0 || c == quadsX || r == quadsZ;
        return mapEdge ? 0 : f.deepest;
    }

    // The water's height range over the corners of wet quads, which are what it draws.
    void waterRange(Frame& f) const {
        f.wet = anyWet(f.c0, f.r0, f.c1, f.r1);
        bool first = true;
        for (int r = f.r0; r < f.r1 && f.wet; ++r) {
            for (int c = f.c0; c < f.c1; ++c) {
                if (!quadIsWet(map, c, r)) continue;
                for (const auto& [dc, dr] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
                    const float h = waterSurfaceHeight(at(c + dc, r + dr));
                    f.waterLow = first ? h : std::min(f.waterLow, h);
                    f.waterHigh = first ? h : std::max(f.waterHigh, h);
                    first = false;
                }
            }
        }
    }

    // The box of everything it draws and how far its samples stray from the full grid.
    void boxAndError(LodChunk& chunk, const Frame& f) const {
        chunk.low[0] = tileSize * static_cast<float>(f.c0);
        chunk.high[0] = tileSize * static_cast<float>(f.c1);
        chunk.low[2] = -tileSize * static_cast<float>(f.r1);
        chunk.high[2] = -tileSize * static_cast<float>(f.r0);
        chunk.low[1] = static_cast<float>(f.low) * 0.25f;
        chunk.high[1] = static_cast<float>(f.high) * 0.25f;
        if (f.wet) {
            chunk.low[1] = std::min(chunk.low[1], f.waterLow);
            chunk.high[1] = std::max(chunk.high[1], f.waterHigh);
        }
        chunk.error = surfaceError(
            f.xs, f.zs, [&](int c, int r) { return at(c, r).position.y; },
            [](int, int, int, int) { return true; });
    }

    void fill(LodChunk& chunk) {
        const Frame f = frameOf(chunk);
        chunk.pattern = pattern(static_cast<int>(f.xs.size()), static_cast<int>(f.zs.size()));
        chunk.exact = f.high - f.low > 65535;
        boxAndError(chunk, f);
        if (chunk.exact) return;
        const LodPattern& shape = mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
        const std::vector<int> skirt = skirtSlots(shape.across, shape.down);
        if (shape.across == lodChunkCells + 1 && shape.down == lodChunkCells + 1)
            buildLevels(bounds, map, {f.c0, f.r0, chunk.step, lodChunkCells}, skirt, chunk.levels,
                        chunk.levelIndices);
        chunk.yBase = static_cast<float>(f.low + 32768) * 0.25f;
        // x and z in 16 bits: a tile is 128 units up to chunks of 128 tiles, fewer beyond, so
        // that no coordinate passes 16384 (or 32767 for the largest maps).
        const int side = chunk.step * lodChunkCells;
        chunk.unitsPerTile = side <= 128 ? 128 : std::max(1, 16384 / side);
        chunk.format.shortNormals = chunk.unitsPerTile != 128;
        chunk.format.stride = chunk.format.shortNormals ? 6 : 5;
        chunk.vertices.assign(static_cast<std::size_t>(shape.vertexCount * chunk.format.stride), 0);
        for (int j = 0; j < shape.down; ++j)
            for (int i = 0; i < shape.across; ++i) putPoint(chunk, f, shape, skirt, i, j);
    }

    // Grid point (i, j) of the chunk, and its skirt's lower point where it has one.
    void putPoint(LodChunk& chunk, const Frame& f, const LodPattern& shape,
                  const std::vector<int>& skirt, int i, int j) const {
        const int c = f.xs[static_cast<std::size_t>(i)], r = f.zs[static_cast<std::size_t>(j)];
        const auto x = static_cast<std::int16_t>((c - f.c0) * chunk.unitsPerTile);
        const auto z = static_cast<std::int16_t>(-(r - f.r0) * chunk.unitsPerTile);
        const std::size_t p = static_cast<std::size_t>(j) * shape.across + i;
        const std::int32_t y = quarters(c, r) - (f.low + 32768);
        const Point3& n = map.normals[static_cast<std::size_t>(c)][r];
        putVertex(chunk, p, x, y, z, n);
        const int below = skirt[p];
        if (below >= 0)
            putVertex(chunk, static_cast<std::size_t>(below), x, y - skirtDepth(f, c, r), z, n);
    }

    // A vertex in the chunk's compact form. Its transform scales x and z by 128 / unitsPerTile
    // and y by 1/4, which scales normals by the inverse: the stored normal is shrunk and grown
    // to match (OpenGL normalises it again).
    static void putVertex(LodChunk& chunk, std::size_t slot, std::int16_t x, std::int32_t y,
                          std::int16_t z, const Point3& n) {
        const float growth = chunk.unitScale();
        const Point3 scaled = Point3{n.x * growth, n.y * 0.25f, n.z * growth}.scaledTo(1.0f);
        std::int16_t* v = &chunk.vertices[slot * static_cast<std::size_t>(chunk.format.stride)];
        v[0] = x;
        v[1] = static_cast<std::int16_t>(y);
        v[2] = z;
        if (chunk.format.shortNormals) {
            v[3] = static_cast<std::int16_t>(std::lround(scaled.x * 32767.0f));
            v[4] = static_cast<std::int16_t>(std::lround(scaled.y * 32767.0f));
            v[5] = static_cast<std::int16_t>(std::lround(scaled.z * 32767.0f));
        } else {
            auto* bytes = reinterpret_cast<std::int8_t*>(v + 3);
            bytes[0] = static_cast<std::int8_t>(std::lround(scaled.x * 127.0f));
            bytes[1] = static_cast<std::int8_t>(std::lround(scaled.y * 127.0f));
            bytes[2] = static_cast<std::int8_t>(std::lround(scaled.z * 127.0f));
        }
    }
};

} // namespace

void LodMesh::clear() {
    const int next = generation + 1;
    *this = LodMesh{};
    generation = next;
}

void LodMesh::releaseVertexData() {
    for (LodChunk& chunk : chunks) {
        std::vector<std::int16_t>().swap(chunk.vertices);
        std::vector<std::uint16_t>().swap(chunk.levelIndices);
    }
}

void LodMesh::build(const TerrainMap& map, const std::atomic<bool>* stop) {
    clear();
    built = true;
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    if (map.vertices.empty() || width < 2 || height < 2) return;
    int side = lodChunkCells;
    while (side < std::max(width - 1, height - 1)) side *= 2;
    Builder builder{map, *this, width - 1, height - 1, stop, {}};
    builder.bounds.build(map, side);
    root = builder.make(0, 0, side);

    // Neighbours: the chunks of each size laid out on a grid of their own.
    for (int size = lodChunkCells; size <= side; size *= 2) {
        const int across = (width - 2) / size + 1, down = (height - 2) / size + 1;
        std::vector<int> at(static_cast<std::size_t>(across) * down, -1);
        for (std::size_t i = 0; i < chunks.size(); ++i)
            if (chunks[i].step * lodChunkCells == size)
                at[static_cast<std::size_t>(chunks[i].row / size) * across +
                   chunks[i].column / size] = static_cast<int>(i);
        const auto find = [&](int gx, int gz) {
            return gx < 0 || gz < 0 || gx >= across || gz >= down
                       ? -1
                       : at[static_cast<std::size_t>(gz) * across + gx];
        };
        for (LodChunk& chunk : chunks) {
            if (chunk.step * lodChunkCells != size) continue;
            const int gx = chunk.column / size, gz = chunk.row / size;
            chunk.neighbours[0] = find(gx, gz - 1);
            chunk.neighbours[1] = find(gx, gz + 1);
            chunk.neighbours[2] = find(gx - 1, gz);
            chunk.neighbours[3] = find(gx + 1, gz);
        }
    }
}

std::size_t LodMesh::bytes() const {
    std::size_t total = sizeof *this;
    for (const LodPattern& p : patterns)
        total += sizeof p + p.indices.size() * sizeof(std::uint16_t);
    for (const LodChunk& c : chunks)
        total += sizeof c + c.vertices.size() * sizeof(std::int16_t) +
                 c.levels.size() * sizeof(LodLevel) + c.levelIndices.size() * sizeof(std::uint16_t);
    return total;
}
