// The rugged terrain: ground as map makers build it, for measuring the viewer where it is hard.
// Needs: standard C++ only.
#pragma once

#include "terrain_shapes.h"

// Fills doc's grid (already sized to o.width by o.height) with the rugged terrain: a base cliff
// layer holding most of the map, plateaus and mountains stepping up to layer 10 and basins
// down to layer 0, ramps across some steps, height noise of a few units from point to point,
// lakes at several levels with sandy shores, the ground tile sets in patches (every one of
// doc's, up to 16), tinted ground and a boundary round the edge. For Shape::wet about half of it
// lies under water: a sea with islands and lakes at six levels.
void ruggedTerrain(W3eDocument& doc, const ShapeOptions& o);
