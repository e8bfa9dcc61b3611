// Test helpers: environment files loaded from memory, or written into the test's temporary
// folder.
#pragma once

#include "terrain/terrain_map.h"
#include "w3e_document.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct LoadResult {
    std::unique_ptr<TerrainMap> map;
    std::string report;
};

// A fresh path in the test's temporary folder.
std::string scratchPath(const std::string& name);

// Loads bytes from memory under a scratch file's name, capturing the report.
LoadResult loadBytes(const std::vector<unsigned char>& bytes, ReportText text = ReportText::asRead);

// Writes bytes to a fresh scratch file and returns its path.
std::string writeScratch(const std::vector<unsigned char>& bytes,
                         const std::string& name = "war3map.w3e");

inline LoadResult loadDocument(const W3eDocument& doc) {
    return loadBytes(doc.bytes());
}

// The loaded map itself, for tests that only need a good one.
TerrainMap loadMap(const W3eDocument& doc);

// A valid document of the given size with 2 ground IDs and 1 cliff ID, level ground.
W3eDocument levelDocument(int width, int height);

// w3egen's rugged terrain, `size` tile points a side, with its own tile sets.
W3eDocument ruggedDocument(int size, std::uint64_t seed = 1);
