// The light marker: a yellow sphere where the light is, drawn while placing the light.
// Needs: OpenGL 1.x with GLU.
#pragma once

#include "platform/win32.h"

// Places LIGHT0 at lightPosition (in world coordinates: call it after the viewing transform)
// and draws the marker there, tessellated afresh as the start camera always drew it.
void drawLightMarker(const float lightPosition[4]);

// The same from a display list, compiled into `list` at the first call: the driver keeps the
// sphere, and frames hand it nothing. For every camera but the start one.
void drawLightMarker(const float lightPosition[4], GLuint& list);
