// Files a user may be handed: missing, negative or impossible sizes, cut anywhere.
// Each load must fail with a message saying what and where, print nothing beyond the
// fields it read, and never read past the end of the file.
#include "map_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

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

TEST(BadInput, MissingOrUnreadableFileSaysShatThenWhy) {
    std::ostringstream report;
    const std::string missing = scratchPath("absent/war3map.w3e");
    TerrainMap map(missing.c_str(), report);
    EXPECT_EQ(report.str(), "shat\n");
    EXPECT_FALSE(map.loaded());
    EXPECT_EQ(map.loadError, "cannot open " + missing + ": No such file or directory");
    ASSERT_NE(map.header, nullptr);
    EXPECT_TRUE(map.vertices.empty());

    const std::string folder = scratchPath("folder");
    std::filesystem::create_directory(folder);
    TerrainMap notAFile(folder.c_str(), report);
    EXPECT_FALSE(notAFile.loaded());
    EXPECT_THAT(notAFile.loadError, HasSubstr(folder));
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

// AddressSanitizer reserves terabytes of address space, so it cannot run under a limit.
#if defined(__SANITIZE_ADDRESS__)
#define ZUVARO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUVARO_ASAN 1
#endif
#endif

#ifndef ZUVARO_ASAN
TEST(BadInputDeathTest, AGridTooLargeForMemoryFailsWithAMessage) {
    // A sparse file that really holds 20000 x 20000 tile points (2.8 GB, no disk used),
    // loaded in a child process whose address space is limited to 1 GiB.
    W3eDocument doc = levelDocument(0, 0);
    doc.mapWidth = doc.mapHeight = 20000;
    const std::string path = scratchPath("war3map.w3e");
    std::string error;
    ASSERT_TRUE(writeBytes(path, doc.bytes(), error)) << error;
    std::filesystem::resize_file(path, doc.bytes().size() + 20000ull * 20000ull * 7ull);
    const auto loadUnderLimit = [&] {
        const rlimit limit{1ull << 30, 1ull << 30};
        setrlimit(RLIMIT_AS, &limit);
        std::ostringstream report;
        TerrainMap map(path.c_str(), report);
        std::fprintf(stderr, "%s\n", map.loadError.c_str());
        std::exit(map.loaded() ? 0 : 3);
    };
    EXPECT_EXIT(loadUnderLimit(), testing::ExitedWithCode(3),
                "out of memory for a grid of 20000 by 20000 tile points");
    std::filesystem::remove(path);
}
#endif

} // namespace
