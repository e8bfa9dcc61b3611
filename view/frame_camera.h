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
    // Pixels at the window's edges that the words take (the legend, the status line, the
    // measures), which the overview leaves free so that they never cover the map.
    struct Room {
        int left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Room& o) const {
            return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
        }
    } words;

    float tanHalfFovy() const {
        return static_cast<float>(std::tan(fovyDegrees * 3.14159265358979 / 360.0));
    }
};
