// SceneView: what frames keep beside the ViewerState, grouped by how long it lasts: the camera
// and the switches, what is made from each map, what belongs to the window and its context, and
// what each frame chooses. One record per window, passed to the frame and the controls.
// Needs: the level-of-detail mesh, OpenGL for its textures and the screen's text.
#pragma once

#include "render/contour_texture.h"
#include "render/gl_entry_points.h"
#include "render/light_marker.h"
#include "render/lod_geometry.h"
#include "render/lod_textures.h"
#include "render/plan_picture.h"
#include "render/screen_text.h"
#include "view/block_culling.h"
#include "view/camera.h"
#include "view/frame_camera.h"
#include "view/lod_build.h"
#include "view/lod_select.h"
#include "view/map_changes.h"
#include "view/measure_path.h"
#include "view/overlay.h"

struct SceneView {
    // What the user moves and switches.
    Camera camera;
    bool levelOfDetail = true; // D: off draws the full grid quad by quad at every camera
    Overlay overlay;
    MeasurePath measure;   // the points Shift and a click put on the ground
    bool contours = false; // C: contour lines over the ground

    // Made from the map, again after each load: the mesh, its textures (again for each view
    // and light) and its vertices as the driver holds them.
    LodMesh mesh;
    LodBuild meshBuild; // the mesh being made for the shown map, on a thread of its own
    LodTextures textures;
    LodGeometry geometry;
    // While two versions are compared: the other one and the changes, held by the controls.
    ComparedMaps compared;

    // The window's: its OpenGL context's entry points and objects, and its size.
    GlEntryPoints gl;
    LightMarker marker;
    ContourTexture contourTexture;
    ScreenText text;  // the overlay's words as OpenGL draws them
    PlanPicture plan; // the overview's terrain as last drawn
    FrameCamera frame;

    // Whether a camera other than the start one draws the level of detail rather than what is
    // shown while the mesh is made and handed to the driver.
    bool levelOfDetailReady() const {
        return mesh.built && geometry.complete && geometry.generation == mesh.generation;
    }

    // Each frame's: the chunks chosen and the start camera's coarse culling, their storage
    // reused from frame to frame.
    LodSelection selection;
    BlockCandidates candidates;
    std::vector<int> contourQuads; // the start camera's quads that meet a contour line, c and r
    std::vector<Point3> measureSamples;
};
