// Where a map changed: the changed points of a comparison grouped into regions, points joined
// when they share a side or a corner, largest first. Each region knows its box (columns and
// rows of the newer map, and the map's own coordinates), how many of its points changed in
// each way and its largest rise and drop. The window, the lists out and the textconv lines
// all read these.
// Needs: the comparison's changes and the newer map's header; no OpenGL.
#pragma once

#include "terrain/environment_header.h"
#include "view/map_changes.h"

#include <string>
#include <vector>

struct ChangedRegion {
    int column0 = 0, row0 = 0, column1 = 0, row1 = 0; // the box's points, both ends included
    double x0 = 0.0, z0 = 0.0, x1 = 0.0, z1 = 0.0;    // the same corners in map coordinates
    long long points = 0, raised = 0, lowered = 0;
    long long groundTile = 0, cliff = 0, flags = 0, water = 0;
    float largestRise = 0.0f, largestDrop = 0.0f; // both 0 or more, in world units

    int columns() const { return column1 - column0 + 1; }
    int rows() const { return row1 - row0 + 1; }
    // What changed there, the kinds that did: "raised 16 by up to 64.00, ground tile 2".
    std::string what() const;
    // Where and what: "16 points, columns 2-5, rows 2-5: raised 16 by up to 64.00".
    std::string described() const;
};

// The regions of `changes` (made against the newer map, whose header is `newer`), largest
// first; among equals, the one whose first row and column come first.
std::vector<ChangedRegion> changedRegions(const MapChanges& changes,
                                          const EnvironmentHeader& newer);
