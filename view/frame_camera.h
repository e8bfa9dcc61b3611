// FrameCamera: the window's projection and viewport, as frames draw with them and the mouse
// finds where it points.
// Needs: standard C++ only.
#pragma once

#include <cmath>

// The projection and viewport the window's frames are drawn with: initGL's 60 degrees at 4:3
// until the window is resized, 54 degrees at the window's shape after that.
struct FrameCamera {
    double fovyDegrees = 60.0;
    double aspect = 4.0 / 3.0;
    int width = 800, height = 600; // the viewport: the client area, a height of at least 1

    float tanHalfFovy() const {
        return static_cast<float>(std::tan(fovyDegrees * 3.14159265358979 / 360.0));
    }
};
