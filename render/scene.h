// The viewer's OpenGL state and one frame: initGL once the window is shown, renderFrame for
// every paint, and the pieces of a frame that tests and benchmarks reach one by one.
// Needs: OpenGL 1.x with GLU, the platform layer, the terrain model.
#pragma once

#include "render/viewer_state.h"
#include "terrain/terrain_map.h"

// Fixed-function state: lights, material, culling, projection; sets sceneReady last.
void initGL();

// One frame: frame rate and title, camera over the ground, light marker, culled terrain,
// buffer swap.
void renderFrame();

// Counts a frame; once a second has passed since the last sample, the count becomes the
// frame rate and restarts at 0.
void updateFrameRate(ViewerState& state);

// The ground height under (x, z) by bilinear interpolation of the vertex heights. Positions
// off the grid take the nearest edge; an empty grid is level at 0.
float groundHeightUnder(const TerrainMap& map, float x, float z);

// The light marker: a yellow sphere at the light's position, which also places the light.
void drawLightMarker(const float lightPosition[4]);
