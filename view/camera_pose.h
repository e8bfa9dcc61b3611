// CameraPose: which way the camera faces. It keeps its height over the ground under it (the
// ViewerState's cameraHeight) and looks at the ground that height below it, ahead by the
// pitch: the start's pitch looks 3/4 of the height ahead, as the viewer always did.
// Needs: standard C++ only.
#pragma once

constexpr float pi = 3.14159265358979f;
constexpr float startPitch = 0.927295218f; // atan(2048 / 1536): the start's look-ahead
constexpr float lowestPitch = 10.0f * pi / 180.0f;
constexpr float highestPitch = pi / 2.0f; // straight down

struct CameraPose {
    float yaw = 0.0f;         // radians, turning right from looking along -z
    float pitch = startPitch; // radians below the horizon
    bool overview = false;    // looking straight down at the whole map instead
};
