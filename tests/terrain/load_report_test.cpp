// The load report: its lines, their order and the notation of their values.
#include "map_fixture.h"
#include "terrain/report_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

W3eDocument reportDocument() {
    W3eDocument doc = levelDocument(3, 2);
    doc.tileSet = 'L';
    doc.customTileSet = -7;
    doc.xOffset = -6144.0f;
    doc.zOffset = 12345678.0f;
    return doc;
}

TEST(LoadReport, ValidFilePrintsThirteenLinesInOrder) {
    LoadResult r = loadDocument(reportDocument());
    ASSERT_TRUE(r.map->loaded()) << r.map->loadError;
    const std::string path = scratchPath("");
    EXPECT_EQ(r.report.substr(0, r.report.rfind("Done loading ")),
              "W3E! - W3E check passed.\n"
              "Version - 11.  Version check passed\n"
              "Tile set - L\n"
              "Custom tile set - -7\n"
              "Number of ground tile sets - 2\n"
              "Ground tile set IDs - VmosVash\n"
              "Number of cliff tile sets - 1\n"
              "Cliff tile set IDs - Vcl1\n"
              "Map width - 3\n"
              "Map height - 2\n"
              "X offset - -6144\n"
              "Z offset - 1.23457e+007\n");
    // The last line names the file exactly as it was given.
    const std::string last = r.report.substr(r.report.rfind("Done loading "));
    EXPECT_EQ(last.rfind("Done loading /", 0), 0u) << last;
    EXPECT_NE(last.find("war3map.w3e\n"), std::string::npos) << last;
    EXPECT_EQ(last.back(), '\n');
}

TEST(LoadReport, OddMagicAndVersionLeaveOutTheirLinesButLoadTheSameGrid) {
    W3eDocument doc = reportDocument();
    doc.at(2, 1).groundHeight = 9000;
    LoadResult valid = loadDocument(doc);
    doc.magic = "W3E?";
    doc.version = 12;
    LoadResult odd = loadDocument(doc);
    ASSERT_TRUE(odd.map->loaded()) << odd.map->loadError;
    // The last line names the file, which differs between the two loads.
    odd.report.erase(odd.report.rfind("Done loading "));
    valid.report.erase(valid.report.rfind("Done loading "));
    EXPECT_EQ(odd.report.find("W3E"), std::string::npos);
    EXPECT_EQ(odd.report.find("Version"), std::string::npos);
    EXPECT_EQ(odd.report.rfind("Tile set - L\n", 0), 0u);
    // Everything after the two check lines is the same.
    EXPECT_NE(valid.report.find(odd.report), std::string::npos);
    EXPECT_EQ(odd.map->vertices[2][1].position.y, valid.map->vertices[2][1].position.y);
    EXPECT_EQ(odd.map->vertices[2][1].position.y, (9000 - 8192) * 0.25f);
}

TEST(LoadReport, ZeroTileSetsAndIdsWithAZeroByte) {
    W3eDocument doc = levelDocument(2, 2);
    doc.groundTileSetCount = 2;
    doc.groundTileSetIds = std::string("VmosV\0zz", 8); // the sixth byte is zero
    doc.setCliffIds({});
    LoadResult r = loadDocument(doc);
    ASSERT_TRUE(r.map->loaded()) << r.map->loadError;
    EXPECT_NE(r.report.find("Number of ground tile sets - 2\nGround tile set IDs - VmosV\n"
                            "Number of cliff tile sets - 0\nCliff tile set IDs - \n"
                            "Map width - 2\n"),
              std::string::npos)
        << r.report;
    // The ID buffer keeps all 8 bytes read and its terminating zero.
    EXPECT_EQ(std::string(r.map->header->groundTileSetIds.get() + 6, 2), "zz");
    EXPECT_EQ(r.map->header->groundTileSetIds[8], '\0');
    EXPECT_EQ(r.map->header->cliffTileSetIds[0], '\0');
}

TEST(LoadReport, TileSetIsPrintedAsItsByteWhateverItIs) {
    W3eDocument doc = levelDocument(1, 1);
    doc.tileSet = '\0';
    LoadResult r = loadDocument(doc);
    EXPECT_NE(r.report.find(std::string("Tile set - \0\n", 13)), std::string::npos);
}

TEST(LoadReport, ControlCharactersAreEscapedOnlyForATerminal) {
    W3eDocument doc = levelDocument(2, 2);
    doc.tileSet = '\x1b';
    doc.groundTileSetIds = "Vm\x1b]0;Vash\x7f";
    doc.groundTileSetIds.resize(12, '\x07');
    doc.groundTileSetCount = 3;
    const LoadResult raw = loadDocument(doc);
    EXPECT_NE(raw.report.find("Tile set - \x1b\nCustom"), std::string::npos); // byte for byte
    EXPECT_NE(raw.report.find("IDs - Vm\x1b]0;Vash\x7f\x07\n"), std::string::npos);
    const LoadResult shown = loadBytes(doc.bytes(), ReportText::escaped);
    EXPECT_NE(shown.report.find("Tile set - \\x1b\nCustom"), std::string::npos) << shown.report;
    EXPECT_NE(shown.report.find("IDs - Vm\\x1b]0;Vash\\x7f\\x07\n"), std::string::npos);
    for (const char c : shown.report) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c != 0x7f)) << int(c);
    // Everything else is the same, up to the name.
    const auto middle = [](const std::string& report) {
        const std::size_t from = report.find("Number of cliff");
        return report.substr(from, report.find("Done loading") - from);
    };
    EXPECT_EQ(middle(shown.report), middle(raw.report));
}

TEST(ReportFloat, GeneralNotationWithThreeDigitExponents) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {-6144.0f, "-6144"},
        {0.5f, "0.5"},
        {12345678.0f, "1.23457e+007"},
        {0.00001f, "1e-005"},
        {0.0001f, "0.0001"},
        {100000.0f, "100000"},
        {999999.0f, "999999"},
        {1000000.0f, "1e+006"},
        {999999.5f, "1e+006"},
        {123456.7f, "123457"},
        {0.0f, "0"},
        {-0.0f, "-0"},
        {1.17549435e-38f, "1.17549e-038"},
        {3.4028235e38f, "3.40282e+038"},
        {-0.000123456f, "-0.000123456"},
        {1.0f / 3.0f, "0.333333"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatReportFloat(c.value), c.text) << c.text;
}

TEST(ReportFloat, NonFiniteValues) {
    EXPECT_EQ(formatReportFloat(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(formatReportFloat(-std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(formatReportFloat(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(formatReportFloat(-std::numeric_limits<float>::infinity()), "-inf");
}

} // namespace
