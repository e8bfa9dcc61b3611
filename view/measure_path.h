// Measuring on the ground: the points clicked in order, and what a panel says of the path
// they make: the first and the last point in the map's own coordinates, and of the last leg its
// straight distance across, its length along the ground (the terrain sampled at least every
// quarter tile), its height difference and its slope; with more than two points, the totals.
// Needs: the terrain model and the ground's height; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/text_lines.h"

#include <vector>

struct MeasurePath {
    std::vector<Point3> points; // on the ground, in the world's axes

    // The places a leg's line passes over the ground, a quarter tile or less apart, from
    // points[leg] to points[leg + 1], ends included.
    void legSamples(const TerrainMap& map, std::size_t leg, std::vector<Point3>& out) const;
    // Its length following the ground, and straight across (in plan).
    float alongTheGround(const TerrainMap& map, std::size_t leg) const;
    float across(std::size_t leg) const;

  private:
    template <typename Visit>
    void forLegSamples(const TerrainMap& map, std::size_t leg, Visit visit) const;
};

// The panel's lines; none for a path of fewer than two points (one point: where it is).
void describePath(TextLines& out, const TerrainMap& map, const MeasurePath& path);
