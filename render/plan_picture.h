// The overview's terrain kept as a picture. The overview shows the whole map from the same
// place frame after frame, so while nothing it is drawn from changes (the map and its mesh,
// the view, the water, the light, the switches, the window's size), a frame puts back the
// picture it kept, a texel a pixel, instead of drawing the terrain again: on a large map in a
// coloured view the terrain's textures cost several times that. What goes over the terrain
// (the measured path, the words) is drawn afresh.
// Needs: OpenGL 1.x.
#pragma once

#include "platform/win32.h"
#include "view/frame_camera.h"
#include "view/terrain_view.h"

// Everything the overview's terrain picture is drawn from.
struct PlanKey {
    int generation = -1; // the mesh's: the map
    TerrainView view = TerrainView::plain;
    bool water = false, lighting = false, contours = false, levelOfDetail = false, grid = false;
    int polygonMode = 0;
    float light[3] = {};
    int width = 0, height = 0;
    FrameCamera::Room words;       // where the words leave the plan room
    const void* changes = nullptr; // a comparison's
    bool older = false;

    bool operator==(const PlanKey& o) const;
};

struct PlanPicture {
    GLuint texture = 0;
    int across = 0, down = 0; // the texture's texels
    PlanKey key;
    double farPlane = 0.0; // of the plan's projection when it was kept
    bool kept = false;

    // Puts the kept picture back over the whole viewport when it was kept for `now`.
    bool drawKept(const PlanKey& now) const;
    // Keeps the viewport's picture, as drawn from `now` with a projection reaching `reach`.
    void keep(const PlanKey& now, double reach);
    // Forgets it: the next overview frame draws the terrain.
    void forget() { kept = false; }
};
