// SceneView: what frames keep beside the ViewerState for every camera but the start one: the
// camera's pose, the level-of-detail switch with its mesh, textures and the frame's choice of
// levels, and the last frame's projection and viewport, from which the mouse finds where it
// points. One record per window, passed to the frame and the controls.
// Needs: the level-of-detail mesh, OpenGL for its textures.
#pragma once

#include "render/camera_pose.h"
#include "render/lod_select.h"
#include "render/lod_textures.h"

// The projection and viewport the last frame was drawn with.
struct FrameCamera {
    float tanHalfFovy = 0.57735f; // 60 degrees, the window's first projection
    float aspect = 4.0f / 3.0f;
    int width = 800, height = 600;
};

struct SceneView {
    CameraPose pose;
    bool levelOfDetail = true; // D: off draws the full grid quad by quad at every camera
    LodMesh mesh;
    LodTextures textures;
    LodSelection selection;
    FrameCamera frame;
};
