// The water's depth over the ground is planar over each of a quad's two triangles (the strips'
// diagonal, from (c, r + 1) to (c + 1, r)), as the full grid draws both surfaces; a quarter's
// texel shows the water when the depth at its centre is above zero.
#include "view/ground_look.h"

#include "view/water_cover.h"

#include <algorithm>
#include <cstring>

namespace {

unsigned char toByte(float v) {
    return static_cast<unsigned char>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

float depthAt(const TerrainVertex& v) {
    return waterSurfaceHeight(v) - v.position.y;
}

// The water's colour over a point's colour, in whole texel values.
void putWaterOver(unsigned char* texel, const unsigned char* ground) {
    const float a = waterColour[3];
    for (int k = 0; k < 3; ++k)
        texel[k] = static_cast<unsigned char>(static_cast<float>(ground[k]) * (1.0f - a) +
                                              waterColour[k] * a * 255.0f + 0.5f);
    texel[3] = 255;
}

// The water over the quarters of quad (qc, qr) where it stands above the ground, for the
// quarters that lie in `span`.
void waterOverQuad(const TerrainMap& map, const MapSpan& span, const Texels& points,
                   const Texels& look, int qc, int qr) {
    const TerrainVertex* left = map.vertices[static_cast<std::size_t>(qc)].get();
    const TerrainVertex* right = map.vertices[static_cast<std::size_t>(qc) + 1].get();
    const float a = depthAt(left[qr]), b = depthAt(right[qr]), c = depthAt(left[qr + 1]),
                d = depthAt(right[qr + 1]);
    // At each quarter's centre, (0.25 or 0.75, 0.25 or 0.75) across the quad.
    const float depth[2][2] = {{0.5f * a + 0.25f * (b + c), 0.25f * b + 0.75f * c},
                               {0.75f * b + 0.25f * c, 0.5f * d + 0.25f * (b + c)}};
    const int across = lookTexelsPerTile * (span.quadsAcross + 1),
              down = lookTexelsPerTile * (span.quadsDown + 1);
    for (int dc = 0; dc < 2; ++dc) {
        for (int dr = 0; dr < 2; ++dr) {
            if (depth[dc][dr] <= 0.0f) continue;
            const int px = qc + dc - span.c0, py = qr + dr - span.r0; // the quarter's point
            const int x = lookTexelsPerTile * px + 1 - dc, y = lookTexelsPerTile * py + 1 - dr;
            if (x >= 0 && y >= 0 && x < across && y < down)
                putWaterOver(look.at(x, y), points.at(px, py));
        }
    }
}

} // namespace

void putColour(unsigned char* texel, const Rgb& colour) {
    texel[0] = toByte(colour.r);
    texel[1] = toByte(colour.g);
    texel[2] = toByte(colour.b);
    texel[3] = 255;
}

void fillGroundLook(const TerrainMap& map, TerrainView view, const MapSpan& span,
                    const Texels& points, const Texels& look) {
    const std::size_t rowBytes =
        4 * static_cast<std::size_t>(lookTexelsPerTile) * (span.quadsAcross + 1);
    for (int q = 0; q <= span.quadsDown; ++q) {
        unsigned char* row = look.at(0, lookTexelsPerTile * q);
        for (int p = 0; p <= span.quadsAcross; ++p)
            for (int i = 0; i < lookTexelsPerTile; ++i)
                std::memcpy(row + 4 * (lookTexelsPerTile * p + i), points.at(p, q), 4);
        for (int j = 1; j < lookTexelsPerTile; ++j)
            std::memcpy(look.at(0, lookTexelsPerTile * q + j), row, rowBytes);
    }
    // The quads whose quarters fall in the span, its own and those along its sides, a block at
    // a time, so that both the map's columns and the texels' rows stay in the cache.
    const int quadsX = map.header->mapWidth - 1, quadsZ = map.header->mapHeight - 1;
    const int firstC = std::max(span.c0 - 1, 0),
              endC = std::min(span.c0 + span.quadsAcross + 1, quadsX);
    const int firstR = std::max(span.r0 - 1, 0),
              endR = std::min(span.r0 + span.quadsDown + 1, quadsZ);
    constexpr int block = 64;
    for (int br = firstR; br < endR; br += block)
        for (int bc = firstC; bc < endC; bc += block)
            for (int qc = bc; qc < std::min(bc + block, endC); ++qc)
                for (int qr = br; qr < std::min(br + block, endR); ++qr)
                    if (waterShowsOver(map, qc, qr, view))
                        waterOverQuad(map, span, points, look, qc, qr);
}
