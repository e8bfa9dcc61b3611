// Pictures of the whole map from above, without a window or OpenGL: one pixel a tile point,
// north (the last row) up, coloured as the window colours the view (the same tables), shaded by
// the normals with a light from the north-west, the water as in the window; and a heightmap of
// the ground in 16-bit grey; and the changes between two versions of a map.
// Needs: the terrain model, the view layer's colours, water rules and comparison; no OpenGL.
#pragma once

#include "export/png_encode.h"
#include "terrain/terrain_map.h"
#include "view/map_changes.h"
#include "view/terrain_view.h"
#include "view/view_colours.h"

#include <string>
#include <vector>

// The picture of `view`, `longest` pixels along its longer side (0: a pixel a tile point);
// a larger picture takes the nearest point for each pixel, a smaller one averages the points
// each pixel covers; with `contours`, the contour lines over it, drawn a pixel a point before
// it is sized. An empty image for a map without tile points.
PngImage mapPicture(const TerrainMap& map, TerrainView view, int longest = 0, bool contours = false,
                    const TilePalette* palette = nullptr);

// The changes view of `after`, the newer of two maps, from their comparison `changes`: sized
// and shaded as mapPicture's pictures, no water drawn.
PngImage changesPicture(const TerrainMap& after, const MapChanges& changes, int longest = 0,
                        bool contours = false);

// The ground's heights, a pixel a tile point: 0 for the lowest, 65535 for the highest (all 0 on
// level ground). Its text says what the two stand for, as heightRange does.
PngImage heightmap(const TerrainMap& map);

// "0 = LOW, 65535 = HIGH world units": the heights a heightmap's values stand for.
std::string heightRange(const TerrainMap& map);

// A heightmap's 16-bit values as raw bytes for engines: little-endian, rows from north to
// south as in the picture.
std::vector<unsigned char> rawHeights(const PngImage& heights);
