// Where the camera is and what it looks at: the start camera exactly as the viewer always
// placed it, any other by its yaw and pitch, and the overview above the whole map. Rays through
// window pixels for the mouse, and the ground point they meet. Needs: the terrain model, the ground
// height; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/camera.h"
#include "view/frame_camera.h"

struct CameraPlacement {
    Point3 eye, target, up;
    // Above 0: a plan, seen in parallel (an orthographic projection) straight down, the view
    // reaching this many world units from its middle to its top and bottom edges.
    double planHalfHeight = 0.0;
};

// Where the camera is. `frame` gives the shape of the view, which the overview fits the map to:
// a plan, straight down with north up, every tile the same size on screen.
CameraPlacement placeCamera(const TerrainMap& map, const Camera& camera, const FrameCamera& frame);

struct Ray {
    Point3 origin, direction; // direction of length 1
};

// The ray from the eye through the centre of window pixel (x, y), y counting down from the top.
Ray rayThroughPixel(const CameraPlacement& camera, const FrameCamera& frame, int x, int y);

// The window pixel a world point shows at, as (x, y) from the top left; false when it is
// behind the eye.
bool pixelOf(const CameraPlacement& camera, const FrameCamera& frame, const Point3& point, float& x,
             float& y);

struct GroundPoint {
    bool hit = false;
    Point3 point;            // where the ray meets the ground
    int column = 0, row = 0; // the nearest tile point
};

// The first point where the ray meets the terrain's surface (its triangles), or none.
GroundPoint groundAlong(const TerrainMap& map, const Ray& ray);
