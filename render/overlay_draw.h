// Drawing the words over a frame: the status line along the bottom, the legend at the top
// left, the tile point under the cursor marked and described beside it, the keys in the
// middle (F1), each on a translucent panel so that it reads over any terrain.
// Needs: OpenGL 1.x, the screen's text, the overlay's text, the camera's placement.
#pragma once

#include "render/scene_view.h"
#include "view/camera_placement.h"

// What the words will take at the window's edges in the next frame, for the overview to leave.
FrameCamera::Room wordsRoom(const SceneView& scene);

// Draws what the scene's overlay asks for over the frame just drawn with `camera`.
void drawOverlay(SceneView& scene, const CameraPlacement& camera);
