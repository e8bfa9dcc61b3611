// The window draws the legend's panel translucent over the terrain; beside the picture there
// is nothing under it, so its colour is that panel over black.
#include "export/picture_legend.h"

#include "view/legend_layout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int margin = 8;
const Rgb panelColour{0.036f, 0.043f, 0.058f};

// Draws what the legend's layout asks for into an RGB image, clipped to it.
struct ImagePainter {
    PngImage& image;

    void blend(int x, int y, const Rgb& colour, float alpha) {
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
        unsigned char* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3];
        const float c[3] = {colour.r, colour.g, colour.b};
        for (int k = 0; k < 3; ++k)
            p[k] = static_cast<unsigned char>(std::lround(
                std::clamp(p[k] / 255.0f * (1.0f - alpha) + c[k] * alpha, 0.0f, 1.0f) * 255.0f));
    }
    void swatch(int x, int y, int width, int height, const Rgb& colour, float alpha = 1.0f) {
        for (int j = y; j < y + height; ++j)
            for (int i = x; i < x + width; ++i) blend(i, j, colour, alpha);
    }
    void panel(int x, int y, int width, int height) { swatch(x, y, width, height, panelColour); }
    // As the window draws text: each glyph's coverage from the font's atlas, at whole pixels.
    void draw(int x, int y, const char* text, const Rgb& colour) {
        const int baseline = y + fontData.ascent;
        for (const char* p = text; *p;) {
            const FontGlyph& g = glyphOf(nextCode(p));
            for (int j = 0; j < g.height; ++j)
                for (int i = 0; i < g.width; ++i) {
                    const unsigned char cover =
                        fontData.atlas[static_cast<std::size_t>(g.y + j) * fontData.atlasWidth +
                                       g.x + i];
                    if (cover) blend(x + g.left + i, baseline - g.top + j, colour, cover / 255.0f);
                }
            x += g.advance;
        }
    }
};

} // namespace

PngImage withLegend(const PngImage& picture, const Legend& legend) {
    if (legend.count == 0 && !legend.ramp) return picture;
    int width = 0, height = 0;
    legendSize(legend, width, height);
    PngImage out;
    out.width = picture.width + width + 2 * margin;
    out.height = std::max(picture.height, height + 2 * margin);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    ImagePainter paint{out};
    paint.panel(0, 0, out.width, out.height);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(&picture.pixels[static_cast<std::size_t>(y) * picture.width * 3],
                    static_cast<std::size_t>(picture.width) * 3,
                    &out.pixels[static_cast<std::size_t>(y) * out.width * 3]);
    drawLegend(paint, legend, picture.width + margin, margin);
    return out;
}
