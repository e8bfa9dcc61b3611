// Replacing the shown map. Only a good load replaces it; the report of every attempt goes to
// standard output as the load prints it, and its failure to standard error and a box.
#include "app/map_session.h"

#include "app/comparison.h"
#include "app/user_messages.h"
#include "app/view_controls.h"
#include "app/view_legend.h"
#include "render/window_context.h"
#include "terrain/map_extent.h"
#include "view/viewer_state.h"

#include <iostream>

namespace {

enum class CameraAfter { toStart, keepIfInside };

// Takes the loaded map or says why not. `stamp` is the file as it was before the load.
bool takeMap(TerrainMap&& candidate, const std::string& file, const FileStamp& stamp,
             CameraAfter after, ViewControls& controls) {
    if (!loadedWell(candidate)) return false;
    terrainMap = std::move(candidate);
    SceneView& scene = controls.scene;
    MapSession& session = controls.session;
    scene.mesh.clear();
    scene.overlay.mapName = mapNameOf(file);
    // The colours may mean something else now: say what they mean again.
    if (viewerState.view != TerrainView::plain)
        std::cout << viewLegend(terrainMap, viewerState.view, session.reportText,
                                &scene.textures.palette)
                  << std::endl;
    session.file = file;
    session.known = stamp;
    session.changeSeen = false;
    Camera& camera = scene.camera;
    const MapExtent extent = MapExtent::of(*terrainMap.header);
    // The key limits keep a camera that has moved strictly inside the grid.
    const bool inside = (camera.x == 0.0f || camera.x < extent.xEnd) &&
                        (camera.z == 0.0f || camera.z > extent.zEnd);
    if (after == CameraAfter::toStart || !inside) camera = Camera{};
    return true;
}

} // namespace

bool loadedWell(const TerrainMap& candidate) {
    if (!candidate.loadWarning.empty()) tellWarning(candidate.loadWarning);
    if (candidate.loaded()) return true;
    tellFailure(candidate.loadError, true, windowContext.mainWindow);
    return false;
}

void followFrom(MapSession& session, const std::string& file, const FileStamp& stamp,
                ReportText text) {
    session = MapSession{};
    session.file = file;
    session.known = stamp;
    session.reportText = text;
}

// What opening a map does with its load.
bool takeOpened(TerrainMap&& candidate, const std::string& file, const FileStamp& stamp,
                ViewControls& controls) {
    if (!takeMap(std::move(candidate), file, stamp, CameraAfter::toStart, controls)) return false;
    if (controls.comparison.active) endComparison(controls);
    return true;
}

void beginOpening(const std::string& path, ViewControls& controls) {
    controls.loading.start(mapFileFor(path), controls.session.reportText);
}

bool finishOpening(ViewControls& controls) {
    MapLoading& loading = controls.loading;
    if (!loading.done()) return false;
    std::string report;
    TerrainMap candidate = loading.take(report);
    std::cout << report << std::flush;
    return takeOpened(std::move(candidate), loading.file, loading.stamp, controls);
}

bool reloadMap(ViewControls& controls) {
    MapSession& s = controls.session;
    if (s.file.empty()) return false;
    const FileStamp stamp = stampOf(s.file);
    s.known = stamp; // this attempt, good or not, is not repeated by the follower
    const bool taken = takeMap(loadMapFile(s.file, std::cout, s.reportText), s.file, stamp,
                               CameraAfter::keepIfInside, controls);
    if (taken && controls.comparison.active) compareAgain(controls);
    return taken;
}

void followMapFile(std::int64_t now, ViewControls& controls) {
    MapSession& s = controls.session;
    TerrainMap candidate;
    if (!settledChange(now, s, candidate)) return;
    if (takeMap(std::move(candidate), s.file, s.known, CameraAfter::keepIfInside, controls) &&
        controls.comparison.active)
        compareAgain(controls);
}

bool settledChange(std::int64_t now, MapSession& s, TerrainMap& candidate) {
    if (s.file.empty() || now < s.nextLook) return false;
    s.nextLook = now + viewerState.counterFrequency; // a second on

    const FileStamp stamp = stampOf(s.file);
    // Unchanged, or gone for the moment (an editor replacing it): nothing to load yet.
    if (stamp == s.known || !stamp.exists) {
        s.changeSeen = false;
        return false;
    }
    if (!s.changeSeen || stamp != s.changed) {
        s.changed = stamp;
        s.changeSeen = true;
        return false;
    }
    candidate = loadMapFile(s.file, std::cout, s.reportText);
    const FileStamp after = stampOf(s.file);
    if (after != stamp) { // written to during the load: wait for it to settle again
        s.changed = after;
        return false;
    }
    s.known = stamp;
    return true;
}
