#include "map_fixture.h"

#include "terrain_shapes.h"

#include <gtest/gtest.h>

#include <unistd.h>

std::string scratchPath(const std::string& name) {
    static int serial = 0;
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "zuvaro_" + std::to_string(getpid()) + "_" +
           (test ? test->name() : "none") + "_" + std::to_string(++serial) + "_" + name;
}

LoadResult loadBytes(const std::vector<unsigned char>& bytes, ReportText text) {
    const std::string name = scratchPath("war3map.w3e");
    MemorySource source(bytes.data(), bytes.size());
    std::ostringstream report;
    LoadResult result;
    result.map = std::make_unique<TerrainMap>(name.c_str(), source, report, text);
    result.report = report.str();
    return result;
}

std::string writeScratch(const std::vector<unsigned char>& bytes, const std::string& name) {
    const std::string path = scratchPath(name);
    std::string error;
    EXPECT_TRUE(writeBytes(path, bytes, error)) << error;
    return path;
}

TerrainMap loadMap(const W3eDocument& doc) {
    LoadResult loaded = loadDocument(doc);
    EXPECT_TRUE(loaded.map->loaded()) << loaded.map->loadError;
    return std::move(*loaded.map);
}

W3eDocument ruggedDocument(int size, std::uint64_t seed) {
    W3eDocument doc;
    useDefaultTileSets(doc, Shape::rugged);
    ShapeOptions rugged;
    rugged.shape = Shape::rugged;
    rugged.width = rugged.height = size;
    rugged.seed = seed;
    std::string error;
    EXPECT_TRUE(shapeTerrain(doc, rugged, error)) << error;
    return doc;
}

W3eDocument levelDocument(int width, int height) {
    W3eDocument doc;
    doc.tileSet = 'V';
    doc.setGroundIds({"Vmos", "Vash"});
    doc.setCliffIds({"Vcl1"});
    doc.resize(width, height);
    return doc;
}
