// renderFrame: one frame, in a fixed order. The camera keeps its height (2048 units unless
// zoomed) above the ground under it and looks 3/4 of that ahead at that ground height: always
// towards negative z and down at the same angle.
#include "render/scene_frame.h"

#include "render/ground_height.h"
#include "render/light_marker.h"
#include "terrain/terrain_map.h"

#include "platform/win32.h"
#include "render/view_frustum.h"
#include "render/window_context.h"
#include "render/window_title.h"

void updateFrameRate(ViewerState& state) {
    if (state.elapsedSeconds - state.fpsSampleTime >= 1.0f) {
        state.framesPerSecond = state.frameCount;
        state.frameCount = 0;
        state.fpsSampleTime = state.elapsedSeconds;
    } else {
        ++state.frameCount;
    }
}

void renderFrame() {
    ViewerState& s = viewerState;
    updateFrameRate(s);
    if (s.view == TerrainView::plain)
        setWindowTitle(windowContext.mainWindow, "V3U Zuvaro - Kelpmoor Entertainment [ FPS:%d ]",
                       s.framesPerSecond);
    else
        setWindowTitle(windowContext.mainWindow,
                       "V3U Zuvaro - Kelpmoor Entertainment [ FPS:%d ] - %s", s.framesPerSecond,
                       viewName(s.view));

    const float ground = groundHeightUnder(terrainMap, s.cameraPosition.x, s.cameraPosition.z);
    s.cameraPosition.y = ground + s.cameraHeight;
    s.lookAtTarget.set(s.cameraPosition.x, ground, s.cameraPosition.z - 0.75f * s.cameraHeight);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(s.cameraPosition.x, s.cameraPosition.y, s.cameraPosition.z, s.lookAtTarget.x,
              s.lookAtTarget.y, s.lookAtTarget.z, 0.0, 1.0, 0.0);
    drawLightMarker(s.lightPosition);

    viewFrustum.extract();
    glPushMatrix();
    terrainMap.draw(viewFrustum);
    glPopMatrix();
    glFlush();
    SwapBuffers(windowContext.deviceContext);
}
