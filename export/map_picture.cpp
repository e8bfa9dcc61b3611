// The picture is made at a pixel a tile point first, then scaled.
#include "export/map_picture.h"

#include "view/change_colours.h"
#include "view/contour_lines.h"
#include "view/view_colours.h"
#include "view/water_cover.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Light from the north-west (-x, -z), 45 degrees up.
const Point3 towardsLight = Point3{-0.5f, 0.70710678f, -0.5f};

// Which tile points of columns [first, end) the water covers in `view`, [c - first][r]: the
// corners of every quad it shows over, where its surface is above the point's ground.
void waterCover(const TerrainMap& map, TerrainView view, int first, int end,
                std::vector<unsigned char>& covered) {
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    covered.assign(static_cast<std::size_t>(end - first) * height, 0);
    if (view == TerrainView::plain) return;
    for (int c = std::max(first - 1, 0); c < std::min(end, width - 1); ++c)
        for (int r = 0; r + 1 < height; ++r)
            if (waterShowsOver(map, c, r, view))
                for (const int pc : {c, c + 1})
                    if (pc >= first && pc < end)
                        for (const int pr : {r, r + 1})
                            covered[static_cast<std::size_t>(pc - first) * height + pr] = 1;
    for (int c = first; c < end; ++c) {
        const TerrainVertex* column = map.vertices[static_cast<std::size_t>(c)].get();
        for (int r = 0; r < height; ++r)
            if (waterSurfaceHeight(column[r]) < column[r].position.y)
                covered[static_cast<std::size_t>(c - first) * height + r] = 0;
    }
}

// A tile point's colour in the picture: `base` shaded by its normal, under the water where it
// shows.
void pointColour(const Rgb& base, const Point3& n, bool water, unsigned char out[3]) {
    const float lit = n.x * towardsLight.x + n.y * towardsLight.y + n.z * towardsLight.z;
    const float shade = std::clamp(0.35f + 0.7f * std::max(lit, 0.0f), 0.0f, 1.0f);
    const Rgb seen = water ? waterOver(base) : base;
    const float rgb[3] = {seen.r * shade, seen.g * shade, seen.b * shade};
    for (int k = 0; k < 3; ++k)
        out[k] = static_cast<unsigned char>(std::clamp(rgb[k], 0.0f, 1.0f) * 255.0f + 0.5f);
}

// The picture at a pixel a point, north up: pixel row y is tile row height - 1 - y, each point
// in colour(column, row, vertex), the water where `view` shows it. Columns are taken a band at
// a time, so that both the grid's columns and the picture's rows are read and written in
// order.
template <typename Colour>
std::vector<unsigned char> pointPixels(const TerrainMap& map, TerrainView view, Colour colour) {
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    std::vector<unsigned char> full(static_cast<std::size_t>(width) * height * 3);
    std::vector<unsigned char> water;
    constexpr int band = 64;
    for (int first = 0; first < width; first += band) {
        const int end = std::min(width, first + band);
        waterCover(map, view, first, end, water);
        for (int r = 0; r < height; ++r) {
            unsigned char* out =
                &full[(static_cast<std::size_t>(height - 1 - r) * width + first) * 3];
            for (int c = first; c < end; ++c, out += 3) {
                const std::size_t column = static_cast<std::size_t>(c);
                pointColour(colour(c, r, map.vertices[column][r]), map.normals[column][r],
                            water[static_cast<std::size_t>(c - first) * height + r] != 0, out);
            }
        }
    }
    return full;
}

// The contour bands of column c's points.
void columnBands(const TerrainMap& map, int c, float interval, std::vector<long long>& bands) {
    const TerrainVertex* column = map.vertices[static_cast<std::size_t>(c)].get();
    for (int r = 0; r < map.header->mapHeight; ++r)
        bands[static_cast<std::size_t>(r)] = contourBand(column[r].position.y, interval);
}

// Contour lines over `full` (a pixel a point, north up): a point lies on a line where a
// neighbour east, west, north or south is in a lower band, so each line is a pixel wide on
// its upper side; a line darkens its pixels, a strong one more.
void drawContours(std::vector<unsigned char>& full, const TerrainMap& map) {
    const float interval = contourInterval(map.lowestHeight, map.highestHeight);
    if (!(interval > 0.0f)) return;
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    const std::size_t rows = static_cast<std::size_t>(height);
    std::vector<long long> west(rows), here(rows), east(rows);
    columnBands(map, 0, interval, here);
    for (int c = 0; c < width; ++c) {
        if (c + 1 < width) columnBands(map, c + 1, interval, east);
        for (int r = 0; r < height; ++r) {
            const long long band = here[static_cast<std::size_t>(r)];
            long long below = band;
            if (c > 0) below = std::min(below, west[static_cast<std::size_t>(r)]);
            if (c + 1 < width) below = std::min(below, east[static_cast<std::size_t>(r)]);
            if (r > 0) below = std::min(below, here[static_cast<std::size_t>(r) - 1]);
            if (r + 1 < height) below = std::min(below, here[static_cast<std::size_t>(r) + 1]);
            if (below == band) continue;
            const float keep = strongLineBetween(below, band) ? 0.3f : 0.62f;
            unsigned char* pixel =
                &full[(static_cast<std::size_t>(height - 1 - r) * width + c) * 3];
            for (int k = 0; k < 3; ++k)
                pixel[k] = static_cast<unsigned char>(static_cast<float>(pixel[k]) * keep + 0.5f);
        }
        std::swap(west, here);
        std::swap(here, east);
    }
}

// The points a pixel covers along one side, at `scale` pixels a point: the nearest one to its
// centre when enlarging, all those within it when shrinking.
void pointsOfPixel(double scale, int pixel, int points, int& first, int& end) {
    if (scale >= 1.0) {
        first = std::min(points - 1, static_cast<int>((pixel + 0.5) / scale));
        end = first + 1;
    } else {
        first = std::min(points - 1, static_cast<int>(pixel / scale));
        end = std::max(first + 1, std::min(points, static_cast<int>((pixel + 1) / scale)));
    }
}

// `full`, width x height RGB pixels, scaled by `scale` into the image, sized for it: each pixel
// the mean of the points it covers.
void scaleInto(const std::vector<unsigned char>& full, int width, int height, double scale,
               PngImage& image) {
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        int y0 = 0, y1 = 0;
        pointsOfPixel(scale, y, height, y0, y1);
        for (int x = 0; x < image.width; ++x) {
            int x0 = 0, x1 = 0;
            pointsOfPixel(scale, x, width, x0, x1);
            unsigned sum[3] = {0, 0, 0};
            for (int py = y0; py < y1; ++py)
                for (int px = x0; px < x1; ++px)
                    for (int k = 0; k < 3; ++k)
                        sum[k] += full[(static_cast<std::size_t>(py) * width + px) * 3 + k];
            const unsigned count = static_cast<unsigned>((x1 - x0) * (y1 - y0));
            unsigned char* out = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
            for (int k = 0; k < 3; ++k)
                out[k] = static_cast<unsigned char>((sum[k] + count / 2) / count);
        }
    }
}

// The picture of `full`, a pixel a point, at `longest` pixels along its longer side.
PngImage sized(std::vector<unsigned char> full, int width, int height, int longest) {
    PngImage image;
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
    scaleInto(full, width, height, scale, image);
    return image;
}

// The picture of `map` in colour(column, row, vertex), the water where `view` shows it, sized
// and with contour lines as mapPicture says.
template <typename Colour>
PngImage pictureOf(const TerrainMap& map, TerrainView view, int longest, bool contours,
                   Colour colour) {
    if (map.vertices.empty()) return {};
    std::vector<unsigned char> full = pointPixels(map, view, colour);
    if (contours) drawContours(full, map);
    return sized(std::move(full), map.header->mapWidth, map.header->mapHeight, longest);
}

} // namespace

PngImage mapPicture(const TerrainMap& map, TerrainView view, int longest, bool contours,
                    const TilePalette* palette) {
    const VertexColouring colouring = VertexColouring::of(map, view, nullptr, false, palette);
    const bool plain = view == TerrainView::plain;
    return pictureOf(map, view, longest, contours, [&](int, int, const TerrainVertex& v) {
        return plain ? Rgb{1.0f, 1.0f, 1.0f} : colouring.colourOf(v);
    });
}

PngImage changesPicture(const TerrainMap& after, const MapChanges& changes, int longest,
                        bool contours) {
    return pictureOf(after, TerrainView::plain, longest, contours,
                     [&](int c, int r, const TerrainVertex&) {
                         return changeColour(changes, changes.index(c, r));
                     });
}

std::string heightRange(const TerrainMap& map) {
    char range[96];
    std::snprintf(range, sizeof range, "0 = %.2f, 65535 = %.2f world units",
                  static_cast<double>(map.lowestHeight), static_cast<double>(map.highestHeight));
    return range;
}

std::vector<unsigned char> rawHeights(const PngImage& heights) {
    std::vector<unsigned char> raw(heights.pixels.size());
    for (std::size_t k = 0; k + 1 < raw.size(); k += 2) {
        raw[k] = heights.pixels[k + 1];
        raw[k + 1] = heights.pixels[k];
    }
    return raw;
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
    image.texts.emplace_back("Description", heightRange(map));
    const double low = map.lowestHeight, span = map.highestHeight - map.lowestHeight;
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            const double y = map.vertices[static_cast<std::size_t>(c)][r].position.y;
            const long level = span > 0.0 ? std::lround((y - low) / span * 65535.0) : 0;
            unsigned char* out =
                &image.pixels[(static_cast<std::size_t>(height - 1 - r) * width + c) * 2];
            out[0] = static_cast<unsigned char>(level >> 8);
            out[1] = static_cast<unsigned char>(level & 0xFF);
        }
    }
    return image;
}
