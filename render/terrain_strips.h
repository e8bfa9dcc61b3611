// The terrain mesh as the start camera draws it: triangle strips, one per row of quads,
// leaving out each quad whose four corners all lie outside the view frustum, and the water
// surface over it. The walks are written once against an emitter (begin, end, colour,
// normal, vertex) so that tests can record the exact call sequence that OpenGL receives; with
// block candidates, each row visits only the quads of blocks that may be in view.
// Needs: the terrain model, the coarse culling and the strips' colours; no OpenGL.
#pragma once

#include "render/strip_colours.h"
#include "terrain/terrain_map.h"
#include "view/block_culling.h"
#include "view/water_cover.h"

// Whether any of the four points is inside the frustum, tested in the order (c, r),
// (c + 1, r + 1), (c + 1, r), (c, r + 1).
inline bool quadInView(const ViewFrustum& frustum, const Point3& p00, const Point3& p01,
                       const Point3& p10, const Point3& p11) {
    return frustum.containsPoint(p00.x, p00.y, p00.z) ||
           frustum.containsPoint(p11.x, p11.y, p11.z) ||
           frustum.containsPoint(p10.x, p10.y, p10.z) || frustum.containsPoint(p01.x, p01.y, p01.z);
}

// Tile points (c, r) and (c, r + 1): colours, normals and vertices.
template <typename Emitter, typename Colours>
void emitColumnPoints(const TerrainMap& map, int c, int r, Emitter& out, const Colours& colours) {
    const TerrainVertex* column = map.vertices[c].get();
    colours.vertex(out, column[r]);
    out.normal(map.normals[c][r]);
    out.vertex(column[r].position);
    colours.vertex(out, column[r + 1]);
    out.normal(map.normals[c][r + 1]);
    out.vertex(column[r + 1].position);
}

// One quad (c, r)'s colours, normals and vertices, two down each column.
template <typename Emitter, typename Colours>
void emitQuadPoints(const TerrainMap& map, int c, int r, Emitter& out, const Colours& colours) {
    colours.quad(out);
    emitColumnPoints(map, c, r, out, colours);
    emitColumnPoints(map, c + 1, r, out, colours);
}

// Whether quad (c, r) has a corner inside the frustum.
inline bool quadInView(const TerrainMap& map, const ViewFrustum& frustum, int c, int r) {
    const TerrainVertex* left = map.vertices[c].get();
    const TerrainVertex* right = map.vertices[c + 1].get();
    return quadInView(frustum, left[r].position, left[r + 1].position, right[r].position,
                      right[r + 1].position);
}

// One quad (c, r), left out unless a corner is inside.
template <typename Emitter, typename Colours>
void emitQuad(const TerrainMap& map, const ViewFrustum& frustum, int c, int r, Emitter& out,
              const Colours& colours) {
    if (quadInView(map, frustum, c, r)) emitQuadPoints(map, c, r, out, colours);
}

// Rows of quads to draw. A grid without tile points has none, however many its header claims
// (a header alone may claim 2^31 - 1 rows, which would be as many empty strips a frame).
inline int quadRows(const TerrainMap& map) {
    return map.vertices.empty() ? 0 : map.header->mapHeight - 1;
}

// Calls visit(c) for every quad column of quad row r: all of them, or those of the row's
// candidate blocks when there are blocks.
template <typename Visit>
void forQuadsOfRow(int width, int r, const BlockCandidates* candidates, Visit visit) {
    if (!candidates || candidates->blocks->columns == 0) {
        for (int c = 0; c < width - 1; ++c) visit(c);
        return;
    }
    const HeightBlocks& blocks = *candidates->blocks;
    const int br = r / blocks.quadsPerBlock;
    for (int i = candidates->rowStart[br]; i < candidates->rowStart[br + 1]; ++i) {
        const int bc = candidates->columns[i];
        for (int c = blocks.firstQuad(bc); c < blocks.endQuad(bc, width - 1); ++c) visit(c);
    }
}

// The whole mesh: one strip per row of quads, begun and ended even when nothing is in it.
// With candidates, each row visits only the quads of its candidate blocks.
template <typename Emitter, typename Colours = PlainColours>
void emitTerrainStrips(const TerrainMap& map, const ViewFrustum& frustum,
                       const BlockCandidates* candidates, Emitter& out,
                       const Colours& colours = {}) {
    const int width = map.header->mapWidth;
    for (int r = 0; r < quadRows(map); ++r) {
        out.begin();
        forQuadsOfRow(width, r, candidates,
                      [&](int c) { emitQuad(map, frustum, c, r, out, colours); });
        out.end();
    }
}

// Strips of runs of quads: a quad that does not continue the open strip (the next column of
// its row) begins a strip of its own, since a strip carried over a gap would bridge it with a
// triangle.
template <typename Emitter> struct QuadRuns {
    Emitter& out;
    int row = -1, next = -1; // the open strip's row and the column that would continue it

    // Whether the quad begins a strip.
    bool add(int c, int r) {
        const bool begins = r != row || c != next;
        if (begins) {
            close();
            out.begin();
        }
        row = r;
        next = c + 1;
        return begins;
    }
    void close() {
        if (next >= 0) out.end();
        next = -1;
    }
};

// Calls emit(c, r) for each quad of the rows that pick(c, r) chooses, each run of them in a row
// a strip of its own.
template <typename Emitter, typename Pick, typename Emit>
void emitRuns(const TerrainMap& map, const BlockCandidates* candidates, Emitter& out, Pick pick,
              Emit emit) {
    QuadRuns<Emitter> runs{out};
    for (int r = 0; r < quadRows(map); ++r) {
        forQuadsOfRow(map.header->mapWidth, r, candidates, [&](int c) {
            if (!pick(c, r)) return;
            runs.add(c, r);
            emit(c, r);
        });
        runs.close();
    }
}

// The water surface over the quads where it shows in `view` (water_cover.h), at their corners'
// water surface heights, facing up. Each run of such quads in a row is a strip of its own, so that
// no triangle bridges the land between two stretches of water. A strip gives each column of
// points once, and leaves out a column whose neighbours on both sides stand at its own level:
// the run's level stretches then cost four points each, however long, and cover the same plane.
template <typename Emitter>
void emitWater(const TerrainMap& map, const ViewFrustum& frustum, const BlockCandidates* candidates,
               Emitter& out, TerrainView view = TerrainView::groundTiles) {
    const Point3 up{0.0f, 1.0f, 0.0f};
    const auto surface = [&](int c, int r) {
        const TerrainVertex& v = map.vertices[static_cast<std::size_t>(c)][r];
        return Point3{v.position.x, waterSurfaceHeight(v), v.position.z};
    };
    const auto level = [&](int c, int r, float h) {
        return waterSurfaceHeight(map.vertices[static_cast<std::size_t>(c)][r]) == h &&
               waterSurfaceHeight(map.vertices[static_cast<std::size_t>(c)][r + 1]) == h;
    };
    // The strip of quads first to last of row r: columns first to last + 1.
    const auto emitRun = [&](int first, int last, int r) {
        out.begin();
        for (int c = first; c <= last + 1; ++c) {
            const float h = waterSurfaceHeight(map.vertices[static_cast<std::size_t>(c)][r]);
            if (c != first && c != last + 1 && level(c - 1, r, h) && level(c, r, h) &&
                level(c + 1, r, h))
                continue;
            for (const Point3& p : {surface(c, r), surface(c, r + 1)}) {
                out.normal(up);
                out.vertex(p);
            }
        }
        out.end();
    };
    for (int r = 0; r < quadRows(map); ++r) {
        int first = -1, last = -1;
        forQuadsOfRow(map.header->mapWidth, r, candidates, [&](int c) {
            if (!waterShowsOver(map, c, r, view) ||
                !quadInView(frustum, surface(c, r), surface(c, r + 1), surface(c + 1, r),
                            surface(c + 1, r + 1)))
                return;
            if (first >= 0 && c != last + 1) emitRun(first, last, r);
            if (first < 0 || c != last + 1) first = c;
            last = c;
        });
        if (first >= 0) emitRun(first, last, r);
    }
}
