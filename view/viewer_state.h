// ViewerState: the viewer's variables, grouped by the part of the program that owns them.
// It lives here, the lowest layer that reads it; the app layer writes its own fields.
// Needs: the terrain model's Point3.
#pragma once

#include "terrain/point3.h"
#include "view/camera.h"
#include "view/terrain_view.h"

#include <cstdint>

// How polygons are drawn (W, P, F).
enum class PolygonMode { fill, lines, points };

struct ViewerState {
    // The window and its message loop: the counter readings and the time of the latest paint.
    std::int64_t counterFrequency = 0;
    std::int64_t startCount = 0;
    float elapsedSeconds = 0.0f;
    bool sceneReady = false; // set by initGL; frames are drawn only once it is

    // The key actions: the light, the lighting switch, the polygon mode; the view and the
    // water over it. The camera's x and z and its height over the ground are the Camera's
    // (view/camera.h), copied here by each frame.
    Point3 cameraPosition;
    float lightPosition[4] = {0.0f, 8192.0f, 0.0f, 1.0f}; // w = 1: a positional light
    bool lightingOn = true;
    PolygonMode polygonMode = PolygonMode::fill;
    TerrainView view = TerrainView::plain;
    bool waterShown = true; // drawn in the coloured views only
    float cameraHeight = Camera::startHeight;

    // The frame: the look-at point and the frame-rate count (the camera's y is set there too;
    // the look-at point is 3/4 of the height ahead at the start, so the angle stays).
    Point3 lookAtTarget;
    float fpsSampleTime = 0.0f;
    std::int32_t frameCount = 0;
    std::int32_t framesPerSecond = 0;
};

extern ViewerState viewerState;
