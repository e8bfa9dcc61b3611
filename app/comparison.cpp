#include "app/comparison.h"

#include "app/view_controls.h"
#include "terrain/map_extent.h"
#include "view/camera_moves.h"
#include "view/viewer_state.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace {

// The frame's view of the comparison, and the status line's name: which version it shows.
void tellScene(ViewControls& controls) {
    Comparison& c = controls.comparison;
    SceneView& scene = controls.scene;
    scene.compared = ComparedMaps{&c.other, &c.changes, c.showingOlder};
    if (c.symmetry == Symmetry::none)
        scene.overlay.mapName =
            (c.showingOlder ? "before: " : "after: ") + mapNameOf(controls.session.file);
    else // the map's own session is the other one while its transform shows
        scene.overlay.mapName =
            std::string(c.showingOlder ? symmetryName(c.symmetry) : "map") + ": " +
            mapNameOf((c.showingOlder ? c.otherSession : controls.session).file);
    scene.mesh.clear(); // made again from the map shown, in the changes' colours
}

// The newer map's grid box of a region, in the shown map's grid.
GridBox shownBox(const Comparison& c, const ChangedRegion& r) {
    const long long dc = c.showingOlder ? c.changes.columnShift : 0,
                    dr = c.showingOlder ? c.changes.rowShift : 0;
    return {static_cast<int>(r.column0 + dc), static_cast<int>(r.row0 + dr),
            static_cast<int>(r.column1 + dc), static_cast<int>(r.row1 + dr)};
}

// What the status line says of the regions until N flies to one.
std::string regionsLine(const Comparison& c) {
    if (c.regions.empty()) return "no changes";
    return std::to_string(c.regions.size()) +
           (c.regions.size() == 1 ? " changed region" : " changed regions") +
           ": N and Shift+N fly to each, largest first";
}

// The camera on every change at once.
void frameChanges(ViewControls& controls) {
    const Comparison& c = controls.comparison;
    if (c.regions.empty()) return;
    GridBox all = shownBox(c, c.regions[0]);
    for (const ChangedRegion& r : c.regions) {
        const GridBox b = shownBox(c, r);
        all = {std::min(all.column0, b.column0), std::min(all.row0, b.row0),
               std::max(all.column1, b.column1), std::max(all.row1, b.row1)};
    }
    frameBox(terrainMap, controls.scene.camera, controls.scene.frame, all);
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
    frameChanges(controls);
}

void startSymmetry(ViewControls& controls, TerrainMap&& partner, Symmetry kind) {
    Comparison& c = controls.comparison;
    c.active = true;
    c.showingOlder = false;
    c.symmetry = kind;
    c.other = std::move(partner);
    viewerState.view = TerrainView::changes;
    compareAgain(controls);
    frameChanges(controls);
}

void compareAgain(ViewControls& controls) {
    Comparison& c = controls.comparison;
    if (c.symmetry != Symmetry::none) {
        // The map was reloaded (only the map, never its transform, follows a file).
        const std::string problem = symmetryProblem(terrainMap, c.symmetry);
        if (!problem.empty()) {
            std::cerr << "zuvaro: " << problem << std::endl;
            return endComparison(controls);
        }
        c.other = symmetryPartner(terrainMap, c.symmetry);
        c.changes = symmetryChanges(c.other, terrainMap, c.symmetry);
    } else {
        c.changes = c.showingOlder ? MapChanges::between(terrainMap, c.other)
                                   : MapChanges::between(c.other, terrainMap);
    }
    c.regions = changedRegions(c.changes, *(c.showingOlder ? c.other : terrainMap).header);
    c.regionShown = -1;
    const std::string unmatched = unmatchedWhy(c.other, terrainMap);
    controls.scene.overlay.changeLine = unmatched.empty() ? regionsLine(c) : unmatched;
    tellScene(controls);
}

void flyToChange(ViewControls& controls, int step) {
    Comparison& c = controls.comparison;
    if (!c.active) return;
    Overlay& o = controls.scene.overlay;
    const int count = static_cast<int>(c.regions.size());
    if (count == 0) return;
    c.regionShown = c.regionShown < 0 ? (step > 0 ? 0 : count - 1)
                                      : ((c.regionShown + step) % count + count) % count;
    const ChangedRegion& r = c.regions[static_cast<std::size_t>(c.regionShown)];
    frameBox(terrainMap, controls.scene.camera, controls.scene.frame, shownBox(c, r));
    o.changeLine = "change " + std::to_string(c.regionShown + 1) + " of " + std::to_string(count) +
                   ": " + r.described();
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
    c.symmetry = Symmetry::none;
    c.other = TerrainMap();
    c.otherSession = MapSession{};
    c.changes = MapChanges{};
    c.regions.clear();
    c.regionShown = -1;
    controls.scene.overlay.changeLine.clear();
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
    if (!c.active || c.symmetry != Symmetry::none) return false; // a transform has no file
    c.otherSession.known = stampOf(c.otherSession.file);
    return takeOther(loadMapFile(c.otherSession.file, std::cout, c.otherSession.reportText),
                     controls);
}
