// The light marker: a yellow sphere where the light is, drawn while placing the light.
// Needs: OpenGL 1.x with GLU.
#pragma once

// Places LIGHT0 at lightPosition (in world coordinates: call it after the viewing transform)
// and draws the marker there.
void drawLightMarker(const float lightPosition[4]);
