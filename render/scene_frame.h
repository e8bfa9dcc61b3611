// renderFrame: one frame for every paint, and its frame-rate count.
// Needs: OpenGL 1.x with GLU, the platform layer, the terrain model.
#pragma once

#include "render/scene_view.h"
#include "view/viewer_state.h"

// Frame rate and title, camera over the ground, light marker, culled terrain (and water in
// the coloured views), buffer swap. The start camera draws exactly as the viewer always did;
// every other one with the scene's levels of detail and a depth range of its own.
void renderFrame(SceneView& scene);

// Counts a frame; once a second has passed since the last sample, the count becomes the
// frame rate and restarts at 0.
void updateFrameRate(ViewerState& state);
