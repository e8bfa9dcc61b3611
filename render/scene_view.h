// SceneView: what frames keep beside the ViewerState: the camera, the level-of-detail
// switch with its mesh, textures and the frame's choice of levels, the words over the picture,
// and the last frame's projection and viewport, from which the mouse finds where it points.
// One record per window, passed to the frame and the controls.
// Needs: the level-of-detail mesh, OpenGL for its textures and the screen's text.
#pragma once

#include "render/gl_entry_points.h"
#include "render/light_marker.h"
#include "render/lod_geometry.h"
#include "render/lod_textures.h"
#include "render/screen_text.h"
#include "view/block_culling.h"
#include "view/camera.h"
#include "view/frame_camera.h"
#include "view/lod_select.h"
#include "view/overlay.h"

struct SceneView {
    Camera camera;
    bool levelOfDetail = true; // D: off draws the full grid quad by quad at every camera
    LodMesh mesh;
    LodTextures textures;
    LodGeometry geometry; // the mesh's vertices as the driver holds them
    GlEntryPoints gl;     // of the window's context
    LightMarker marker;
    LodSelection selection;
    BlockCandidates candidates; // the start camera's coarse culling, its storage reused
    FrameCamera frame;
    Overlay overlay;
    ScreenText text; // the overlay's words as OpenGL draws them
};
