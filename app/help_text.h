// The texts the viewer shows: its window class, titles and the help box.
#pragma once

constexpr const char* viewerClassName = "MyClass";
constexpr const char* viewerTitle = "V3U Zuvaro - Kelpmoor Entertainment";
constexpr const char* helpCaption = "Ulmic's .v3u Zuvaro";
constexpr const char* helpText =
    "Ulmic's .v3u Zuvaro\n\n"
    "Up arrow - Moves camera along the negative Z-axis\n"
    "Down arrow - Moves camera along the positive Z-axis\n"
    "Right arrow - Moves camera along the positive X-axis\n"
    "Left arrow - Moves camera along the negative X-axis\n\n"
    "I - Moves light source along the positive X-axis\n"
    "U - Moves light source along the negative X-axis\n"
    "K - Moves the light source along the positive Y-axis\n"
    "M - Moves the light source along the negative Y-axis\n\n"
    "W - Wireframe mode\n"
    "P - Point mode\n"
    "F - Fill mode\n\n"
    "Pay attention to the FPS counter in the title if you are curious.\n";
