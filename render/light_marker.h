// The light marker: a yellow sphere where the light is, drawn while placing the light.
// Needs: OpenGL 1.x with GLU.
#pragma once

#include "platform/win32.h"

#include <utility>

// The sphere's GLU quadric and display list, made at their first use in the window's context.
// It owns the quadric, which goes with it; the list goes with the context.
struct LightMarker {
    GLUquadric* quadric = nullptr;
    GLuint list = 0;

    LightMarker() = default;
    LightMarker(const LightMarker&) = delete;
    LightMarker& operator=(const LightMarker&) = delete;
    LightMarker(LightMarker&& other) noexcept { *this = std::move(other); }
    LightMarker& operator=(LightMarker&& other) noexcept {
        std::swap(quadric, other.quadric);
        std::swap(list, other.list);
        return *this;
    }
    ~LightMarker() {
        if (quadric) gluDeleteQuadric(quadric);
    }

    // Places LIGHT0 at lightPosition (in world coordinates: call it after the viewing transform)
    // and draws the marker there, tessellated afresh as the start camera always drew it.
    void draw(const float lightPosition[4]);

    // The same from the display list: the driver keeps the sphere, and frames hand it nothing.
    // For every camera but the start one.
    void drawListed(const float lightPosition[4]);
};
