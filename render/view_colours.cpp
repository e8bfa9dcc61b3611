// The colour tables. The height ramp and the layer steps are made in the OKLab colour space,
// where equal distances look equally different: lightness rises at a constant rate while the
// hue turns from blue through green to yellow at constant chroma, so equal steps of height are
// equal steps to the eye.
#include "render/view_colours.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

// Sixteen colours chosen to stay apart from one another and from the grey of unlisted tiles
// (at least 0.1 apart in OKLab).
constexpr unsigned groundPalette[groundPaletteSize] = {
    0xe6194b, 0x3cb44b, 0xffe119, 0x4363d8, 0xf58231, 0x911eb4, 0x42d4f4, 0xf032e6,
    0x000075, 0xfabed4, 0x008080, 0x6b8e23, 0x9a6324, 0xfffac8, 0x800000, 0xaaffc3};
constexpr unsigned unlistedTile = 0x808080;
constexpr unsigned ramp = 0xff8c00, tinted = 0x6a1b9a, boundary = 0xd0021b;

Rgb fromHex(unsigned hex) {
    return {static_cast<float>(hex >> 16 & 0xFF) / 255.0f,
            static_cast<float>(hex >> 8 & 0xFF) / 255.0f, static_cast<float>(hex & 0xFF) / 255.0f};
}

double toSrgb(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

// OKLab lightness, chroma and hue (degrees) to sRGB, clipped to the gamut.
Rgb fromOklch(double lightness, double chroma, double hueDegrees) {
    const double hue = hueDegrees * 3.14159265358979 / 180.0;
    const double a = chroma * std::cos(hue), b = chroma * std::sin(hue);
    const double l = std::pow(lightness + 0.3963377774 * a + 0.2158037573 * b, 3);
    const double m = std::pow(lightness - 0.1055613458 * a - 0.0638541728 * b, 3);
    const double s = std::pow(lightness - 0.0894841775 * a - 1.2914855480 * b, 3);
    return {static_cast<float>(toSrgb(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s)),
            static_cast<float>(toSrgb(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s)),
            static_cast<float>(toSrgb(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s))};
}

// t from 0 to 1 along the ramp: lightness 0.30 to 0.94, hue 275 (blue) down to 100 (yellow).
Rgb rampAt(double t, double chroma) {
    return fromOklch(0.30 + 0.64 * t, chroma, 275.0 - 175.0 * t);
}

const std::array<Rgb, heightRampSize>& heightRamp() {
    static const std::array<Rgb, heightRampSize> table = [] {
        std::array<Rgb, heightRampSize> t{};
        for (int i = 0; i < heightRampSize; ++i) t[i] = rampAt(i / (heightRampSize - 1.0), 0.12);
        return t;
    }();
    return table;
}

// Greyish green in clear steps of lightness: maps use the first few layers most, so those
// steps are wide and the ones past layer 7 share the lightest colour.
const std::array<Rgb, 16>& layerSteps() {
    static const std::array<Rgb, 16> table = [] {
        std::array<Rgb, 16> t{};
        for (int i = 0; i < 16; ++i) t[i] = fromOklch(0.36 + 0.08 * std::min(i, 7), 0.045, 145.0);
        return t;
    }();
    return table;
}

} // namespace

Rgb groundTileColour(int texture, int groundTileSetCount) {
    const bool listed = texture >= 0 && texture < groundTileSetCount && texture < groundPaletteSize;
    return fromHex(listed ? groundPalette[texture] : unlistedTile);
}

Rgb heightColour(float y, float lowest, float highest) {
    const float span = highest - lowest;
    if (!(span > 0.0f)) return heightRamp()[heightRampSize / 2];
    const float t = (y - lowest) / span * static_cast<float>(heightRampSize - 1) + 0.5f;
    const int step =
        t > 0.0f ? (t < heightRampSize - 1.0f ? static_cast<int>(t) : heightRampSize - 1) : 0;
    return heightRamp()[static_cast<std::size_t>(step)];
}

Rgb cliffColour(const TerrainVertex& v) {
    if ((v.tileFlags & boundaryFlag) || v.boundary) return fromHex(boundary);
    if (v.tileFlags & rampFlag) return fromHex(ramp);
    if (v.tileFlags & tintedFlag) return fromHex(tinted);
    return layerColour(v.layerHeight);
}

Rgb rampColour() {
    return fromHex(ramp);
}

Rgb tintedColour() {
    return fromHex(tinted);
}

Rgb boundaryColour() {
    return fromHex(boundary);
}

Rgb layerColour(int layer) {
    return layerSteps()[static_cast<std::size_t>(std::clamp(layer, 0, 15))];
}

std::string hexColour(const Rgb& c) {
    const auto byte = [](float v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(c.r), byte(c.g), byte(c.b));
    return text;
}
