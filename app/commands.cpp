// The table and what its keys do. A camera step is taken only if it keeps the camera strictly
// inside the grid's extent, so the camera never stands on the outer edge once it has moved;
// the camera keys leave the overview first. Switches act once per press: held for a frame or
// for a second, L switches the lighting once. Actions change state only; the next frame draws
// with it (polygon mode and lighting included).
#include "app/commands.h"

#include "app/camera_moves.h"
#include "app/key_table.h"
#include "app/map_session.h"
#include "app/open_dialog.h"
#include "app/user_messages.h"
#include "app/view_legend.h"
#include "render/window_context.h"
#include "terrain/terrain_map.h"
#include "view/viewer_state.h"

#include <iostream>

namespace {

void flyAlong(SceneView& scene, int which) {
    static const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    scene.pose.overview = false;
    fly(terrainMap, viewerState, scene.pose, steps[which][0], steps[which][1]);
}

void flyAcross(SceneView& scene, int which) {
    flyAlong(scene, which + 2);
}

void polygonMode(SceneView&, int which) {
    static const PolygonMode modes[] = {PolygonMode::lines, PolygonMode::points, PolygonMode::fill};
    viewerState.polygonMode = modes[which];
}

void moveLightAcross(SceneView&, int which) {
    viewerState.lightPosition[0] += which == 0 ? 64.0f : -64.0f;
}

void moveLightUpDown(SceneView&, int which) {
    viewerState.lightPosition[1] += which == 0 ? -64.0f : 64.0f;
}

void switchLighting(SceneView&, int) {
    viewerState.lightingOn = !viewerState.lightingOn;
}

void nextViewShown(SceneView&, int) {
    viewerState.view = nextView(viewerState.view);
    std::cout << viewLegend(terrainMap, viewerState.view, mapSession.reportText) << std::endl;
}

void switchWater(SceneView&, int) {
    viewerState.waterShown = !viewerState.waterShown;
}

void zoom(SceneView& scene, int which) {
    scene.pose.overview = false;
    setCameraHeight(viewerState, (which == 0 ? 2.0f : 0.5f) * viewerState.cameraHeight);
}

void home(SceneView& scene, int) {
    viewerState.cameraHeight = startHeight;
    scene.pose = CameraPose{};
}

void openAnother(SceneView& scene, int) {
    std::string chosen, problem;
    if (askForMap(windowContext.mainWindow, folderOf(mapSession.file), chosen, problem))
        openMap(chosen, scene);
    else if (!problem.empty())
        tellFailure(problem, true, windowContext.mainWindow);
    keyTable.releaseAll(); // the dialog had the keys meanwhile
}

void switchOverview(SceneView& scene, int) {
    scene.pose.overview = !scene.pose.overview;
}

void switchDetail(SceneView& scene, int) {
    scene.levelOfDetail = !scene.levelOfDetail;
}

void switchWords(SceneView& scene, int) {
    Overlay& o = scene.overlay;
    o.words = o.wordsShown(viewerState.view) ? Overlay::Words::hidden : Overlay::Words::shown;
}

void switchKeys(SceneView& scene, int) {
    Overlay& o = scene.overlay;
    o.keys = !o.keys;
    if (o.keys && o.keyLines.count == 0) listCommands(o.keyLines);
}

void switchGrid(SceneView& scene, int) {
    scene.overlay.grid = !scene.overlay.grid;
}

void reload(SceneView& scene, int) {
    reloadMap(scene);
}

void savePicture(SceneView& scene, int) {
    scene.overlay.pictureWanted = true;
}

} // namespace

const Command commands[] = {
    {"Up, Down", "fly ahead, back", Command::held, {VK_UP, VK_DOWN}, false, flyAlong},
    {"Right, Left", "fly right, left", Command::held, {VK_RIGHT, VK_LEFT}, false, flyAcross},
    {"W, P, F", "lines, points, filled", Command::held, {'W', 'P', 'F'}, false, polygonMode},
    {"I, U", "move the light along x", Command::held, {'I', 'U'}, false, moveLightAcross},
    {"M, K", "move the light down, up", Command::held, {'M', 'K'}, false, moveLightUpDown},
    {"L", "lighting off or on", Command::pressed, {'L'}, false, switchLighting},
    {"V", "next view", Command::pressed, {'V'}, false, nextViewShown},
    {"H", "water off or on", Command::pressed, {'H'}, false, switchWater},
    {"Page Down, Page Up",
     "twice, half as high",
     Command::pressed,
     {VK_NEXT, VK_PRIOR},
     false,
     zoom},
    {"Home", "the start's height and direction", Command::pressed, {VK_HOME}, false, home},
    {"Ctrl+O", "open another map", Command::pressed, {'O'}, true, openAnother},
    {"O", "the whole map from above", Command::pressed, {'O'}, false, switchOverview},
    {"D", "level of detail off or on", Command::pressed, {'D'}, false, switchDetail},
    {"Tab", "these words", Command::pressed, {VK_TAB}, false, switchWords},
    {"F1", "this list", Command::pressed, {VK_F1}, false, switchKeys},
    {"G", "the tile grid", Command::pressed, {'G'}, false, switchGrid},
    {"F5", "reload the map", Command::pressed, {VK_F5}, false, reload},
    {"F12", "save the window's picture", Command::pressed, {VK_F12}, false, savePicture},
    {"Escape", "quit", Command::loop, {VK_ESCAPE}, false, nullptr},
    {"Wheel", "zoom towards the cursor", Command::mouse, {}, false, nullptr},
    {"Left drag", "pan", Command::mouse, {}, false, nullptr},
    {"Right drag", "turn, tilt", Command::mouse, {}, false, nullptr},
    {"Double click", "look at the point", Command::mouse, {}, false, nullptr},
    {"Click in the overview", "go there", Command::mouse, {}, false, nullptr},
};

const int commandCount = static_cast<int>(sizeof commands / sizeof commands[0]);

void listCommands(TextLines& out) {
    for (int i = 0; i < commandCount; ++i) {
        if (i > 0 && commands[i].trigger == Command::mouse &&
            commands[i - 1].trigger != Command::mouse)
            out.add("%s", ""); // the mouse's apart
        out.add("%s: %s", commands[i].keys, commands[i].does);
    }
}
