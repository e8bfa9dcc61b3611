// Files a user may be handed: negative or impossible sizes, cut anywhere, not environment
// files at all.
// Each load must fail with a message saying what and where, print nothing beyond the
// fields it read, and never read past the end of the file.
#include "field_edges.h"
#include "map_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::HasSubstr;

std::vector<unsigned char> withInt32At(std::vector<unsigned char> bytes, std::size_t offset,
                                       std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
    return bytes;
}

void expectFailure(const LoadResult& r, const std::string& message, const std::string& lastLine) {
    EXPECT_FALSE(r.map->loaded());
    EXPECT_THAT(r.map->loadError, HasSubstr(message));
    EXPECT_THAT(r.map->loadError, HasSubstr("war3map.w3e: "));
    EXPECT_TRUE(r.map->vertices.empty());
    EXPECT_TRUE(r.map->normals.empty());
    ASSERT_NE(r.map->header, nullptr);
    EXPECT_EQ(r.report.find("Done loading"), std::string::npos);
    const std::size_t lineStart = r.report.rfind('\n', r.report.size() - 2);
    EXPECT_EQ(r.report.substr(lineStart == std::string::npos ? 0 : lineStart + 1), lastLine);
}

TEST(BadInput, NegativeCountsAndDimensionsStopAtTheirField) {
    const std::vector<unsigned char> valid = levelDocument(2, 2).bytes();
    // levelDocument has 2 ground IDs and 1 cliff ID: counts at 13 and 25, width at 33.
    expectFailure(loadBytes(withInt32At(valid, 13, -1)),
                  "the ground tile set count is negative (-1, read before byte offset 17)",
                  "Number of ground tile sets - -1\n");
    expectFailure(loadBytes(withInt32At(valid, 25, -2147483647 - 1)),
                  "the cliff tile set count is negative (-2147483648",
                  "Number of cliff tile sets - -2147483648\n");
    expectFailure(loadBytes(withInt32At(valid, 33, -3)), "the map width is negative (-3",
                  "Map width - -3\n");
    expectFailure(loadBytes(withInt32At(valid, 37, -1)), "the map height is negative (-1",
                  "Map height - -1\n");
}

TEST(BadInput, SizesWhoseBytesCannotBeInTheFileAreRejectedBeforeAllocating) {
    const std::vector<unsigned char> valid = levelDocument(2, 2).bytes();
    expectFailure(loadBytes(withInt32At(valid, 13, 1000000000)),
                  "the ground tile set count 1000000000 needs 4000000000 bytes of ground tile "
                  "set IDs at byte offset 17; the file has 77 bytes",
                  "Number of ground tile sets - 1000000000\n");
    expectFailure(loadBytes(withInt32At(valid, 25, 13)),
                  "the cliff tile set count 13 needs 52 bytes of cliff tile set IDs at byte "
                  "offset 29; the file has 77 bytes",
                  "Number of cliff tile sets - 13\n");
    // Dimensions whose product overflows 32 and 64 bits when multiplied by 7.
    auto huge = withInt32At(withInt32At(valid, 33, 2147483647), 37, 2147483647);
    expectFailure(loadBytes(huge),
                  "the file ends at byte offset 77, at tile point (column 4, row 0): a grid of "
                  "2147483647 by 2147483647 needs 4611686014132420609 tile points of 7 bytes "
                  "from byte offset 49",
                  "Z offset - 0\n");
    expectFailure(loadBytes(withInt32At(valid, 37, 3)),
                  "at tile point (column 0, row 2): a grid of 2 by 3 needs 6 tile points",
                  "Z offset - 0\n");
}

TEST(BadInput, AFileCutAnywhereFailsAfterTheLinesOfTheFieldsItHolds) {
    W3eDocument doc = levelDocument(3, 2);
    const std::vector<unsigned char> valid = doc.bytes();
    const std::string fullReport = loadBytes(valid).report;
    for (std::size_t cut = 0; cut < valid.size(); ++cut) {
        const LoadResult r =
            loadBytes(std::vector<unsigned char>(valid.begin(), valid.begin() + cut));
        ASSERT_FALSE(r.map->loaded()) << cut;
        EXPECT_EQ(fullReport.rfind(r.report, 0), 0u) << "cut at " << cut << ": " << r.report;
        EXPECT_THAT(r.map->loadError, HasSubstr("byte offset")) << cut;
    }
    const auto cutAt = [&](std::size_t n) {
        return loadBytes(std::vector<unsigned char>(valid.begin(), valid.begin() + n));
    };
    EXPECT_THAT(cutAt(0).map->loadError,
                HasSubstr("the file ends inside the magic at byte offset 0; the file has 0 bytes"));
    EXPECT_THAT(cutAt(6).map->loadError, HasSubstr("ends inside the version at byte offset 4"));
    EXPECT_THAT(cutAt(19).map->loadError,
                HasSubstr("the ground tile set count 2 needs 8 bytes of ground tile set IDs"));
    EXPECT_THAT(cutAt(48).map->loadError, HasSubstr("ends inside the Z offset at byte offset 45"));
    // Tile points start at 49; point (1, 1) is the fifth, at 49 + 4 * 7.
    EXPECT_THAT(cutAt(49 + 4 * 7 + 3).map->loadError,
                HasSubstr("the file ends at byte offset 80, at tile point (column 1, row 1)"));
}

TEST(BadInput, AnotherMagicOrVersionIsReadWithAWarningAndNamedWhenItFails) {
    W3eDocument doc = levelDocument(2, 2);
    doc.magic = std::string("PK\3\4", 4);
    const LoadResult zip = loadDocument(doc);
    EXPECT_TRUE(zip.map->loaded()) << zip.map->loadError; // read as today
    EXPECT_THAT(zip.map->loadWarning,
                HasSubstr("the magic is \"PK\\x03\\x04\" where an environment file has "
                          "\"W3E!\"; reading it anyway"));
    doc.magic = "W3E!";
    doc.version = 12;
    EXPECT_THAT(loadDocument(doc).map->loadWarning,
                HasSubstr("the version is 12 where an environment file has 11"));
    EXPECT_EQ(loadDocument(levelDocument(2, 2)).map->loadWarning, "");

    // The same file cut short: the failure says it may not be an environment file at all.
    doc.magic = "GIF8";
    std::vector<unsigned char> bytes = doc.bytes();
    bytes.resize(bytes.size() - 3);
    const LoadResult cut = loadBytes(bytes);
    EXPECT_THAT(cut.map->loadWarning, HasSubstr("magic is \"GIF8\" and the version 12, where"));
    EXPECT_THAT(cut.map->loadError, HasSubstr("the file ends"));
    EXPECT_THAT(cut.map->loadError,
                testing::EndsWith("; it does not look like an environment file"));
}

// The fuzzer's edge values, every width against every height: a header alone, then with a
// few tile points. Each load either fails with its grids empty or holds a grid of the header's
// size; the sanitizer build checks that no arithmetic on the way overflows.
TEST(BadInput, EveryPairingOfEdgeWidthsAndHeightsLoadsOrFailsCleanly) {
    int loadedCount = 0;
    for (const std::int32_t width : fieldEdges()) {
        for (const std::int32_t height : fieldEdges()) {
            W3eDocument doc = levelDocument(0, 0);
            doc.mapWidth = width;
            doc.mapHeight = height;
            std::vector<unsigned char> bytes = doc.bytes();
            for (const int points : {0, 1, 4}) {
                bytes.resize(bytes.size() + 7 * points, 0x20);
                const LoadResult r = loadBytes(bytes);
                const TerrainMap& map = *r.map;
                const bool hasPoints = width > 0 && height > 0;
                if (!map.loaded()) {
                    ASSERT_TRUE(map.vertices.empty() && map.normals.empty())
                        << width << "x" << height;
                    continue;
                }
                ++loadedCount;
                ASSERT_TRUE(width >= 0 && height >= 0);
                ASSERT_EQ(map.vertices.size(), hasPoints ? static_cast<std::size_t>(width) : 0u);
                const bool hasQuads = width >= 2 && height >= 2;
                EXPECT_EQ(map.heightBlocks.columns > 0, hasQuads) << width << "x" << height;
                if (hasQuads) {
                    EXPECT_EQ(map.heightBlocks.endQuad(map.heightBlocks.columns - 1, width - 1),
                              width - 1);
                }
            }
        }
    }
    EXPECT_GT(loadedCount, 100); // the empty grids of every length, and the few small ones
}

} // namespace
