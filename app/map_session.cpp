// Replacing the shown map. Only a good load replaces it; the report of every attempt goes to
// standard output as the load prints it, and its failure to standard error and a box.
#include "app/map_session.h"

#include "app/user_messages.h"
#include "app/view_legend.h"
#include "render/window_context.h"
#include "view/viewer_state.h"

#include <iostream>

MapSession mapSession;

namespace {

enum class Camera { toStart, keepIfInside };

// Takes the loaded map or says why not. `stamp` is the file as it was before the load.
bool takeMap(TerrainMap&& candidate, const std::string& file, const FileStamp& stamp, Camera camera,
             SceneView& scene) {
    if (!candidate.loadWarning.empty()) tellWarning(candidate.loadWarning);
    if (!candidate.loaded()) {
        tellFailure(candidate.loadError, true, windowContext.mainWindow);
        return false;
    }
    terrainMap = std::move(candidate);
    scene.mesh.clear();
    scene.overlay.mapName = mapNameOf(file);
    // The colours may mean something else now: say what they mean again.
    if (viewerState.view != TerrainView::plain)
        std::cout << viewLegend(terrainMap, viewerState.view, mapSession.reportText) << std::endl;
    mapSession.file = file;
    mapSession.known = stamp;
    mapSession.changeSeen = false;
    Point3& eye = viewerState.cameraPosition;
    const float xEnd = 128.0f * static_cast<float>(terrainMap.header->mapWidth - 1);
    const float zEnd = -128.0f * static_cast<float>(terrainMap.header->mapHeight - 1);
    // The key limits keep a camera that has moved strictly inside the grid.
    const bool inside = (eye.x == 0.0f || eye.x < xEnd) && (eye.z == 0.0f || eye.z > zEnd);
    if (camera == Camera::toStart || !inside) {
        eye = Point3{};
        scene.pose = CameraPose{};
    }
    return true;
}

} // namespace

void followFrom(const std::string& file, const FileStamp& stamp, ReportText text) {
    mapSession = MapSession{};
    mapSession.file = file;
    mapSession.known = stamp;
    mapSession.reportText = text;
}

bool openMap(const std::string& path, SceneView& scene) {
    const std::string file = mapFileFor(path);
    const FileStamp stamp = stampOf(file);
    return takeMap(loadMapFile(file, std::cout, mapSession.reportText), file, stamp,
                   Camera::toStart, scene);
}

bool reloadMap(SceneView& scene) {
    if (mapSession.file.empty()) return false;
    const FileStamp stamp = stampOf(mapSession.file);
    mapSession.known = stamp; // this attempt, good or not, is not repeated by the follower
    return takeMap(loadMapFile(mapSession.file, std::cout, mapSession.reportText), mapSession.file,
                   stamp, Camera::keepIfInside, scene);
}

void followMapFile(std::int64_t now, SceneView& scene) {
    MapSession& s = mapSession;
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
    takeMap(std::move(candidate), s.file, stamp, Camera::keepIfInside, scene);
}
