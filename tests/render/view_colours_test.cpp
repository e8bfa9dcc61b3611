// The colour lookups of the coloured views: palette bounds, the height ramp's ends and
// evenness, the precedence of the cliff view's marks.
#include "render/view_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Distance in OKLab, where equal distances look equally different.
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
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}

TEST(ViewColours, SixteenTileColoursApartAndGreyForTileSetsTheMapDoesNotList) {
    const Rgb grey = groundTileColour(0, 0);
    EXPECT_EQ(hexColour(grey), "#808080");
    for (int i = 0; i < groundPaletteSize; ++i) {
        EXPECT_GT(perceivedDistance(groundTileColour(i, 16), grey), 0.1) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_GT(perceivedDistance(groundTileColour(i, 16), groundTileColour(j, 16)), 0.1)
                << i << " and " << j;
    }
    EXPECT_EQ(hexColour(groundTileColour(3, 4)), hexColour(groundTileColour(3, 200)));
    EXPECT_EQ(hexColour(groundTileColour(4, 4)), "#808080"); // at the count: not listed
    EXPECT_EQ(hexColour(groundTileColour(15, 3)), "#808080");
    EXPECT_EQ(hexColour(groundTileColour(-1, 4)), "#808080");
}

TEST(ViewColours, HeightRampRunsDarkToLightInEvenSteps) {
    const Rgb low = heightColour(-100.0f, -100.0f, 300.0f);
    const Rgb high = heightColour(300.0f, -100.0f, 300.0f);
    EXPECT_LT(low.r + low.g + low.b, 1.0f);                                        // dark
    EXPECT_GT(low.b, low.g);                                                       // blue
    EXPECT_GT(high.r + high.g + high.b, 2.4f);                                     // light
    EXPECT_GT(high.r, high.b);                                                     // yellow
    EXPECT_EQ(hexColour(heightColour(-5000.0f, -100.0f, 300.0f)), hexColour(low)); // held at
    EXPECT_EQ(hexColour(heightColour(5000.0f, -100.0f, 300.0f)), hexColour(high)); // the ends
    EXPECT_EQ(hexColour(heightColour(7.0f, 7.0f, 7.0f)),
              hexColour(heightColour(100.0f, -100.0f, 300.0f))); // level: the middle

    // Every step looks about as different as every other.
    double least = 1e9, most = 0.0;
    Rgb previous = low;
    for (int i = 1; i < heightRampSize; ++i) {
        const Rgb next = heightColour(static_cast<float>(i), 0.0f, heightRampSize - 1.0f);
        const double step = perceivedDistance(previous, next);
        least = std::min(least, step);
        most = std::max(most, step);
        previous = next;
    }
    EXPECT_GT(least, 0.0);
    EXPECT_LT(most / least, 1.5) << least << " to " << most;
}

TEST(ViewColours, BoundaryBeforeRampBeforeTintedBeforeTheLayer) {
    TerrainVertex v;
    v.layerHeight = 2;
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(layerColour(2)));
    EXPECT_NE(hexColour(layerColour(1)), hexColour(layerColour(2)));
    v.tileFlags = waterFlag; // water shows as the surface over the layer, not here
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(layerColour(2)));
    v.tileFlags |= tintedFlag;
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(tintedColour()));
    v.tileFlags |= rampFlag;
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(rampColour()));
    v.boundary = 1; // the water word's mark
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(boundaryColour()));
    v.boundary = 0;
    v.tileFlags = boundaryFlag;
    EXPECT_EQ(hexColour(cliffColour(v)), hexColour(boundaryColour()));
    const std::string marks[] = {hexColour(rampColour()), hexColour(tintedColour()),
                                 hexColour(boundaryColour())};
    for (int layer = 0; layer < 16; ++layer)
        for (const std::string& mark : marks) EXPECT_NE(hexColour(layerColour(layer)), mark);
}

} // namespace
