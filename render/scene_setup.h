// initGL: the viewer's fixed OpenGL state, set once the window is shown.
// Needs: OpenGL 1.x with GLU, the render layer's ViewerState.
#pragma once

#include "view/frame_camera.h"

// Lights, material, culling, projection; sets sceneReady last.
void initGL();

// The window's viewport and projection for `frame`, as a resize sets them (the frames set them
// again from the same record).
void sizeView(const FrameCamera& frame);
