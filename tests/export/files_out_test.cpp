// Pictures, heightmaps and summaries of generated maps, without a display: the picture's size,
// its orientation (a marker in a corner lands in that corner), the colours of two tile types;
// the heightmap's values at known points; the summary's numbers; and files written whole.
#include "app/files_out.h"
#include "colour_distance.h"
#include "export/map_picture.h"
#include "export/map_summary.h"
#include "export/picture_legend.h"
#include "map_fixture.h"
#include "view/view_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <zlib.h>

namespace {

// A 6 x 4 map: tile set 0 in the west half, 1 in the east; the north-west corner (the last row,
// column 0) a ramp; the ground rising 10 units a column.
TerrainMap markedMap() {
    W3eDocument doc = levelDocument(6, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) {
            doc.at(c, r).flagsAndTexture = c < 3 ? 0 : 1;
            doc.at(c, r).groundHeight = rawGroundHeight(10.0 * c);
        }
    doc.at(0, 3).flagsAndTexture = 0x10; // the ramp flag, tile set 0
    return loadMap(doc);
}

const unsigned char* pixel(const PngImage& image, int x, int y) {
    const std::size_t bytes = static_cast<std::size_t>(image.channels * image.bitsPerSample / 8);
    return &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * bytes];
}

// The picture's colour of a flat point of `colour`: shaded by a light 45 degrees up.
bool nearColour(const unsigned char* p, const Rgb& colour, int slack = 6) {
    const float shade = 0.35f + 0.7f * 0.70710678f;
    return std::abs(p[0] - colour.r * shade * 255) <= slack &&
           std::abs(p[1] - colour.g * shade * 255) <= slack &&
           std::abs(p[2] - colour.b * shade * 255) <= slack;
}

TEST(FilesOut, ThePictureHasAPixelAPointNorthUpInTheViewsColours) {
    const TerrainMap map = markedMap();
    const PngImage tiles = mapPicture(map, TerrainView::groundTiles);
    ASSERT_EQ(tiles.width, 6);
    ASSERT_EQ(tiles.height, 4);
    // West is tile set 0, east tile set 1 (gentle slopes: within a few levels of flat).
    EXPECT_TRUE(nearColour(pixel(tiles, 1, 2), GroundColours::of(*map.header).byNumber[0], 12));
    EXPECT_TRUE(nearColour(pixel(tiles, 4, 2), GroundColours::of(*map.header).byNumber[1], 12));
    // The ramp at the last row shows at the top left in the cliffs view, and nowhere else.
    const PngImage cliffs = mapPicture(map, TerrainView::cliffsAndFlags);
    int orange = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) orange += nearColour(pixel(cliffs, x, y), rampColour(), 40);
    EXPECT_EQ(orange, 1);
    EXPECT_TRUE(nearColour(pixel(cliffs, 0, 0), rampColour(), 40));
    // Larger and smaller, along the longer side; the marker stays in its corner.
    const PngImage large = mapPicture(map, TerrainView::cliffsAndFlags, 60);
    EXPECT_EQ(large.width, 60);
    EXPECT_EQ(large.height, 40);
    EXPECT_TRUE(nearColour(pixel(large, 3, 3), rampColour(), 40));
    EXPECT_FALSE(nearColour(pixel(large, 56, 36), rampColour(), 40));
    const PngImage small = mapPicture(map, TerrainView::plain, 3);
    EXPECT_EQ(small.width, 3);
    EXPECT_EQ(small.height, 2);
}

// A map in stripes of its 16 tile sets, four points wide, the northern half under water.
TerrainMap stripesHalfUnderWater() {
    W3eDocument doc = levelDocument(64, 16);
    std::vector<std::string> ids;
    for (int i = 0; i < 16; ++i) ids.push_back("S" + std::to_string(100 + i * 7));
    doc.setGroundIds(ids);
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 64; ++c) {
            W3eTilePoint& p = doc.at(c, r);
            const bool wet = r >= 8;
            p.groundHeight = rawGroundHeight(wet ? -20 : 0);
            p.waterWord = 8192 + 4 * -166; // the surface at 0.4
            p.flagsAndTexture = static_cast<std::uint8_t>((wet ? 0x40 : 0) | c / 4);
        }
    }
    return loadMap(doc);
}

// The mean colour of the picture's pixels (x0, y0) to (x1, y1), exclusive.
Rgb meanColour(const PngImage& image, int x0, int y0, int x1, int y1) {
    double sum[3] = {};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int k = 0; k < 3; ++k) sum[k] += pixel(image, x, y)[k];
    const double n = 255.0 * (x1 - x0) * (y1 - y0);
    return {static_cast<float>(sum[0] / n), static_cast<float>(sum[1] / n),
            static_cast<float>(sum[2] / n)};
}

TEST(FilesOut, WaterOverAnyGroundStaysApartFromEveryDryGroundInThePicture) {
    const TerrainMap map = stripesHalfUnderWater();
    const PngImage tiles = mapPicture(map, TerrainView::groundTiles);
    ASSERT_EQ(tiles.width, 64);
    // North up: rows 0 to 7 of the picture are the wet half. Inside each stripe, away from
    // the shore and the stripes' edges.
    std::vector<Rgb> dry, wet;
    for (int stripe = 0; stripe < 16; ++stripe) {
        wet.push_back(meanColour(tiles, stripe * 4 + 1, 1, stripe * 4 + 3, 6));
        dry.push_back(meanColour(tiles, stripe * 4 + 1, 10, stripe * 4 + 3, 15));
    }
    for (const Rgb& water : wet)
        for (const Rgb& ground : dry)
            EXPECT_GE(cie76(water, ground), 12.0)
                << "water " << hexColour(water) << ", ground " << hexColour(ground);
}

TEST(FilesOut, TheLegendStandsBesideThePictureWithEverySwatchAndItsWords) {
    const TerrainMap map = stripesHalfUnderWater();
    const PngImage picture = mapPicture(map, TerrainView::groundTiles);
    const Legend legend = legendOf(map, TerrainView::groundTiles, true);
    const PngImage both = withLegend(picture, legend);
    ASSERT_GT(both.width, picture.width + 60);
    ASSERT_GE(both.height, picture.height);
    for (int y = 0; y < picture.height; ++y) // the map as it was, at the left
        ASSERT_TRUE(std::equal(pixel(picture, 0, y), pixel(picture, 0, y) + picture.width * 3,
                               pixel(both, 0, y)))
            << "row " << y;
    const auto count = [&](const Rgb& c) {
        int n = 0;
        for (int y = 0; y < both.height; ++y)
            for (int x = picture.width; x < both.width; ++x) {
                const unsigned char* p = pixel(both, x, y);
                n += std::abs(p[0] - c.r * 255) < 2 && std::abs(p[1] - c.g * 255) < 2 &&
                     std::abs(p[2] - c.b * 255) < 2;
            }
        return n;
    };
    ASSERT_EQ(legend.count, 18); // 16 tile sets, unlisted, water
    for (int i = 0; i < legend.count; ++i)
        EXPECT_GE(count(legend.rows[i].colour), 100) << legend.rows[i].label;
    int ink = 0; // the letters: light pixels, as the window draws its words
    for (int y = 0; y < both.height; ++y)
        for (int x = picture.width; x < both.width; ++x) ink += pixel(both, x, y)[1] > 200;
    EXPECT_GT(ink, 300);
    // The plain view has no legend: the picture as it was.
    EXPECT_EQ(withLegend(picture, legendOf(map, TerrainView::plain, true)).width, picture.width);
}

TEST(FilesOut, TheHeightmapRunsFromTheLowestToTheHighestGround) {
    const PngImage heights = heightmap(markedMap());
    ASSERT_EQ(heights.bitsPerSample, 16);
    const auto level = [&](int x, int y) {
        const unsigned char* p = pixel(heights, x, y);
        return p[0] << 8 | p[1];
    };
    EXPECT_EQ(level(0, 0), 0);     // column 0: the lowest
    EXPECT_EQ(level(5, 3), 65535); // column 5: the highest
    EXPECT_EQ(level(2, 1), 26214); // 20 of 50 units up
    const PngImage level0 = heightmap(loadMap(levelDocument(3, 3)));
    for (const unsigned char b : level0.pixels) EXPECT_EQ(b, 0); // level ground is all 0
}

TEST(FilesOut, TheSummarySaysWhatTheMapHolds) {
    const std::vector<std::string> lines = mapSummary(markedMap(), ReportText::asRead);
    const std::vector<std::string> expected = {"tiles: 5 x 3",
                                               "world units: 640 x 384",
                                               "ground lowest: 0.00",
                                               "ground highest: 50.00",
                                               "ground mean: 25.00",
                                               "ground tile 0 Vmos: 50.00%",
                                               "ground tile 1 Vash: 50.00%",
                                               "ground tile unlisted: 0.00%",
                                               "water: 0.00%",
                                               "ramp: 4.17%",
                                               "tinted ground: 0.00%",
                                               "boundary: 0.00%",
                                               "cliff layers: 0",
                                               "water level: none"};
    EXPECT_EQ(lines, expected);
}

TEST(FilesOut, APngIsWrittenWholeAndNeverOverItsMap) {
    const TerrainMap map = markedMap();
    const std::string mapFile = writeScratch(levelDocument(6, 4).bytes(), "map.w3e");
    const std::string out = scratchPath("picture.png");
    std::string error;
    ASSERT_TRUE(writePng(out, mapPicture(map, TerrainView::height), mapFile, error)) << error;
    std::ifstream file(out, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
    ASSERT_GT(bytes.size(), 60u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    // Each chunk's CRC holds: the header's, right after its 13 bytes.
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), &bytes[12], 17);
    EXPECT_EQ(crc,
              static_cast<uLong>(bytes[29]) << 24 | bytes[30] << 16 | bytes[31] << 8 | bytes[32]);
    EXPECT_FALSE(writePng(mapFile, mapPicture(map, TerrainView::plain), mapFile, error));
    EXPECT_NE(error.find("over the map"), std::string::npos) << error;
    EXPECT_FALSE(writePng(scratchPath("no/such/folder/p.png"), mapPicture(map, TerrainView::plain),
                          "", error));
}

} // namespace
