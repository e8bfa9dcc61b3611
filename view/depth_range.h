// How near and how far the depth buffer reaches for every camera but the start one: the near
// plane as far out as the nearest visible ground (and the light's marker) allows, the far one
// just past the farthest, so that 24 depth bits separate water from the ground under it at
// every distance. (A near plane of 1 with a far one of 1,000,000 leaves thousands of units a
// depth step at 30,000 units out.)
// Needs: the frame's choice of chunks; no OpenGL.
#pragma once

#include "view/frame_camera.h"
#include "view/lod_select.h"

struct DepthRange {
    double nearPlane = 1.0, farPlane = 1000000.0;
};

// `light` is the light's position, where its marker (100 units in radius) is drawn.
DepthRange depthRangeFor(const LodSelection& selection, const Point3& eye, const float light[4],
                         const FrameCamera& frame);
