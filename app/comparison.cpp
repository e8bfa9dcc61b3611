#include "app/comparison.h"

#include "app/view_controls.h"
#include "terrain/map_extent.h"
#include "view/viewer_state.h"

#include <iostream>
#include <utility>

namespace {

// The frame's view of the comparison, and the status line's name: which version it shows.
void tellScene(ViewControls& controls) {
    Comparison& c = controls.comparison;
    SceneView& scene = controls.scene;
    scene.compared = ComparedMaps{&c.other, &c.changes, c.showingOlder};
    scene.overlay.mapName =
        (c.showingOlder ? "before: " : "after: ") + mapNameOf(controls.session.file);
    scene.mesh.clear(); // made again from the map shown, in the changes' colours
}

bool takeOther(TerrainMap&& candidate, ViewControls& controls) {
    if (!loadedWell(candidate)) return false;
    controls.comparison.other = std::move(candidate);
    compareAgain(controls);
    return true;
}

} // namespace

void startComparison(ViewControls& controls, TerrainMap&& older, const std::string& file,
                     const FileStamp& stamp) {
    Comparison& c = controls.comparison;
    c.active = true;
    c.showingOlder = false;
    c.other = std::move(older);
    followFrom(c.otherSession, file, stamp, controls.session.reportText);
    viewerState.view = TerrainView::changes;
    compareAgain(controls);
}

void compareAgain(ViewControls& controls) {
    Comparison& c = controls.comparison;
    c.changes = c.showingOlder ? MapChanges::between(terrainMap, c.other)
                               : MapChanges::between(c.other, terrainMap);
    tellScene(controls);
}

void showOtherVersion(ViewControls& controls) {
    Comparison& c = controls.comparison;
    if (!c.active) return;
    std::swap(terrainMap, c.other);
    std::swap(controls.session, c.otherSession);
    c.showingOlder = !c.showingOlder;
    // The same place in both, where the other version has it.
    Camera& camera = controls.scene.camera;
    const MapExtent extent = MapExtent::of(*terrainMap.header);
    if (camera.x >= extent.xEnd || camera.z <= extent.zEnd) camera = Camera{};
    tellScene(controls);
    std::cout << (c.showingOlder ? "before: " : "after: ") << controls.session.file << std::endl;
}

void endComparison(ViewControls& controls) {
    Comparison& c = controls.comparison;
    c.active = c.showingOlder = false;
    c.other = TerrainMap();
    c.otherSession = MapSession{};
    c.changes = MapChanges{};
    controls.scene.compared = ComparedMaps{};
    if (viewerState.view == TerrainView::changes) viewerState.view = TerrainView::plain;
}

void followOtherFile(std::int64_t now, ViewControls& controls) {
    Comparison& c = controls.comparison;
    TerrainMap candidate;
    if (c.active && settledChange(now, c.otherSession, candidate))
        takeOther(std::move(candidate), controls);
}

bool reloadOtherMap(ViewControls& controls) {
    Comparison& c = controls.comparison;
    if (!c.active) return false;
    c.otherSession.known = stampOf(c.otherSession.file);
    return takeOther(loadMapFile(c.otherSession.file, std::cout, c.otherSession.reportText),
                     controls);
}
