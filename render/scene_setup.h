// initGL: the viewer's fixed OpenGL state, set once the window is shown.
// Needs: OpenGL 1.x with GLU, the render layer's ViewerState.
#pragma once

// Lights, material, culling, projection; sets sceneReady last.
void initGL();
