// Environment files on disk: the file a path means, a file and a buffer giving the same load,
// what is not a regular file refused at once, and a grid too large for memory.
#include "app/map_file.h"
#include "map_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

TerrainMap terrainMap; // the app library's map; these tests load their own

namespace {

using testing::HasSubstr;

struct FileLoad {
    TerrainMap map;
    std::string report;
};

FileLoad loadFile(const std::string& path) {
    std::ostringstream report;
    FileLoad load{loadMapFile(path, report, ReportText::asRead), {}};
    load.report = report.str();
    return load;
}

// Bit for bit: every field of every vertex, every normal.
void expectSameGrids(const TerrainMap& a, const TerrainMap& b) {
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (std::size_t c = 0; c < a.vertices.size(); ++c)
        for (int r = 0; r < a.header->mapHeight; ++r) {
            EXPECT_EQ(std::memcmp(&a.vertices[c][r], &b.vertices[c][r], sizeof(TerrainVertex)), 0);
            EXPECT_EQ(std::memcmp(&a.normals[c][r], &b.normals[c][r], sizeof(Point3)), 0);
        }
}

TEST(MapFile, AFileAndABufferOfTheSameBytesGiveTheSameMapAndMessages) {
    W3eDocument odd = levelDocument(4, 3);
    odd.magic = "W3E?";
    odd.at(2, 1).groundHeight = 9000;
    std::vector<unsigned char> cut = odd.bytes();
    cut.resize(cut.size() - 5);
    std::vector<unsigned char> negative = levelDocument(2, 2).bytes();
    negative[13 + 3] = 0x80;
    for (const auto& bytes : {levelDocument(5, 3).bytes(), odd.bytes(), cut, negative}) {
        const std::string path = writeScratch(bytes);
        const FileLoad file = loadFile(path);
        MemorySource source(bytes.data(), bytes.size());
        std::ostringstream report;
        const TerrainMap memory(path.c_str(), source, report);
        EXPECT_EQ(file.report, report.str());
        EXPECT_EQ(file.map.loadError, memory.loadError);
        EXPECT_EQ(file.map.loadWarning, memory.loadWarning);
        expectSameGrids(file.map, memory);
    }
}

TEST(MapFile, APathMeansTheFileOrWar3mapInsideTheFolder) {
    const std::string folder = scratchPath("my maps");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(mapFileFor(""), "war3map.w3e");
    EXPECT_EQ(mapFileFor(folder), folder + "/war3map.w3e");
    EXPECT_EQ(mapFileFor(folder + "/"), folder + "/war3map.w3e");
    EXPECT_EQ(mapFileFor(folder + "/other.w3e"), folder + "/other.w3e"); // missing: as given
    // The window names a map by its file, and a war3map.w3e by its folder too.
    EXPECT_EQ(mapNameOf(mapFileFor(folder)), fileNameOf(folder) + "/war3map.w3e");
    EXPECT_EQ(mapNameOf(folder + "/other.w3e"), "other.w3e");
    EXPECT_EQ(mapNameOf(mapFileFor("")), "war3map.w3e");

    // A folder without a map: "shat", and the missing file by the name the folder gives it.
    const FileLoad none = loadFile(mapFileFor(folder));
    EXPECT_EQ(none.report, "shat\n");
    EXPECT_EQ(none.map.loadError,
              "cannot open " + folder + "/war3map.w3e: No such file or directory");
    EXPECT_TRUE(fileMissing(mapFileFor(folder)));
    EXPECT_EQ(folderOf(mapFileFor(folder)), folder);
    ASSERT_NE(none.map.header, nullptr);
    EXPECT_TRUE(none.map.vertices.empty());

    std::string error;
    ASSERT_TRUE(writeBytes(mapFileFor(folder), levelDocument(2, 2).bytes(), error)) << error;
    EXPECT_EQ(loadFile(mapFileFor(folder)).report.substr(0, 4), "W3E!");
    EXPECT_FALSE(fileMissing(mapFileFor(folder)));
}

TEST(MapFile, OnlyRegularFilesAreOpenedAndNothingWaits) {
    alarm(20); // a load that waits for a writer ends the test run here
    const std::string fifo = scratchPath("fifo.w3e");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = scratchPath("zero.w3e");
    std::filesystem::create_symlink("/dev/zero", device);
    const std::string folder = scratchPath("war3map.w3e");
    std::filesystem::create_directory(folder);
    const std::string socketPath = scratchPath("socket.w3e");
    const int server = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const struct {
        std::string path, reason;
    } cases[] = {{fifo, "is not a regular file"},
                 {device, "is not a regular file"},
                 {socketPath, "is not a regular file"},
                 {folder, "is a folder"}};
    for (const auto& c : cases) {
        const FileLoad load = loadFile(c.path);
        EXPECT_EQ(load.report, "shat\n");
        EXPECT_EQ(load.map.loadError, "cannot open " + c.path + ": " + c.reason);
    }
    // A FIFO with a writer waiting on it is refused just the same.
    std::thread writer([&] {
        if (FILE* f = std::fopen(fifo.c_str(), "wb")) std::fclose(f); // waits for a reader
    });
    EXPECT_EQ(loadFile(fifo).map.loadError, "cannot open " + fifo + ": is not a regular file");
    if (FILE* f = std::fopen(fifo.c_str(), "rb")) std::fclose(f); // lets the writer go
    writer.join();
    close(server);
    alarm(0);
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
TEST(MapFileDeathTest, AGridTooLargeForMemoryFailsWithAMessage) {
    // A sparse file that really holds 20000 x 20000 tile points (2.8 GB, no disk used),
    // loaded in a child process whose address space is limited to 1 GiB.
    W3eDocument doc = levelDocument(0, 0);
    doc.mapWidth = doc.mapHeight = 20000;
    const std::string path = writeScratch(doc.bytes());
    std::filesystem::resize_file(path, doc.bytes().size() + 20000ull * 20000ull * 7ull);
    const auto loadUnderLimit = [&] {
        const rlimit limit{1ull << 30, 1ull << 30};
        setrlimit(RLIMIT_AS, &limit);
        std::ostringstream report;
        const TerrainMap map = loadMapFile(path, report, ReportText::asRead);
        std::fprintf(stderr, "%s\n", map.loadError.c_str());
        std::exit(map.loaded() ? 0 : 3);
    };
    EXPECT_EXIT(loadUnderLimit(), testing::ExitedWithCode(3),
                "out of memory for a grid of 20000 by 20000 tile points");
    std::filesystem::remove(path);
}
#endif

} // namespace
