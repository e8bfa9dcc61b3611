// The actions of held keys, and of pressed ones. A camera step is taken only if it keeps the
// camera strictly inside the grid's extent, so the camera never stands on the outer edge once
// it has moved. Switches act once per press: held for a frame or for a second, L switches
// the lighting once.
#include "app/key_table.h"

#include "app/camera_moves.h"
#include "app/map_session.h"
#include "app/open_dialog.h"
#include "app/user_messages.h"
#include "app/view_legend.h"
#include "render/viewer_state.h"
#include "render/window_context.h"
#include "terrain/terrain_map.h"

#include <iostream>

KeyTable keyTable;

namespace {

// The camera keys act on the normal camera: in the overview they first go back to it.
bool cameraKey(SceneView& scene, bool acts) {
    if (acts) scene.pose.overview = false;
    return acts;
}

} // namespace

void keyActions(SceneView& scene) {
    ViewerState& s = viewerState;
    const CameraPose& pose = scene.pose;

    if (cameraKey(scene, keyTable.isHeld(VK_UP))) fly(terrainMap, s, pose, 1, 0);
    if (cameraKey(scene, keyTable.isHeld(VK_DOWN))) fly(terrainMap, s, pose, -1, 0);
    if (cameraKey(scene, keyTable.isHeld(VK_RIGHT))) fly(terrainMap, s, pose, 0, 1);
    if (cameraKey(scene, keyTable.isHeld(VK_LEFT))) fly(terrainMap, s, pose, 0, -1);

    if (keyTable.isHeld('W')) glPolygonMode(GL_FRONT, GL_LINE);
    if (keyTable.isHeld('P')) glPolygonMode(GL_FRONT, GL_POINT);
    if (keyTable.isHeld('F')) glPolygonMode(GL_FRONT, GL_FILL);

    if (keyTable.isHeld('I')) s.lightPosition[0] += 64.0f;
    if (keyTable.isHeld('U')) s.lightPosition[0] -= 64.0f;
    if (keyTable.isHeld('M')) s.lightPosition[1] -= 64.0f;
    if (keyTable.isHeld('K')) s.lightPosition[1] += 64.0f;

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
    if (cameraKey(scene, keyTable.takePress(VK_NEXT))) setCameraHeight(s, 2.0f * s.cameraHeight);
    if (cameraKey(scene, keyTable.takePress(VK_PRIOR))) setCameraHeight(s, 0.5f * s.cameraHeight);
    if (cameraKey(scene, keyTable.takePress(VK_HOME))) {
        s.cameraHeight = startHeight;
        scene.pose = CameraPose{};
    }
    if (keyTable.isHeld(VK_CONTROL) && keyTable.takePress('O')) {
        std::string chosen, problem;
        if (askForMap(windowContext.mainWindow, chosen, problem))
            openMap(chosen, scene);
        else if (!problem.empty())
            tellFailure(problem, true, windowContext.mainWindow);
        keyTable.releaseAll(); // the dialog had the keys meanwhile
    }
    if (keyTable.takePress('O')) scene.pose.overview = !scene.pose.overview;
    if (keyTable.takePress('D')) scene.levelOfDetail = !scene.levelOfDetail;
    Overlay& words = scene.overlay;
    if (keyTable.takePress(VK_TAB))
        words.words = words.wordsShown(s.view) ? Overlay::Words::hidden : Overlay::Words::shown;
    if (keyTable.takePress(VK_F1)) words.keys = !words.keys;
    if (keyTable.takePress('G')) words.grid = !words.grid;
    if (keyTable.takePress(VK_F5)) reloadMap(scene);
    if (keyTable.takePress(VK_F12)) words.pictureWanted = true;
}
