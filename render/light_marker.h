// The light marker: a yellow sphere where the light is, drawn while placing the light.
// Needs: OpenGL 1.x with GLU.
#pragma once

#include "platform/win32.h"

// The sphere's GLU quadric and display list, made at their first use in the window's context.
struct LightMarker {
    GLUquadric* quadric = nullptr;
    GLuint list = 0;

    // Places LIGHT0 at lightPosition (in world coordinates: call it after the viewing transform)
    // and draws the marker there, tessellated afresh as the start camera always drew it.
    void draw(const float lightPosition[4]);

    // The same from the display list: the driver keeps the sphere, and frames hand it nothing.
    // For every camera but the start one.
    void drawListed(const float lightPosition[4]);
};
