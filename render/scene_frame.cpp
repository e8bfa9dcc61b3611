// renderFrame: one frame, in a fixed order. The camera keeps its height (2048 units unless
// zoomed) above the ground under it and looks at the ground ahead and below it; the start
// camera looks 3/4 of its height ahead towards negative z, as the viewer always did.
#include "render/scene_frame.h"

#include "platform/win32.h"
#include "render/light_marker.h"
#include "render/lod_draw.h"
#include "render/measure_draw.h"
#include "render/overlay_draw.h"
#include "render/scene_setup.h"
#include "render/terrain_draw.h"
#include "render/tile_grid.h"
#include "render/window_context.h"
#include "render/window_title.h"
#include "terrain/terrain_map.h"
#include "view/camera_placement.h"
#include "view/contour_lines.h"
#include "view/depth_range.h"
#include "view/view_frustum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// What the actions have set: the polygon mode, the lighting switch, and the window's
// viewport and projection.
void applyState(const ViewerState& s, const FrameCamera& frame) {
    static const GLenum modes[] = {GL_FILL, GL_LINE, GL_POINT};
    glPolygonMode(GL_FRONT, modes[static_cast<int>(s.polygonMode)]);
    if (s.lightingOn)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    sizeView(frame);
}

void setTitle(const ViewerState& s, const SceneView& scene) {
    const char* const detail =
        !scene.compared.active() ? (scene.levelOfDetail ? "" : " - level of detail off")
        : scene.compared.showingOlder
            ? (scene.levelOfDetail ? " - before" : " - before - level of detail off")
            : (scene.levelOfDetail ? " - after" : " - after - level of detail off");
    if (s.view == TerrainView::plain && !detail[0])
        setWindowTitle(windowContext.mainWindow, "V3U Zuvaro - Kelpmoor Entertainment [ FPS:%d ]",
                       s.framesPerSecond);
    else if (s.view == TerrainView::plain)
        setWindowTitle(windowContext.mainWindow, "V3U Zuvaro - Kelpmoor Entertainment [ FPS:%d ]%s",
                       s.framesPerSecond, detail);
    else
        setWindowTitle(windowContext.mainWindow,
                       "V3U Zuvaro - Kelpmoor Entertainment [ FPS:%d ] - %s%s", s.framesPerSecond,
                       viewName(s.view), detail);
}

// Contour lines over the ground drawn from here on, when C has asked for them.
void beginContours(SceneView& scene) {
    if (!scene.contours) return;
    if (!scene.contourTexture.possible(scene.gl)) {
        scene.contours = false;
        Overlay& o = scene.overlay;
        std::snprintf(o.note, sizeof o.note, "contour lines need a third texture unit");
        o.noteUntil = viewerState.elapsedSeconds + 5.0f;
        return;
    }
    scene.contourTexture.begin(scene.gl,
                               contourInterval(terrainMap.lowestHeight, terrainMap.highestHeight));
}

// The terrain quad by quad, as the start camera has always drawn it: the plain view's white
// strips, or a coloured view's. Under contour lines, the quads that meet none first without
// their texture, then those that do with it.
void drawExact(SceneView& scene) {
    const ViewerState& s = viewerState;
    const bool plain = s.view == TerrainView::plain;
    if (!plain)
        scene.textures.prepare(terrainMap, scene.mesh, s.view, scene.compared, s.waterShown);
    const auto drawGround = [&](QuadChoice choice) {
        if (plain)
            drawPlainTerrain(terrainMap, viewFrustum, scene.candidates, choice);
        else
            drawColouredTerrain(terrainMap, viewFrustum, scene.candidates, scene.textures, choice);
    };
    const float interval =
        scene.contours ? contourInterval(terrainMap.lowestHeight, terrainMap.highestHeight) : 0.0f;
    glPushMatrix();
    if (interval > 0.0f) {
        drawGround({QuadChoice::missingLines, interval, &scene.contourQuads});
        beginContours(scene);
        drawGround({QuadChoice::meetingLines, interval, &scene.contourQuads});
        scene.contourTexture.end(scene.gl);
    } else {
        drawGround({});
    }
    if (!plain && s.waterShown) drawExactWater(terrainMap, viewFrustum, scene.candidates, s.view);
    glPopMatrix();
    if (scene.overlay.grid) drawTileGrid(terrainMap, viewFrustum, scene.candidates);
}

// The projection of every camera but the start one: the window's perspective, or a plan's
// parallel one, over the given depth range.
void setProjection(const FrameCamera& frame, const CameraPlacement& camera,
                   const DepthRange& range) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (camera.planHalfHeight > 0.0) {
        const double h = camera.planHalfHeight, w = h * frame.aspect;
        glOrtho(-w, w, -h, h, 1.0, range.farPlane);
    } else {
        gluPerspective(frame.fovyDegrees, frame.aspect, range.nearPlane, range.farPlane);
    }
    glMatrixMode(GL_MODELVIEW);
}

// How far heights may be off in a plan, where they move nothing on screen: with the shading
// kept whatever the mesh (baked light, or no lighting), any error will do; with OpenGL's
// lighting, a pixel's worth stands for the shading's.
float planError(bool shadingKept, float pixelsPerUnit) {
    return shadingKept ? 1e30f : 1.0f / pixelsPerUnit;
}

// Whether the level-of-detail mesh of the shown map is there: taken from its build on another
// thread once that is done, which is begun when none is under way for this map.
bool meshReady(SceneView& scene) {
    LodMesh& mesh = scene.mesh;
    if (mesh.built) return true;
    LodBuild& build = scene.meshBuild;
    if (build.generation != mesh.generation) build.start(terrainMap, mesh.generation);
    if (!build.done()) return false;
    mesh = build.take();
    return true;
}

// Every camera but the start one while the mesh is being made or handed to the driver: the
// terrain through every few tile points, at most 128 x 128 quads on any map, over the widest
// depth the camera's height allows.
void drawWhileBuilding(SceneView& scene, const CameraPlacement& camera) {
    const float over = camera.eye.y - terrainMap.highestHeight;
    setProjection(scene.frame, camera, DepthRange{std::max(1.0, 0.5 * over), 1000000.0});
    scene.marker.drawListed(viewerState.lightPosition);
    viewFrustum.extract();
    const int side = std::max(terrainMap.header->mapWidth, terrainMap.header->mapHeight);
    glPushMatrix();
    if (scene.levelOfDetail)
        drawCoarseTerrain(terrainMap, scene.textures, std::max(1, (side + 126) / 128));
    else
        drawExact(scene);
    drawMeasurePath(terrainMap, scene.measure, scene.measureSamples);
    glPopMatrix();
}

// What the overview's terrain is drawn from.
PlanKey planKey(const SceneView& scene) {
    const ViewerState& s = viewerState;
    PlanKey key;
    key.generation = scene.mesh.generation;
    key.view = s.view;
    key.water = s.waterShown;
    key.lighting = s.lightingOn;
    key.contours = scene.contours;
    key.levelOfDetail = scene.levelOfDetail;
    key.grid = scene.overlay.grid;
    key.polygonMode = static_cast<int>(s.polygonMode);
    std::copy(s.lightPosition, s.lightPosition + 3, key.light);
    key.width = scene.frame.width;
    key.height = scene.frame.height;
    key.words = scene.frame.words;
    key.changes = scene.compared.changes;
    key.older = scene.compared.showingOlder;
    return key;
}

// The overview as it was last drawn, when nothing it was drawn from has changed, with the
// measured path drawn afresh over it.
bool drawKeptPlan(SceneView& scene, const CameraPlacement& camera) {
    if (!scene.plan.drawKept(planKey(scene))) return false;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    setProjection(scene.frame, camera, DepthRange{1.0, scene.plan.farPlane});
    drawMeasurePath(terrainMap, scene.measure, scene.measureSamples);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return true;
}

// Every camera but the start one: levels chosen for the view, then a projection whose depth
// range fits what is visible, the light's marker and the terrain.
void drawOtherCamera(SceneView& scene, const CameraPlacement& camera) {
    ViewerState& s = viewerState;
    const bool plan = camera.planHalfHeight > 0.0;
    if (plan && drawKeptPlan(scene, camera)) return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    scene.textures.prepare(terrainMap, scene.mesh, s.view, scene.compared, s.waterShown);
    scene.textures.prepareMore(terrainMap);
    if (!meshReady(scene) || !scene.geometry.prepare(scene.gl, scene.mesh)) {
        drawWhileBuilding(scene, camera);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        return;
    }
    setProjection(scene.frame, camera, DepthRange{}); // the widest, to choose what is in view
    viewFrustum.extract();
    // Pixels a world unit spans at distance 1, or in a plan anywhere.
    const float pixelsPerUnit =
        plan ? static_cast<float>(scene.frame.height / (2.0 * camera.planHalfHeight))
             : static_cast<float>(scene.frame.height) / (2.0f * scene.frame.tanHalfFovy());
    // The colours and the water come from textures, so a coarser mesh keeps every tile point's
    // colour and its error only moves silhouettes and shading. A plan, where the error moves
    // nothing, keeps the shading too with the light baked beside the colours: a second texture
    // that costs every pixel, and so only there.
    const bool lighting = s.lightingOn;
    const bool bakedLight = plan && lighting && scene.gl.multitexture();
    if (bakedLight) scene.textures.prepareLight(terrainMap, s.lightPosition);
    ErrorBudget budget{1.0f, 6.0f};
    if (plan) budget.planError = planError(bakedLight || !lighting, pixelsPerUnit);
    scene.selection.choose(scene.mesh, viewFrustum, camera.eye, pixelsPerUnit,
                           scene.textures.largestChunk(), false, budget);
    const DepthRange range =
        depthRangeFor(scene.selection, camera.eye, s.lightPosition, scene.frame);

    setProjection(scene.frame, camera, range);
    scene.marker.drawListed(s.lightPosition);
    viewFrustum.extract();
    glPushMatrix();
    if (scene.levelOfDetail) {
        const LodDrawing drawing{scene.mesh, scene.textures, scene.geometry, scene.gl, bakedLight};
        beginContours(scene);
        drawLevelOfDetail(terrainMap, drawing, scene.selection, s.view);
        scene.contourTexture.end(scene.gl);
        if (scene.overlay.grid) drawTileGrid(drawing, scene.selection);
    } else {
        drawExact(scene);
    }
    if (plan && scene.textures.complete()) scene.plan.keep(planKey(scene), range.farPlane);
    drawMeasurePath(terrainMap, scene.measure, scene.measureSamples);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// The frame's pixels, rows top first, for F12.
void readPicture(SceneView& scene) {
    Overlay& o = scene.overlay;
    o.pictureWanted = false;
    const int width = scene.frame.width, height = scene.frame.height;
    std::vector<unsigned char> bottomUp(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    o.picture.resize(bottomUp.size());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[row * static_cast<std::size_t>(height - 1 - y)], row,
                    &o.picture[row * static_cast<std::size_t>(y)]);
    o.pictureWidth = width;
    o.pictureHeight = height;
}

// The viewer's own camera fields, as the frame places the camera: x and z, the height over the
// ground, and, but for the overview, the eye's y and the point looked at.
void fillCameraState(ViewerState& state, const Camera& camera, const CameraPlacement& placed) {
    state.cameraPosition.x = camera.x;
    state.cameraPosition.z = camera.z;
    state.cameraHeight = camera.height;
    if (camera.overview) return;
    state.cameraPosition.y = placed.eye.y;
    state.lookAtTarget = placed.target;
}

} // namespace

void updateFrameRate(ViewerState& state) {
    if (state.elapsedSeconds - state.fpsSampleTime >= 1.0f) {
        state.framesPerSecond = state.frameCount;
        state.frameCount = 0;
        state.fpsSampleTime = state.elapsedSeconds;
    } else {
        ++state.frameCount;
    }
}

void renderFrame(SceneView& scene) {
    ViewerState& s = viewerState;
    scene.gl.load();
    updateFrameRate(s);
    setTitle(s, scene);
    applyState(s, scene.frame);

    scene.frame.words = wordsRoom(scene);
    const CameraPlacement camera = placeCamera(terrainMap, scene.camera, scene.frame);
    fillCameraState(s, scene.camera, camera);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.target.x, camera.target.y,
              camera.target.z, camera.up.x, camera.up.y, camera.up.z);
    if (scene.camera.isStart()) {
        scene.marker.draw(s.lightPosition);
        viewFrustum.extract();
        glPushMatrix();
        drawExact(scene);
        drawMeasurePath(terrainMap, scene.measure, scene.measureSamples);
        glPopMatrix();
        // A large map's look is made a tile a frame while the start camera shows too, so that
        // it is there when the camera leaves.
        if (s.view != TerrainView::plain) scene.textures.prepareMore(terrainMap);
    } else {
        drawOtherCamera(scene, camera);
    }
    drawOverlay(scene, camera);
    if (scene.overlay.pictureWanted) readPicture(scene);
    glFlush();
    SwapBuffers(windowContext.deviceContext);
}
