#include "view/tile_palette.h"

#include "map_fixture.h"

#include <gtest/gtest.h>

// A palette's lines: comments and blanks skipped, a bad line named by its number and the rest
// applied, a later line for an ID winning; written out, a map's colours read back the same.
TEST(TilePalette, BadLinesAreNamedAndTheRestApplies) {
    std::vector<std::string> problems;
    const TilePalette p = readPalette("# team colours\r\n\nQgra #00ff00 # grass\nQsan sand\n"
                                      "Qtoolong #123456\nQrok #808080 extra\nQgra #0000FF\n",
                                      problems);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], "line 4: 'sand' is not a colour: #rrggbb");
    EXPECT_EQ(problems[1], "line 5: a tile set's ID has 4 characters, not 'Qtoolong'");
    EXPECT_EQ(problems[2], "line 6: one ID and one colour a line, not also 'extra'");
    ASSERT_NE(p.colourOf("Qgra"), nullptr);
    EXPECT_EQ(hexColour(*p.colourOf("Qgra")), "#0000ff");
    EXPECT_EQ(p.colourOf("Qsan"), nullptr);

    W3eDocument doc = levelDocument(2, 2);
    doc.setGroundIds({"Qgra", "Qsan", "Qrok"});
    const TerrainMap map = loadMap(doc);
    const EnvironmentHeader& h = *map.header;
    const GroundColours coloured = GroundColours::of(h, &p);
    std::vector<std::string> none;
    const TilePalette back = readPalette(paletteText(h, coloured), none);
    EXPECT_TRUE(none.empty());
    const GroundColours again = GroundColours::of(h, &back);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(hexColour(again.byNumber[i]), hexColour(coloured.byNumber[i])) << i;
    EXPECT_EQ(hexColour(coloured.byNumber[0]), "#0000ff");
}

// An ID the palette does not name never gets a colour that looks like one the palette gives
// this map.
TEST(TilePalette, OtherIdsAvoidThePalettesColours) {
    W3eDocument doc = levelDocument(2, 2);
    doc.setGroundIds({"Qgra", "Qsan"});
    const TerrainMap map = loadMap(doc);
    const EnvironmentHeader& h = *map.header;
    const Rgb sand = GroundColours::of(h).byNumber[1]; // what Qsan has without a palette
    TilePalette p;
    p.entries = {{"Qgra", sand}};
    const GroundColours c = GroundColours::of(h, &p);
    EXPECT_EQ(hexColour(c.byNumber[0]), hexColour(sand));
    EXPECT_NE(hexColour(c.byNumber[1]), hexColour(sand));
}
