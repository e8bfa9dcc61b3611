// Replacing the shown map. Only a good load replaces it; the report of every attempt goes to
// standard output as the load prints it, and its failure to standard error and a box.
#include "app/map_session.h"

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
    if (!candidate.loadWarning.empty()) tellWarning(candidate.loadWarning);
    if (!candidate.loaded()) {
        tellFailure(candidate.loadError, true, windowContext.mainWindow);
        return false;
    }
    terrainMap = std::move(candidate);
    SceneView& scene = controls.scene;
    MapSession& session = controls.session;
    scene.mesh.clear();
    scene.overlay.mapName = mapNameOf(file);
    // The colours may mean something else now: say what they mean again.
    if (viewerState.view != TerrainView::plain)
        std::cout << viewLegend(terrainMap, viewerState.view, session.reportText) << std::endl;
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

void followFrom(MapSession& session, const std::string& file, const FileStamp& stamp,
                ReportText text) {
    session = MapSession{};
    session.file = file;
    session.known = stamp;
    session.reportText = text;
}

bool openMap(const std::string& path, ViewControls& controls) {
    const std::string file = mapFileFor(path);
    const FileStamp stamp = stampOf(file);
    return takeMap(loadMapFile(file, std::cout, controls.session.reportText), file, stamp,
                   CameraAfter::toStart, controls);
}

bool reloadMap(ViewControls& controls) {
    MapSession& s = controls.session;
    if (s.file.empty()) return false;
    const FileStamp stamp = stampOf(s.file);
    s.known = stamp; // this attempt, good or not, is not repeated by the follower
    return takeMap(loadMapFile(s.file, std::cout, s.reportText), s.file, stamp,
                   CameraAfter::keepIfInside, controls);
}

void followMapFile(std::int64_t now, ViewControls& controls) {
    MapSession& s = controls.session;
    if (s.file.empty() || now < s.nextLook) return;
    s.nextLook = now + viewerState.counterFrequency; // a second on

    const FileStamp stamp = stampOf(s.file);
    // Unchanged, or gone for the moment (an editor replacing it): nothing to load yet.
    if (stamp == s.known || !stamp.exists) {
        s.changeSeen = false;
        return;
    }
    if (!s.changeSeen || stamp != s.changed) {
        s.changed = stamp;
        s.changeSeen = true;
        return;
    }
    TerrainMap candidate = loadMapFile(s.file, std::cout, s.reportText);
    const FileStamp after = stampOf(s.file);
    if (after != stamp) { // written to during the load: wait for it to settle again
        s.changed = after;
        return;
    }
    s.known = stamp;
    takeMap(std::move(candidate), s.file, stamp, CameraAfter::keepIfInside, controls);
}
