// Each gesture works on the camera as the last frame placed it: the ray through the cursor's
// pixel with the window's projection, against the terrain's triangles.
#include "app/mouse_actions.h"

#include "terrain/terrain_map.h"
#include "view/camera_moves.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int dragThreshold = 4;            // pixels before a press counts as a drag
constexpr float turnPerPixel = pi / 400.0f; // half a turn across 400 pixels
constexpr float zoomPerNotch = 0.8408964f;  // 2^(-1/4): four notches halve the height

CameraPlacement cameraNow(const SceneView& scene) {
    return placeCamera(terrainMap, scene.camera, scene.frame);
}

// Leaves the overview for the normal camera, centred on `point` when there is one.
void leaveOverview(SceneView& scene, const GroundPoint& at) {
    scene.camera.overview = false;
    if (at.hit) centreOn(terrainMap, scene.camera, at.point);
}

} // namespace

GroundPoint groundUnderCursor(const SceneView& scene, int x, int y) {
    return groundAlong(terrainMap, rayThroughPixel(cameraNow(scene), scene.frame, x, y));
}

// Shift and a click: a point added to the measured path, or the path cleared (right button).
void measureAt(SceneView& scene, UINT message, int x, int y) {
    if (message == WM_RBUTTONDOWN) {
        scene.measure.points.clear();
        return;
    }
    const GroundPoint at = groundUnderCursor(scene, x, y);
    if (at.hit) scene.measure.points.push_back(at.point);
}

void mouseButtonDown(HWND window, ViewControls& controls, UINT message, int x, int y, bool shift) {
    SceneView& scene = controls.scene;
    MouseGesture& g = controls.gesture;
    // A quick second Shift-click comes as a double click: another point all the same.
    if (shift && message != WM_MBUTTONDOWN) {
        g = MouseGesture{};
        measureAt(scene, message, x, y);
        return;
    }
    if (message == WM_LBUTTONDBLCLK) {
        const GroundPoint at = groundUnderCursor(scene, x, y);
        if (scene.camera.overview)
            leaveOverview(scene, at);
        else if (at.hit)
            centreOn(terrainMap, scene.camera, at.point);
        g = MouseGesture{};
        return;
    }
    g = MouseGesture{};
    g.startX = x;
    g.startY = y;
    g.start = scene.camera;
    const CameraPlacement camera = cameraNow(scene);
    if (scene.camera.overview || message == WM_MBUTTONDOWN) {
        g.kind = MouseGesture::click;
    } else if (message == WM_LBUTTONDOWN) {
        const GroundPoint at = groundUnderCursor(scene, x, y);
        if (!at.hit) return;
        g.kind = MouseGesture::pan;
        g.grabbed = at.point;
        g.eyeHeight = camera.eye.y;
    } else if (message == WM_RBUTTONDOWN) {
        g.kind = MouseGesture::turn;
        g.pivot = camera.target;
        const Point3 d = camera.eye - camera.target;
        g.distance = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    }
    SetCapture(window);
}

void mouseButtonUp(ViewControls& controls, UINT, int x, int y) {
    MouseGesture& g = controls.gesture;
    if (g.kind == MouseGesture::none) return;
    if (g.kind == MouseGesture::click && !g.moved && controls.scene.camera.overview)
        leaveOverview(controls.scene, groundUnderCursor(controls.scene, x, y));
    g = MouseGesture{};
    ReleaseCapture();
}

void mouseMoved(ViewControls& controls, int x, int y) {
    MouseGesture& g = controls.gesture;
    SceneView& scene = controls.scene;
    if (g.kind == MouseGesture::none) return;
    g.moved =
        g.moved || std::abs(x - g.startX) > dragThreshold || std::abs(y - g.startY) > dragThreshold;
    if (!g.moved) return;
    if (g.kind == MouseGesture::pan) {
        // The eye keeps its height, so the cursor's ray meets the grabbed point's height where
        // the eye moves by what puts the grabbed point back under it.
        const Ray ray = rayThroughPixel(cameraNow(scene), scene.frame, x, y);
        if (ray.direction.y >= -1e-6f) return; // a ray that never comes down to the point
        const float t = (g.grabbed.y - ray.origin.y) / ray.direction.y;
        placeEye(terrainMap, scene.camera, g.grabbed.x - ray.direction.x * t, g.eyeHeight,
                 g.grabbed.z - ray.direction.z * t);
    } else if (g.kind == MouseGesture::turn) {
        turnAbout(terrainMap, scene.camera, g.start, g.pivot, g.distance,
                  static_cast<float>(x - g.startX) * turnPerPixel,
                  static_cast<float>(y - g.startY) * turnPerPixel);
    }
}

void mouseWheel(ViewControls& controls, int notches, int x, int y) {
    SceneView& scene = controls.scene;
    const GroundPoint at = groundUnderCursor(scene, x, y);
    if (scene.camera.overview) {
        if (notches > 0) leaveOverview(scene, at);
        return;
    }
    const float factor = std::pow(zoomPerNotch, static_cast<float>(notches));
    if (at.hit)
        zoomTowards(terrainMap, scene.camera, at.point, factor);
    else
        setHeight(scene.camera, scene.camera.height * factor);
}
