// ViewControls: what the window's input changes beside the viewer's records and what its
// frames read: the scene (the camera, level of detail and its storage), the mouse gesture
// under way, the map's file as it is followed and a comparison with another version of it. One
// per window, made by the entry and reached by the window procedure through the window's data,
// so nothing of it is global. Needs: the render layer's scene, the map session, the comparison.
#pragma once

#include "app/comparison.h"
#include "app/map_loading.h"
#include "app/map_session.h"
#include "render/scene_view.h"

// A press of a mouse button and what follows it until its release.
struct MouseGesture {
    enum Kind { none, pan, turn, click } kind = none;
    int startX = 0, startY = 0;
    bool moved = false;  // far enough from where it began to be a drag rather than a click
    Point3 grabbed;      // pan: the ground point that stays under the cursor
    float eyeHeight = 0; // pan: the eye's height, kept while panning
    Camera start;        // the camera as it was when the button went down
    Point3 pivot;        // turn: the point the camera looked at when it began
    float distance = 0;  // turn: from the eye to the pivot
};

struct ViewControls {
    SceneView scene;
    MouseGesture gesture;
    MapSession session;
    MapLoading loading;    // a map being opened, read on a thread of its own
    Comparison comparison; // while two versions of the map are compared
};
