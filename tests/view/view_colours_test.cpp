// The colour lookups of the coloured views: colours apart from one another and the water apart
// from them all, a colour per tile set ID, the height ramp's ends and evenness, the precedence
// of the cliff view's marks.
#include "colour_distance.h"
#include "map_fixture.h"
#include "view/view_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

namespace {

Rgb shaded(const Rgb& c, float by) {
    return {c.r * by, c.g * by, c.b * by};
}

// Every dry colour a view can show, and the water over each stays 12 apart from all of them,
// unlit and at the shade a picture gives level ground.
void waterStaysApart(const std::vector<Rgb>& dry, const char* view) {
    for (const float light : {1.0f, 0.845f}) {
        double least = 1e9;
        for (const Rgb& under : dry)
            for (const Rgb& other : dry)
                least =
                    std::min(least, cie76(shaded(waterOver(under), light), shaded(other, light)));
        EXPECT_GE(least, 12.0) << view << ", lit " << light;
    }
}

TEST(ViewColours, GroundColoursStayApartAndTheWaterFromEveryDryColourOfEveryView) {
    std::vector<Rgb> tiles{unlistedColour()};
    const TerrainMap map = loadMap(levelDocument(2, 2));
    for (int entry = 0; entry < groundPaletteSize; ++entry) {
        // An ID for each palette entry, found by its hash.
        for (int n = 0;; ++n) {
            const std::string id = "Z" + std::to_string(1000 + n).substr(1);
            if (paletteEntryOf(id) != entry) continue;
            W3eDocument doc = levelDocument(2, 2);
            doc.setGroundIds({id});
            tiles.push_back(GroundColours::of(*loadMap(doc).header).byNumber[0]);
            break;
        }
    }
    for (std::size_t i = 0; i < tiles.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_GE(cie76(tiles[i], tiles[j]), 15.0)
                << hexColour(tiles[i]) << " and " << hexColour(tiles[j]);
    waterStaysApart(tiles, "ground tiles");

    std::vector<Rgb> heights;
    for (int i = 0; i < heightRampSize; ++i)
        heights.push_back(heightColour(static_cast<float>(i), 0.0f, heightRampSize - 1.0f));
    waterStaysApart(heights, "height");

    // Any two cliff layers 5 apart as drawn: lit level ground from a picture's shade to full
    // light, in the framebuffer's eight bits.
    std::vector<Rgb> cliffs{rampColour(), tintedColour(), boundaryColour()};
    const auto drawn = [](const Rgb& c, float light) {
        const auto byte = [light](float v) { return std::round(v * light * 255.0f) / 255.0f; };
        return Rgb{byte(c.r), byte(c.g), byte(c.b)};
    };
    for (int layer = 0; layer < 16; ++layer) {
        cliffs.push_back(layerColour(layer));
        for (int other = 0; other < layer; ++other)
            for (const float light : {0.845f, 0.9f, 0.95f, 1.0f})
                EXPECT_GE(cie76(drawn(layerColour(layer), light), drawn(layerColour(other), light)),
                          5.0)
                    << layer << " and " << other << ", lit " << light;
    }
    waterStaysApart(cliffs, "cliffs and flags");
}

TEST(ViewColours, ATileSetsColourFollowsItsIdInEveryMapAndTwoIdsNeverShareOne) {
    const auto colours = [](const std::vector<std::string>& ids) {
        W3eDocument doc = levelDocument(2, 2);
        doc.setGroundIds(ids);
        return GroundColours::of(*loadMap(doc).header);
    };
    const GroundColours a = colours({"Qgra", "Qsan", "Qrok"}), b = colours({"Qrok", "Qgra"});
    EXPECT_EQ(hexColour(a.byNumber[0]), hexColour(b.byNumber[1])) << "Qgra";
    EXPECT_EQ(hexColour(a.byNumber[2]), hexColour(b.byNumber[0])) << "Qrok";
    EXPECT_EQ(hexColour(a.byNumber[3]), "#808080") << "past the list: unlisted";
    EXPECT_EQ(hexColour(b.byNumber[15]), "#808080");

    // Two IDs on one entry: the first in alphabetical order keeps it, the other takes the next
    // free one, wherever they stand in the list; alone, each has its own.
    std::string clash;
    for (int n = 0; clash.empty(); ++n) {
        const std::string id = "Q" + std::to_string(1000 + n).substr(1);
        if (paletteEntryOf(id) == paletteEntryOf("Qgra") && id != "Qgra") clash = id;
    }
    const GroundColours both = colours({"Qgra", clash}), swapped = colours({clash, "Qgra"});
    const std::string first = clash < "Qgra" ? clash : "Qgra",
                      second = clash < "Qgra" ? "Qgra" : clash;
    EXPECT_NE(hexColour(both.byNumber[0]), hexColour(both.byNumber[1]));
    EXPECT_EQ(hexColour(both.byNumber[0]), hexColour(swapped.byNumber[1]));
    EXPECT_EQ(hexColour(colours({first}).byNumber[0]), hexColour(colours({second}).byNumber[0]));
    EXPECT_EQ(hexColour(colours({first}).byNumber[0]),
              hexColour(both.byNumber[first == "Qgra" ? 0 : 1]));
    // Sixteen IDs: sixteen colours; the same ID twice: one.
    std::vector<std::string> sixteen;
    for (int i = 0; i < 16; ++i) sixteen.push_back("T" + std::to_string(100 + i));
    const GroundColours many = colours(sixteen);
    std::set<std::string> seen;
    for (const Rgb& c : many.byNumber) seen.insert(hexColour(c));
    EXPECT_EQ(seen.size(), 16u);
    const GroundColours twice = colours({"Qgra", "Qgra"});
    EXPECT_EQ(hexColour(twice.byNumber[0]), hexColour(twice.byNumber[1]));
}

TEST(ViewColours, HeightRampRunsDarkToLightInEvenSteps) {
    const Rgb low = heightColour(-100.0f, -100.0f, 300.0f);
    const Rgb high = heightColour(300.0f, -100.0f, 300.0f);
    EXPECT_LT(low.r + low.g + low.b, 1.0f);                                        // dark
    EXPECT_GT(low.r, low.g);                                                       // purple
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

    // No height reads as water: every step of the ramp far from the water's colour.
    const Rgb water{waterColour[0], waterColour[1], waterColour[2]};
    for (int i = 0; i < heightRampSize; ++i)
        EXPECT_GE(cie76(heightColour(static_cast<float>(i), 0.0f, heightRampSize - 1.0f), water),
                  50.0)
            << i;
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
