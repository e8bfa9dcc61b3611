// The words the window shows, as text: the status line and what a tile point holds for a
// generated map, the legends, and the message box's wrapping.
#include "map_fixture.h"
#include "view/overlay_text.h"
#include "view/text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 4 x 3 map at X offset -8704 and Z offset -1536: ground tile IDs Vmos and Vash, cliff ID
// Vcl1; point (2, 1) on layer 2 at 40 units, ground texture 1, cliff texture 0, ramp and water
// flags, water surface at 66.4.
TerrainMap knownMap() {
    W3eDocument doc = levelDocument(4, 3);
    doc.xOffset = -8704.0f;
    doc.zOffset = -1536.0f;
    W3eTilePoint& p = doc.at(2, 1);
    p.groundHeight = rawGroundHeight(40 - 256); // layer 2 adds 256
    p.cliffAndLayer = 0x02;
    p.flagsAndTexture = 0x51; // ramp (1) and water (4) flags, texture 1
    p.textureDetails = 9;
    p.waterWord = 8192 + 4 * -100;       // -100 - 89.6 + 256 = 66.4
    doc.at(3, 2).flagsAndTexture = 0x2E; // tinted, texture 14: past the two IDs
    return loadMap(doc);
}

std::string joined(const TextLines& lines) {
    std::string all;
    for (int i = 0; i < lines.count; ++i) all += std::string(lines.line[i]) + "\n";
    return all;
}

TEST(OverlayText, WhatATilePointHolds) {
    const TerrainMap map = knownMap();
    TextLines lines;
    describePoint(lines, map, 2, 1);
    EXPECT_EQ(joined(lines), "column 2, row 1\n"
                             "x -8448, z -1408, ground 40.00\n"
                             "ground tile 1 (Vash), details 9\n"
                             "cliff tile 0 (Vcl1), layer 2\n"
                             "flags: ramp, water\n"
                             "water 66.40, depth 26.40\n");
    TextLines other;
    describePoint(other, map, 3, 2);
    EXPECT_EQ(std::string(other.line[2]), "ground tile 14 (unlisted), details 0");
    EXPECT_EQ(std::string(other.line[4]), "flags: tinted");
    EXPECT_EQ(other.count, 5); // no water line without the water flag
}

TEST(OverlayText, TheStatusLineSaysWhereTheCameraIsAndWhatIsShown) {
    const TerrainMap map = knownMap();
    ViewerState state;
    Camera camera;
    camera.x = 192; // 1.5 columns, half a row in: a quarter of (2, 1)
    camera.z = -64;
    state.view = TerrainView::groundTiles;
    state.waterShown = false;
    bool detail = true;
    std::string name = "Карта.w3e";
    TextLines status;
    statusLine(status, map, state, camera, detail, name);
    EXPECT_EQ(std::string(status.line[0]),
              "x -8512, z -1472 (column 1.5, row 0.5) | ground 10.0 | camera 2048 above | "
              "ground tiles | water off | Карта.w3e | F1: keys");
    state.view = TerrainView::plain;
    detail = false;
    camera.overview = true;
    TextLines plain;
    statusLine(plain, map, state, camera, detail, name);
    EXPECT_EQ(std::string(plain.line[0]),
              "x -8512, z -1472 (column 1.5, row 0.5) | ground 10.0 | overview | plain | level of "
              "detail off | Карта.w3e | F1: keys");

    // Whole units and tenths of a tile, a value near zero never "-0".
    camera.x = 100.123f;
    camera.z = -3.3f;
    TextLines tidy;
    statusLine(tidy, map, state, camera, detail, "m");
    EXPECT_EQ(std::string(tidy.line[0]).substr(0, 41), "x -8604, z -1533 (column 0.8, row 0.0) | ");

    // A name too long for the window is shortened in the middle; "F1: keys" stays.
    name = std::string(60, 'A') + "/" + std::string(60, 'B') + ".w3e";
    TextLines cut;
    statusLine(cut, map, state, camera, detail, name,
               784); // an 800 pixel window's, less the margins
    const std::string line = cut.line[0];
    EXPECT_LE(textWidth(line.c_str()), 784) << line;
    EXPECT_EQ(line.substr(line.size() - 10), "| F1: keys") << line;
    EXPECT_NE(line.find("| AAA"), std::string::npos) << "the name's start stays: " << line;
    EXPECT_NE(line.find("A...B"), std::string::npos) << line;
    EXPECT_NE(line.find("B.w3e | "), std::string::npos) << "the name's end stays: " << line;
    for (const int width : {600, 300}) {
        TextLines narrow;
        statusLine(narrow, map, state, camera, detail, name, width);
        EXPECT_EQ(std::string(narrow.line[0]).rfind("F1: keys | ", 0), 0u)
            << "first where not even the name's ends fit: " << narrow.line[0];
    }
}

TEST(OverlayText, LegendsNameTheMapsOwnIdsAndEveryFlag) {
    const TerrainMap map = knownMap();
    const Legend tiles = legendOf(map, TerrainView::groundTiles, true);
    ASSERT_EQ(tiles.count, 4);
    EXPECT_STREQ(tiles.rows[0].label, "0  Vmos");
    EXPECT_STREQ(tiles.rows[1].label, "1  Vash");
    EXPECT_STREQ(tiles.rows[2].label, "unlisted");
    EXPECT_STREQ(tiles.rows[3].label, "water");
    EXPECT_EQ(hexColour(tiles.rows[1].colour),
              hexColour(GroundColours::of(*map.header).byNumber[1]));
    const Legend cliffs = legendOf(map, TerrainView::cliffsAndFlags, false);
    EXPECT_STREQ(cliffs.rows[1].label, "tinted ground");
    EXPECT_EQ(hexColour(cliffs.rows[1].colour), hexColour(tintedColour()));
    EXPECT_STREQ(cliffs.rows[cliffs.count - 1].label, "layer 15");
    const Legend height = legendOf(map, TerrainView::height, false);
    EXPECT_TRUE(height.ramp);
    EXPECT_EQ(height.lowest, 0.0f);
    EXPECT_EQ(height.highest, 40.0f);
}

} // namespace

namespace {

// What the point panel says of a point in two versions: each field that differs as "before >
// after" (tiles by their IDs, which the newer map lists the other way round), found through
// the offsets' shift from either map shown, and the points one map alone has.
TEST(OverlayText, WhatChangedAtAPointFromEitherVersion) {
    const TerrainMap older = knownMap();
    W3eDocument doc = levelDocument(5, 3);
    doc.xOffset = -8704.0f - 128.0f; // a column further west: old column c is new column c + 1
    doc.zOffset = -1536.0f;
    doc.setGroundIds({"Vash", "Vmos"});
    W3eTilePoint& p = doc.at(3, 1); // old (2, 1): raised, the same tile set, no flags
    p.groundHeight = rawGroundHeight(64 - 256);
    p.cliffAndLayer = 0x12;              // cliff texture 1, past the one ID
    p.flagsAndTexture = 0x00;            // texture 0: Vash, as before
    doc.at(2, 0).flagsAndTexture = 0x01; // old (1, 0): texture 1, now Vmos, as before
    const TerrainMap newer = loadMap(doc);
    const MapChanges changes = MapChanges::between(older, newer);
    const auto said = [&](const TerrainMap& shown, const TerrainMap& other, bool olderShown,
                          int column, int row) {
        TextLines lines;
        describeChange(lines, shown, other, changes, olderShown, column, row);
        return joined(lines);
    };
    const std::string raised = "before > after:\nground 40.00 > 64.00\ncliff tile Vcl1 > #1\n"
                               "flags ramp, water > none\nwater 66.40 > none\n";
    EXPECT_EQ(said(newer, older, false, 3, 1), raised);
    EXPECT_EQ(said(older, newer, true, 2, 1), raised);
    EXPECT_EQ(said(newer, older, false, 2, 0), "before > after:\nunchanged\n");
    EXPECT_EQ(said(newer, older, false, 0, 2), "only in the map after\n");
    EXPECT_EQ(said(older, newer, true, 3, 2), "before > after:\nground tile #14 > Vash\n"
                                              "flags tinted > none\n");
}

} // namespace
