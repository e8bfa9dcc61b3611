// The water's depth over the ground is planar over each of a quad's two triangles (the strips'
// diagonal, from (c, r + 1) to (c + 1, r)), as the full grid draws both surfaces; a quarter's
// texel shows the water when the depth at its centre is above zero.
#include "view/ground_look.h"

#include "view/water_cover.h"

#include <algorithm>
#include <cmath>

namespace {

unsigned char toByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

struct Texels {
    const MapSpan& span;
    int rowTexels;
    unsigned char* bytes;

    bool holds(int x, int y) const {
        return x >= 0 && y >= 0 && x < lookTexelsPerTile * (span.quadsAcross + 1) &&
               y < lookTexelsPerTile * (span.quadsDown + 1);
    }
    void put(int x, int y, const Rgb& colour) const {
        unsigned char* t = bytes + 3 * (static_cast<std::size_t>(y) * rowTexels + x);
        t[0] = toByte(colour.r);
        t[1] = toByte(colour.g);
        t[2] = toByte(colour.b);
    }
};

float depthAt(const TerrainVertex& v) {
    return waterSurfaceHeight(v) - v.position.y;
}

// The water over the quarters of quad (qc, qr) where it stands above the ground.
void waterOverQuad(const TerrainMap& map, const VertexColouring& colouring, const Texels& out,
                   int qc, int qr) {
    const TerrainVertex* left = map.vertices[static_cast<std::size_t>(qc)].get();
    const TerrainVertex* right = map.vertices[static_cast<std::size_t>(qc) + 1].get();
    const float a = depthAt(left[qr]), b = depthAt(right[qr]), c = depthAt(left[qr + 1]),
                d = depthAt(right[qr + 1]);
    // At each quarter's centre, (0.25 or 0.75, 0.25 or 0.75) across the quad.
    const float depth[2][2] = {{0.5f * a + 0.25f * (b + c), 0.25f * b + 0.75f * c},
                               {0.75f * b + 0.25f * c, 0.5f * d + 0.25f * (b + c)}};
    for (int dc = 0; dc < 2; ++dc) {
        for (int dr = 0; dr < 2; ++dr) {
            if (depth[dc][dr] <= 0.0f) continue;
            const int x = lookTexelsPerTile * (qc + dc - out.span.c0) + 1 - dc;
            const int y = lookTexelsPerTile * (qr + dr - out.span.r0) + 1 - dr;
            if (!out.holds(x, y)) continue;
            const TerrainVertex& point = (dc ? right : left)[qr + dr];
            out.put(x, y, waterOver(colouring.colourOf(point)));
        }
    }
}

} // namespace

void fillGroundLook(const TerrainMap& map, const VertexColouring& colouring, const MapSpan& span,
                    int rowTexels, unsigned char* texels) {
    const Texels out{span, rowTexels, texels};
    for (int p = 0; p <= span.quadsAcross; ++p) {
        const TerrainVertex* column = map.vertices[static_cast<std::size_t>(span.c0 + p)].get();
        for (int q = 0; q <= span.quadsDown; ++q) {
            const Rgb colour = colouring.colourOf(column[span.r0 + q]);
            for (int i = 0; i < lookTexelsPerTile; ++i)
                for (int j = 0; j < lookTexelsPerTile; ++j)
                    out.put(lookTexelsPerTile * p + i, lookTexelsPerTile * q + j, colour);
        }
    }
    // The quads whose quarters fall in the span: its own and those along its sides.
    const int quadsX = map.header->mapWidth - 1, quadsZ = map.header->mapHeight - 1;
    const int firstC = std::max(span.c0 - 1, 0),
              endC = std::min(span.c0 + span.quadsAcross + 1, quadsX);
    const int firstR = std::max(span.r0 - 1, 0),
              endR = std::min(span.r0 + span.quadsDown + 1, quadsZ);
    for (int qc = firstC; qc < endC; ++qc)
        for (int qr = firstR; qr < endR; ++qr)
            if (waterShowsOver(map, qc, qr, colouring.view))
                waterOverQuad(map, colouring, out, qc, qr);
}
