// The colour tables. The height ramp and the layer steps are made in the OKLab colour space,
// where equal distances look equally different: lightness rises at a constant rate while the
// hue turns at constant chroma, so equal steps of height are equal steps to the eye.
#include "view/view_colours.h"

#include "view/tile_palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// Kenneth L. Kelly's twenty-two colours of maximum contrast (1965), a set long studied for
// telling many categories apart, in his order, without white, black and grey (which the
// unlisted grey, the text's panels and the shadows take) and without his two blues (the
// water's): at least 15 apart (CIE76) from one another and from the grey.
constexpr unsigned groundPalette[groundPaletteSize] = {
    0xf3c300, 0x875692, 0xf38400, 0xbe0032, 0xc2b280, 0x008856, 0xe68fac, 0xf99379, 0x604e97,
    0xf6a600, 0xb3446c, 0xdcd300, 0x882d17, 0x8db600, 0x654522, 0xe25822, 0x2b3d26};
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

// t from 0 to 1 along the ramp: lightness 0.30 to 0.94, hue 330 (purple) up through red and
// orange to 100 (yellow), the way that never passes the water's blue, so no height reads as
// water.
Rgb rampAt(double t, double chroma) {
    return fromOklch(0.30 + 0.64 * t, chroma, 330.0 + 130.0 * t);
}

const std::array<Rgb, heightRampSize>& heightRamp() {
    static const std::array<Rgb, heightRampSize> table = [] {
        std::array<Rgb, heightRampSize> t{};
        for (int i = 0; i < heightRampSize; ++i) t[i] = rampAt(i / (heightRampSize - 1.0), 0.12);
        return t;
    }();
    return table;
}

// Green in sixteen steps of lightness, turning towards yellow a layer up: any two layers at
// least 5 apart (CIE76) as lit level ground shows them, where the light dims them by up to a
// sixth and lightness alone would leave the darkest ones closer.
const std::array<Rgb, 16>& layerSteps() {
    static const std::array<Rgb, 16> table = [] {
        std::array<Rgb, 16> t{};
        for (int i = 0; i < 16; ++i) t[i] = fromOklch(0.26 + 0.048 * i, 0.10, 150.0 - 4.0 * i);
        return t;
    }();
    return table;
}

} // namespace

double perceivedDistance(const Rgb& x, const Rgb& y) {
    const auto lab = [](const Rgb& c, double out[3]) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        const double r = linear(c.r), g = linear(c.g), b = linear(c.b);
        const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
        const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
        const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
        out[0] = 0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s;
        out[1] = 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s;
        out[2] = 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s;
    };
    double a[3], b[3];
    lab(x, a);
    lab(y, b);
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

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

int paletteEntryOf(const std::string& id) {
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : id) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return static_cast<int>(hash % groundPaletteSize);
}

GroundColours GroundColours::of(const EnvironmentHeader& header, const TilePalette* palette) {
    GroundColours colours;
    struct Listed {
        std::string id;
        int number;
    };
    Listed listed[16];
    int count = 0;
    for (int i = 0; i < 16 && i < header.groundTileSetCount; ++i)
        listed[count++] = {header.groundTileSetId(i), i};
    std::sort(listed, listed + count, [](const Listed& a, const Listed& b) {
        return a.id < b.id || (a.id == b.id && a.number < b.number);
    });
    for (Rgb& c : colours.byNumber) c = fromHex(unlistedTile);
    // The user's colours first; the fixed palette's entries close to them are not handed out.
    bool taken[groundPaletteSize] = {};
    for (int k = 0; k < count; ++k) {
        const Rgb* chosen = palette ? palette->colourOf(listed[k].id) : nullptr;
        if (!chosen) continue;
        colours.byNumber[listed[k].number] = *chosen;
        for (int e = 0; e < groundPaletteSize; ++e)
            taken[e] = taken[e] || perceivedDistance(fromHex(groundPalette[e]), *chosen) < 0.1;
    }
    int entryOf[16] = {};
    for (int k = 0; k < count; ++k) {
        if (palette && palette->colourOf(listed[k].id)) continue;
        int entry = paletteEntryOf(listed[k].id);
        if (k > 0 && listed[k].id == listed[k - 1].id) {
            entry = entryOf[k - 1]; // the same tile set listed again
        } else {
            // Every entry taken (a palette close to all of them): the ID's own one.
            for (int tries = 0; taken[entry] && tries < groundPaletteSize; ++tries)
                entry = (entry + 1) % groundPaletteSize;
            taken[entry] = true;
        }
        entryOf[k] = entry;
        colours.byNumber[listed[k].number] = fromHex(groundPalette[entry]);
    }
    return colours;
}

Rgb unlistedColour() {
    return fromHex(unlistedTile);
}

Rgb waterOver(const Rgb& ground) {
    const float a = waterColour[3];
    return {ground.r * (1.0f - a) + waterColour[0] * a, ground.g * (1.0f - a) + waterColour[1] * a,
            ground.b * (1.0f - a) + waterColour[2] * a};
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
