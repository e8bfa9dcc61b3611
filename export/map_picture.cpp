// The picture is made at a pixel a tile point first, then scaled.
#include "export/map_picture.h"

#include "render/view_colours.h"
#include "render/water_colour.h"
#include "render/water_cover.h"

#include <algorithm>
#include <cmath>

namespace {

// Light from the north-west (-x, -z), 45 degrees up.
const Point3 towardsLight = Point3{-0.5f, 0.70710678f, -0.5f};

// Whether the water shows over tile point (c, r): a quad beside it shows water in `view`, and
// its surface is above the point's ground.
bool waterOver(const TerrainMap& map, int c, int r, TerrainView view) {
    const int quadsX = map.header->mapWidth - 1, quadsZ = map.header->mapHeight - 1;
    const TerrainVertex& v = map.vertices[static_cast<std::size_t>(c)][r];
    if (waterSurfaceHeight(v) < v.position.y) return false;
    for (const int qc : {c - 1, c})
        for (const int qr : {r - 1, r})
            if (qc >= 0 && qr >= 0 && qc < quadsX && qr < quadsZ && waterShowsOver(map, qc, qr, view))
                return true;
    return false;
}

// A tile point's colour in the picture.
void pointColour(const TerrainMap& map, const VertexColouring& colouring, TerrainView view, int c,
                 int r, unsigned char out[3]) {
    const TerrainVertex& v = map.vertices[static_cast<std::size_t>(c)][r];
    const Rgb base = view == TerrainView::plain ? Rgb{1.0f, 1.0f, 1.0f} : colouring.colourOf(v);
    const Point3& n = map.normals[static_cast<std::size_t>(c)][r];
    const float lit = n.x * towardsLight.x + n.y * towardsLight.y + n.z * towardsLight.z;
    const float shade = std::clamp(0.35f + 0.7f * std::max(lit, 0.0f), 0.0f, 1.0f);
    float rgb[3] = {base.r * shade, base.g * shade, base.b * shade};
    if (view != TerrainView::plain && waterOver(map, c, r, view)) {
        const float a = waterColour[3];
        for (int k = 0; k < 3; ++k) rgb[k] = rgb[k] * (1.0f - a) + waterColour[k] * shade * a;
    }
    for (int k = 0; k < 3; ++k)
        out[k] = static_cast<unsigned char>(std::lround(std::clamp(rgb[k], 0.0f, 1.0f) * 255.0f));
}

} // namespace

PngImage mapPicture(const TerrainMap& map, TerrainView view, int longest) {
    PngImage image;
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    if (map.vertices.empty()) return image;
    // At a pixel a point, north up: pixel row y is tile row height - 1 - y.
    std::vector<unsigned char> full(static_cast<std::size_t>(width) * height * 3);
    const VertexColouring colouring = VertexColouring::of(map, view);
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < height; ++r)
            pointColour(map, colouring, view, c, r,
                        &full[(static_cast<std::size_t>(height - 1 - r) * width + c) * 3]);
    image.channels = 3;
    const int side = std::max(width, height);
    if (longest <= 0 || longest == side) {
        image.width = width;
        image.height = height;
        image.pixels = std::move(full);
        return image;
    }
    const double scale = static_cast<double>(longest) / side;
    image.width = std::max(1, static_cast<int>(std::lround(width * scale)));
    image.height = std::max(1, static_cast<int>(std::lround(height * scale)));
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    // The points a pixel covers: the nearest one to its centre when enlarging, all those within
    // it when shrinking.
    const auto span = [&](int pixel, int points, int& first, int& end) {
        if (scale >= 1.0) {
            first = std::min(points - 1, static_cast<int>((pixel + 0.5) / scale));
            end = first + 1;
        } else {
            first = std::min(points - 1, static_cast<int>(pixel / scale));
            end = std::max(first + 1, std::min(points, static_cast<int>((pixel + 1) / scale)));
        }
    };
    for (int y = 0; y < image.height; ++y) {
        int y0 = 0, y1 = 0;
        span(y, height, y0, y1);
        for (int x = 0; x < image.width; ++x) {
            int x0 = 0, x1 = 0;
            span(x, width, x0, x1);
            unsigned sum[3] = {0, 0, 0};
            for (int py = y0; py < y1; ++py)
                for (int px = x0; px < x1; ++px)
                    for (int k = 0; k < 3; ++k)
                        sum[k] += full[(static_cast<std::size_t>(py) * width + px) * 3 + k];
            const unsigned count = static_cast<unsigned>((x1 - x0) * (y1 - y0));
            unsigned char* out = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
            for (int k = 0; k < 3; ++k) out[k] = static_cast<unsigned char>((sum[k] + count / 2) / count);
        }
    }
    return image;
}

PngImage heightmap(const TerrainMap& map) {
    PngImage image;
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    if (map.vertices.empty()) return image;
    image.width = width;
    image.height = height;
    image.channels = 1;
    image.bitsPerSample = 16;
    image.pixels.resize(static_cast<std::size_t>(width) * height * 2);
    const double low = map.lowestHeight, span = map.highestHeight - map.lowestHeight;
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            const double y = map.vertices[static_cast<std::size_t>(c)][r].position.y;
            const long level = span > 0.0 ? std::lround((y - low) / span * 65535.0) : 0;
            unsigned char* out = &image.pixels[(static_cast<std::size_t>(height - 1 - r) * width + c) * 2];
            out[0] = static_cast<unsigned char>(level >> 8);
            out[1] = static_cast<unsigned char>(level & 0xFF);
        }
    }
    return image;
}
