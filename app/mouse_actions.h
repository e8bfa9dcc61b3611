// The mouse camera: the wheel zooms towards the point under the cursor, a left drag pans so
// that the grabbed ground point stays under the cursor, a right drag turns the camera around
// the point it looks at, a double click centres on the point clicked. In the overview a click
// (or a wheel turn) goes back to the normal camera over the point. Shift and a click measure.
// Needs: the platform layer (capture), the render layer's scene and camera placement.
#pragma once

#include "app/view_controls.h"
#include "platform/win32.h"
#include "view/camera_placement.h"

// The ground point under window pixel (x, y) as the scene's camera shows it, if any.
GroundPoint groundUnderCursor(const SceneView& scene, int x, int y);

// With `shift`, a left click adds the ground point under the cursor to the measured path and a
// right click clears it.
void mouseButtonDown(HWND window, ViewControls& controls, UINT message, int x, int y,
                     bool shift = false);
void mouseButtonUp(ViewControls& controls, UINT message, int x, int y);
void mouseMoved(ViewControls& controls, int x, int y);
// `notches` away from the user (positive) zoom in; (x, y) is the cursor in the client area.
void mouseWheel(ViewControls& controls, int notches, int x, int y);
