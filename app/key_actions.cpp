// The actions of held keys, and of pressed ones. A camera step is taken only if it keeps the
// camera strictly inside the grid's extent, so the camera never stands on the outer edge once
// it has moved. Switches act once per press: held for a frame or for a second, L switches
// the lighting once.
#include "app/key_table.h"

#include "app/map_session.h"
#include "app/view_legend.h"
#include "render/viewer_state.h"
#include "terrain/terrain_map.h"

#include <algorithm>
#include <iostream>

KeyTable keyTable;

namespace {

constexpr float step = 64.0f; // half a tile
constexpr float startHeight = 2048.0f, lowestCamera = 256.0f, highestCamera = 32768.0f;

} // namespace

void keyActions() {
    ViewerState& s = viewerState;
    const float xLimit = 128.0f * static_cast<float>(terrainMap.header->mapWidth - 1);
    const float zLimit = -128.0f * static_cast<float>(terrainMap.header->mapHeight - 1);
    Point3& camera = s.cameraPosition;

    if (keyTable.isHeld(VK_UP) && camera.z - step > zLimit) camera.z -= step;
    if (keyTable.isHeld(VK_DOWN) && camera.z + step < 0.0f) camera.z += step;
    if (keyTable.isHeld(VK_RIGHT) && camera.x + step < xLimit) camera.x += step;
    if (keyTable.isHeld(VK_LEFT) && camera.x - step > 0.0f) camera.x -= step;

    if (keyTable.isHeld('W')) glPolygonMode(GL_FRONT, GL_LINE);
    if (keyTable.isHeld('P')) glPolygonMode(GL_FRONT, GL_POINT);
    if (keyTable.isHeld('F')) glPolygonMode(GL_FRONT, GL_FILL);

    if (keyTable.isHeld('I')) s.lightPosition[0] += step;
    if (keyTable.isHeld('U')) s.lightPosition[0] -= step;
    if (keyTable.isHeld('M')) s.lightPosition[1] -= step;
    if (keyTable.isHeld('K')) s.lightPosition[1] += step;

    if (keyTable.takePress('L')) {
        s.lightingOn = !s.lightingOn;
        if (s.lightingOn)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
    }

    if (keyTable.takePress('V')) {
        s.view = nextView(s.view);
        std::cout << viewLegend(terrainMap, s.view, mapSession.reportText) << std::endl;
    }
    if (keyTable.takePress('H')) s.waterShown = !s.waterShown;
    if (keyTable.takePress(VK_NEXT))
        s.cameraHeight = std::min(2.0f * s.cameraHeight, highestCamera);
    if (keyTable.takePress(VK_PRIOR))
        s.cameraHeight = std::max(0.5f * s.cameraHeight, lowestCamera);
    if (keyTable.takePress(VK_HOME)) s.cameraHeight = startHeight;
    if (keyTable.takePress(VK_F5)) reloadMap();
}
