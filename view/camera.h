// Camera: everything the viewer's camera is. It stands over the ground point (x, z), its height
// over the ground there, and looks at the ground that height below it, ahead by its pitch and
// turned right from -z by its yaw; the start's pitch looks 3/4 of the height ahead. Or it shows
// the whole map from above. Its limits, and Home, are here too; the moves are in camera_moves.
// The ViewerState's camera fields are filled from it by each frame.
// Needs: standard C++ only.
#pragma once

constexpr float pi = 3.14159265358979f;

struct Camera {
    static constexpr float startHeight = 2048.0f, lowestHeight = 256.0f, highestHeight = 32768.0f;
    static constexpr float startPitch = 0.927295218f; // atan(2048 / 1536): the start's look-ahead
    static constexpr float lowestPitch = 10.0f * pi / 180.0f;
    static constexpr float highestPitch = pi / 2.0f; // straight down

    float x = 0.0f, z = 0.0f; // the ground point it stands over
    float height = startHeight;
    float yaw = 0.0f;         // radians, turning right from looking along -z
    float pitch = startPitch; // radians below the horizon
    bool overview = false;    // looking straight down at the whole map instead

    // The camera the viewer starts with: drawn exactly as the viewer always drew it.
    bool isStart() const {
        return !overview && yaw == 0.0f && pitch == startPitch && height == startHeight;
    }
    // Facing -z at the start's pitch, whatever the height: moves and aims stay exact.
    bool facesAhead() const { return yaw == 0.0f && pitch == startPitch; }
    // Home: the start's height and direction where the camera stands.
    void home() { *this = Camera{x, z}; }
};
