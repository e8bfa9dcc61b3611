// The table and what its keys do. A camera step is taken only if it keeps the camera strictly
// inside the grid's extent, so the camera never stands on the outer edge once it has moved;
// the camera keys leave the overview first. Switches act once per press: held for a frame or
// for a second, L switches the lighting once. Actions change state only; the next frame draws
// with it (polygon mode and lighting included).
#include "app/commands.h"

#include "app/comparison.h"
#include "app/key_table.h"
#include "app/map_session.h"
#include "app/open_dialog.h"
#include "app/user_messages.h"
#include "app/view_controls.h"
#include "app/view_legend.h"
#include "render/window_context.h"
#include "terrain/terrain_map.h"
#include "view/camera_moves.h"
#include "view/viewer_state.h"

#include <iostream>

namespace {

void flyAlong(ViewControls& controls, int which) {
    static const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    fly(terrainMap, controls.scene.camera, steps[which][0], steps[which][1]);
}

void flyAcross(ViewControls& controls, int which) {
    flyAlong(controls, which + 2);
}

void polygonMode(ViewControls&, int which) {
    static const PolygonMode modes[] = {PolygonMode::lines, PolygonMode::points, PolygonMode::fill};
    viewerState.polygonMode = modes[which];
}

void moveLightAcross(ViewControls&, int which) {
    viewerState.lightPosition[0] += which == 0 ? 64.0f : -64.0f;
}

void moveLightUpDown(ViewControls&, int which) {
    viewerState.lightPosition[1] += which == 0 ? -64.0f : 64.0f;
}

void switchLighting(ViewControls&, int) {
    viewerState.lightingOn = !viewerState.lightingOn;
}

void nextViewShown(ViewControls& controls, int) {
    viewerState.view = nextView(viewerState.view, controls.comparison.active);
    std::cout << viewLegend(terrainMap, viewerState.view, controls.session.reportText,
                            &controls.scene.textures.palette)
              << std::endl;
}

void otherVersion(ViewControls& controls, int) {
    showOtherVersion(controls);
}

void nextChange(ViewControls& controls, int) {
    flyToChange(controls, keyTable.isHeld(VK_SHIFT) ? -1 : 1);
}

void switchWater(ViewControls&, int) {
    viewerState.waterShown = !viewerState.waterShown;
}

void zoom(ViewControls& controls, int which) {
    Camera& camera = controls.scene.camera;
    camera.overview = false;
    setHeight(camera, (which == 0 ? 2.0f : 0.5f) * camera.height);
}

void home(ViewControls& controls, int) {
    controls.scene.camera.home();
}

void openAnother(ViewControls& controls, int) {
    std::string chosen, problem;
    if (askForMap(windowContext.mainWindow, folderOf(controls.session.file), chosen, problem))
        beginOpening(chosen, controls);
    else if (!problem.empty())
        tellFailure(problem, true, windowContext.mainWindow);
    keyTable.releaseAll(); // the dialog had the keys meanwhile
}

void switchOverview(ViewControls& controls, int) {
    controls.scene.camera.overview = !controls.scene.camera.overview;
}

void switchDetail(ViewControls& controls, int) {
    controls.scene.levelOfDetail = !controls.scene.levelOfDetail;
}

void switchWords(ViewControls& controls, int) {
    Overlay& o = controls.scene.overlay;
    o.words = o.wordsShown(viewerState.view) ? Overlay::Words::hidden : Overlay::Words::shown;
}

void switchKeys(ViewControls& controls, int) {
    Overlay& o = controls.scene.overlay;
    o.keys = !o.keys;
    if (o.keys && o.keyLines.count == 0) listCommands(o.keyLines);
}

void switchContours(ViewControls& controls, int) {
    controls.scene.contours = !controls.scene.contours;
}

void switchGrid(ViewControls& controls, int) {
    controls.scene.overlay.grid = !controls.scene.overlay.grid;
}

void reload(ViewControls& controls, int) {
    reloadMap(controls);
    reloadOtherMap(controls); // while comparing: the other version too
}

void removeMeasuredPoint(ViewControls& controls, int) {
    std::vector<Point3>& points = controls.scene.measure.points;
    if (!points.empty()) points.pop_back();
}

void savePicture(ViewControls& controls, int) {
    controls.scene.overlay.pictureWanted = true;
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
    {"B", "the map before or after", Command::pressed, {'B'}, false, otherVersion},
    {"N, Shift+N", "the next, previous change", Command::pressed, {'N'}, false, nextChange},
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
    {"C", "contour lines", Command::pressed, {'C'}, false, switchContours},
    {"F5", "reload the map", Command::pressed, {VK_F5}, false, reload},
    {"F12", "save the window's picture", Command::pressed, {VK_F12}, false, savePicture},
    {"Backspace",
     "remove the last measured point",
     Command::pressed,
     {VK_BACK},
     false,
     removeMeasuredPoint},
    {"Escape", "quit", Command::loop, {VK_ESCAPE}, false, nullptr},
    {"Wheel", "zoom towards the cursor", Command::mouse, {}, false, nullptr},
    {"Left drag", "pan", Command::mouse, {}, false, nullptr},
    {"Right drag", "turn, tilt", Command::mouse, {}, false, nullptr},
    {"Double click", "look at the point", Command::mouse, {}, false, nullptr},
    {"Click in the overview", "go there", Command::mouse, {}, false, nullptr},
    {"Shift+click", "measure: add a point on the ground", Command::mouse, {}, false, nullptr},
    {"Shift+right click", "clear the measured points", Command::mouse, {}, false, nullptr},
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
