// What changed from one version of a map to another, tile point by tile point. Points are
// matched by the map's own coordinates (its offset plus 128 times the column or row), so maps
// of other sizes or offsets compare: each point of the newer map says how far its ground rose
// or fell and which of its other fields changed, or that the older map has no point there.
// Tiles are compared by their tile sets' IDs, not by their numbers in the lists, so a map whose
// list was reordered shows no change.
// Needs: the terrain model; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"

#include <cstdint>
#include <string>
#include <vector>

// What else than the height changed at a point, a bit each.
enum ChangeMark : std::uint8_t {
    groundTileChanged = 1, // the ground tile set
    cliffChanged = 2,      // the cliff layer or the cliff tile set
    flagsChanged = 4,      // ramp, tinted ground or boundary
    waterChanged = 8,      // water there or not, or its level where both have it
    onlyInNew = 16,        // the older map has no point here
};

struct MapChanges {
    // Where the older map's points lie in the newer one's grid: old column = column + shift.
    bool aligned = false; // the offsets differ by whole tiles, so points can match at all
    long long columnShift = 0, rowShift = 0;
    int columns = 0, rows = 0; // the newer map's grid
    // A value a point of the newer map, column by column: its height's change in world units
    // and its marks.
    std::vector<float> rise;
    std::vector<std::uint8_t> marks;

    // The counts of points.
    long long compared = 0, changed = 0, raised = 0, lowered = 0;
    long long groundTile = 0, cliff = 0, flags = 0, water = 0, onlyInOld = 0, onlyInNewCount = 0;
    float largestRise = 0.0f, largestDrop = 0.0f; // both 0 or more, in world units
    const char* against = "changes";              // what the legend calls the comparison

    // Heights within `heightTolerance` world units of each other count as unchanged.
    static MapChanges between(const TerrainMap& before, const TerrainMap& after,
                              float heightTolerance = 0.0f);
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(rows) +
               static_cast<std::size_t>(row);
    }
    // The largest change of height either way, which the changes view's ramp reaches.
    float largestChange() const { return largestRise > largestDrop ? largestRise : largestDrop; }
};

// Why no point of the two maps can match, when an offset is not a finite number; else empty.
std::string unmatchedWhy(const TerrainMap& before, const TerrainMap& after);

// What a window's frames need of a comparison: the version not shown, what changed, and
// whether the one shown is the older.
struct ComparedMaps {
    const TerrainMap* other = nullptr;
    const MapChanges* changes = nullptr;
    bool showingOlder = false;

    bool active() const { return other && changes; }
};
