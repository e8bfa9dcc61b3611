// Triangles are named by their corners: the long side from a to b, the right angle at c; its
// halves are (c, a, m) and (b, c, m), m the middle of a-b. Every aligned square of the map is
// split by one diagonal into two of them, the map's own from its first point to its last, and
// a square's four quarters alternately along the same and the other diagonal.
//
// Every tile point but the corners is the middle of long sides of one size: where x and y have
// the same lowest bit 2^k it is the centre of a square 2^(k+1) a side, split by its diagonal;
// elsewhere the middle of a square's side 2^(k+1) long (k the lower of the two). So the bounds
// are made size by size, the smallest first, each point once; a bound is the larger of its two
// triangles' own distances (measured over every tile point under them) and its halves'
// bounds.
#include "view/lod_levels.h"

#include <algorithm>
#include <cmath>

namespace {

struct Corner {
    int x, y;
};

struct Triangle {
    Corner a, b, c;
};

Corner middle(const Corner& a, const Corner& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// The two triangles of the square of side q at (x0, y0), split along its diagonal: from its
// first corner to its last where its place in squares of its size has an even sum.
void squareHalves(int x0, int y0, int q, Triangle out[2]) {
    if ((x0 / q + y0 / q) % 2 == 0) {
        out[0] = {{x0, y0}, {x0 + q, y0 + q}, {x0 + q, y0}};
        out[1] = {{x0 + q, y0 + q}, {x0, y0}, {x0, y0 + q}};
    } else {
        out[0] = {{x0, y0 + q}, {x0 + q, y0}, {x0, y0}};
        out[1] = {{x0 + q, y0}, {x0, y0 + q}, {x0 + q, y0 + q}};
    }
}

// The map's heights, row by row, padded to the square with copies of its last row and column.
std::vector<float> paddedHeights(const TerrainMap& map, int side) {
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    std::vector<float> h(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int x = 0; x < side; ++x) {
        const TerrainVertex* column =
            map.vertices[static_cast<std::size_t>(std::min(x, width - 1))].get();
        for (int y = 0; y < side; ++y)
            h[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
              static_cast<std::size_t>(x)] = column[std::min(y, height - 1)].position.y;
    }
    return h;
}

// A quantity's plane through a triangle's three corners.
struct Plane {
    float at0, gx, gy; // its value at (0, 0) and its slopes along x and y

    Plane(const Triangle& t, float a, float b, float c) {
        const float ux = static_cast<float>(t.b.x - t.a.x), uy = static_cast<float>(t.b.y - t.a.y),
                    vx = static_cast<float>(t.c.x - t.a.x), vy = static_cast<float>(t.c.y - t.a.y);
        const float det = ux * vy - uy * vx;
        gx = ((b - a) * vy - (c - a) * uy) / det;
        gy = ((c - a) * ux - (b - a) * vx) / det;
        at0 = a - gx * static_cast<float>(t.a.x) - gy * static_cast<float>(t.a.y);
    }
    float at(int x, int y) const {
        return at0 + gx * static_cast<float>(x) + gy * static_cast<float>(y);
    }
};

// Calls each(x, y) for every tile point in the triangle (its sides run along the grid or its
// diagonals, so a row meets them at whole points), row by row.
template <typename Each> void forPointsIn(const Triangle& t, Each each) {
    const Corner p[3] = {t.a, t.b, t.c};
    const int top = std::min({t.a.y, t.b.y, t.c.y}), bottom = std::max({t.a.y, t.b.y, t.c.y});
    for (int y = top; y <= bottom; ++y) {
        int left = p[0].x + p[1].x + p[2].x, right = -1;
        for (int e = 0; e < 3; ++e) {
            const Corner &from = p[e], &to = p[(e + 1) % 3];
            if (y < std::min(from.y, to.y) || y > std::max(from.y, to.y)) continue;
            const int x0 =
                from.y == to.y ? from.x : from.x + (to.x - from.x) * (y - from.y) / (to.y - from.y);
            const int x1 = from.y == to.y ? to.x : x0;
            left = std::min({left, x0, x1});
            right = std::max({right, x0, x1});
        }
        for (int x = left; x <= right; ++x) each(x, y);
    }
}

struct Surface {
    const std::vector<float>& heights;
    int side;

    float at(int x, int y) const {
        return heights[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
                       static_cast<std::size_t>(x)];
    }
    // The largest distance of the tile points in the triangle from its plane.
    float deviation(const Triangle& t) const {
        const Plane plane(t, at(t.a.x, t.a.y), at(t.b.x, t.b.y), at(t.c.x, t.c.y));
        float worst = 0.0f;
        forPointsIn(t, [&](int x, int y) {
            worst = std::max(worst, std::fabs(at(x, y) - plane.at(x, y)));
        });
        return worst;
    }
};

} // namespace

void LodBounds::build(const TerrainMap& map, int quads) {
    side = quads + 1;
    bound.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0.0f);
    const std::vector<float> heights = paddedHeights(map, side);
    const Surface surface{heights, side};
    const auto b = [&](int x, int y) -> float& {
        return bound[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) +
                     static_cast<std::size_t>(x)];
    };
    for (int half = 1; half < side - 1; half *= 2) {
        const int q = 2 * half; // sides, then squares, of this length
        // Middles of sides: the triangles on either side have their right angles at the
        // squares' centres, and their halves' middles at the quarters' centres.
        for (int y = 0; y < side; y += half) {
            for (int x = (y % q == 0 ? half : 0); x < side; x += q) {
                const bool across = y % q == 0; // a side along x
                const Corner a = across ? Corner{x - half, y} : Corner{x, y - half};
                const Corner e = across ? Corner{x + half, y} : Corner{x, y + half};
                float worst = 0.0f;
                for (const int s : {-1, 1}) {
                    const Corner c = across ? Corner{x, y + s * half} : Corner{x + s * half, y};
                    if (c.x < 0 || c.y < 0 || c.x >= side || c.y >= side) continue;
                    worst = std::max(worst, surface.deviation({a, e, c}));
                    if (half > 1) // else its halves are single cells' halves: exact
                        worst = std::max({worst, b((a.x + c.x) / 2, (a.y + c.y) / 2),
                                          b((e.x + c.x) / 2, (e.y + c.y) / 2)});
                }
                b(x, y) = worst;
            }
        }
        // Centres of squares: split along their diagonals; the halves' middles are the
        // middles of the square's sides.
        for (int y = half; y < side; y += q) {
            for (int x = half; x < side; x += q) {
                Triangle t[2];
                squareHalves(x - half, y - half, q, t);
                b(x, y) =
                    std::max({surface.deviation(t[0]), surface.deviation(t[1]), b(x - half, y),
                              b(x + half, y), b(x, y - half), b(x, y + half)});
            }
        }
    }
}

namespace {

struct Extraction {
    const LodBounds& bounds;
    const TerrainMap& map;
    ChunkSquare square;
    float error;
    std::vector<std::uint16_t>& out;
    float shading = 0.0f; // for a leaf: how far vertex lighting strays (see LodLevel)

    int slot(const Corner& p) const {
        return (p.y - square.y0) / square.step * (square.cells + 1) +
               (p.x - square.x0) / square.step;
    }
    // A triangle splits where its middle is a sample point and its bound passes the error.
    bool splits(const Triangle& t) const {
        const Corner m = middle(t.a, t.b);
        const bool sample = std::abs(t.a.x - t.c.x) + std::abs(t.a.y - t.c.y) > square.step;
        return sample && bounds.at(m.x, m.y) > error;
    }
    void emit(const Triangle& t) {
        if (splits(t)) {
            const Corner m = middle(t.a, t.b);
            emit({t.c, t.a, m});
            emit({t.b, t.c, m});
            return;
        }
        put(slot(t.a), slot(t.b), slot(t.c));
        if (square.step == 1) shading = std::max(shading, normalDeviation(t));
    }
    // Lit at its corners and blended between them, a triangle shades each tile point in it by
    // its corners' normals blended; the light's part on the colour is 0.25 of the normal's.
    float normalDeviation(const Triangle& t) const {
        const Point3* n[3] = {&normalAt(t.a), &normalAt(t.b), &normalAt(t.c)};
        const Plane x(t, n[0]->x, n[1]->x, n[2]->x), y(t, n[0]->y, n[1]->y, n[2]->y),
            z(t, n[0]->z, n[1]->z, n[2]->z);
        float worst = 0.0f;
        forPointsIn(t, [&](int px, int py) {
            const Point3& own = map.normals[static_cast<std::size_t>(px)][py];
            const float dx = own.x - x.at(px, py), dy = own.y - y.at(px, py),
                        dz = own.z - z.at(px, py);
            worst = std::max(worst, dx * dx + dy * dy + dz * dz);
        });
        return 0.25f * std::sqrt(worst);
    }
    const Point3& normalAt(const Corner& p) const {
        return map.normals[static_cast<std::size_t>(p.x)][p.y];
    }
    // Appends (p, q, r) clockwise seen from above, as the chunks' front faces run. Seen from
    // above, x = column runs right and z = -row down, so rows run up the screen and a
    // clockwise turn has a negative cross product in (column, row).
    void put(int p, int q, int r) {
        const int side = square.cells + 1;
        const int cross = (q % side - p % side) * (r / side - p / side) -
                          (q / side - p / side) * (r % side - p % side);
        for (const int v : {p, cross < 0 ? q : r, cross < 0 ? r : q})
            out.push_back(static_cast<std::uint16_t>(v));
    }
};

// The side of the chunk an edge of its surface lies on, or -1 inside.
int sideOf(int p, int q, int side) {
    const int last = side - 1;
    const int pi = p % side, pj = p / side, qi = q % side, qj = q / side;
    if (pj == qj && pj == 0) return 0;
    if (pj == qj && pj == last) return 1;
    if (pi == qi && pi == 0) return 2;
    if (pi == qi && pi == last) return 3;
    return -1;
}

// The skirts under the surface's border edges, side by side, facing out: two triangles from
// each edge down to its lower points. The surface runs p to q clockwise seen from above, its
// inside to the right: seen from outside, facing the edge, p lies to the right of q, and the
// wall q, p, p' (then q, p', q') runs clockwise for that eye.
void hangSkirts(std::size_t surfaceFirst, int side, const std::vector<int>& skirtSlot,
                std::vector<std::uint16_t>& out, int counts[chunkSides]) {
    const std::size_t surfaceEnd = out.size();
    for (int s = 0; s < chunkSides; ++s) {
        const std::size_t before = out.size();
        for (std::size_t k = surfaceFirst; k < surfaceEnd; k += 3) {
            for (std::size_t e = 0; e < 3; ++e) {
                const int p = out[k + e], q = out[k + (e + 1) % 3];
                if (sideOf(p, q, side) != s) continue;
                const int lowP = skirtSlot[static_cast<std::size_t>(p)],
                          lowQ = skirtSlot[static_cast<std::size_t>(q)];
                for (const int v : {q, p, lowP, q, lowP, lowQ})
                    out.push_back(static_cast<std::uint16_t>(v));
            }
        }
        counts[s] = static_cast<int>(out.size() - before);
    }
}

// The largest bound of the triangles the chunk cannot split (halves of its sample cells): no
// level of it is finer.
float floorOf(const LodBounds& bounds, const ChunkSquare& sq) {
    float floor = 0.0f;
    if (sq.step < 2) return floor;
    const int half = sq.step / 2;
    for (int j = 0; j < sq.cells; ++j)
        for (int i = 0; i < sq.cells; ++i)
            floor =
                std::max(floor, bounds.at(sq.x0 + i * sq.step + half, sq.y0 + j * sq.step + half));
    return floor;
}

} // namespace

void buildLevels(const LodBounds& bounds, const TerrainMap& map, const ChunkSquare& square,
                 const std::vector<int>& skirtSlot, std::vector<LodLevel>& levels,
                 std::vector<std::uint16_t>& indices) {
    levels.clear();
    Triangle roots[2];
    squareHalves(square.x0, square.y0, square.step * square.cells, roots);
    const float floor = floorOf(bounds, square);
    std::size_t kept = static_cast<std::size_t>(square.cells) * square.cells * 2 * 3;
    const std::size_t count = sizeof lodLevelErrors / sizeof lodLevelErrors[0];
    for (std::size_t k = 0; k < count; ++k) {
        const float threshold = lodLevelErrors[k];
        const float error = std::max(threshold, floor);
        if (k + 1 < count && lodLevelErrors[k + 1] <= floor) continue; // a coarser one is as exact
        const std::size_t first = indices.size();
        Extraction extraction{bounds, map, square, threshold, indices};
        for (const Triangle& root : roots) extraction.emit(root);
        const std::size_t surface = indices.size() - first;
        if (surface * 5 > kept * 4) { // most of the last one's triangles: not worth keeping
            indices.resize(first);
            continue;
        }
        kept = surface;
        LodLevel level{threshold,
                       error,
                       square.step == 1 ? extraction.shading : 1.0f,
                       static_cast<int>(first),
                       static_cast<int>(surface),
                       {}};
        hangSkirts(first, square.cells + 1, skirtSlot, indices, level.skirts);
        levels.push_back(level);
    }
}
