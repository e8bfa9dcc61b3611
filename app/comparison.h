// Two versions of a map in one window: the newer shown at first, the older kept beside it as
// the reference, and what changed between them. B swaps which one is shown: the global map
// and the controls' session always hold the shown one, `other` and `otherSession` the other,
// so drawing, picking, reloading and following work on the shown map as they always do. Each
// file is followed; the changes are made again whenever either map is reloaded.
// Needs: the map session, the window's controls, the view layer's comparison.
#pragma once

#include "app/map_session.h"
#include "view/changed_regions.h"
#include "view/map_changes.h"
#include "view/map_symmetry.h"

#include <cstdint>
#include <string>

struct Comparison {
    bool active = false;
    bool showingOlder = false;
    // Not none: the map against its own transform, which stands in the older version's place.
    Symmetry symmetry = Symmetry::none;
    TerrainMap other;        // the version not shown
    MapSession otherSession; // its file
    MapChanges changes;
    std::vector<ChangedRegion> regions; // where it changed, largest first
    int regionShown = -1;               // the region N flew to last; -1: none yet
};

// Starts comparing the shown map (the newer) with `older`, loaded from `file` as `stamp` saw
// it; the window starts in the changes view, framed on the changes (the overview when they
// spread wide).
void startComparison(ViewControls& controls, TerrainMap&& older, const std::string& file,
                     const FileStamp& stamp);

// Starts comparing the shown map with `partner`, its transform by `kind`, in the changes view
// framed on the points that differ from their partners; reloading the map compares again.
void startSymmetry(ViewControls& controls, TerrainMap&& partner, Symmetry kind);

// Shows the other version in the shown one's place (B), in the same view.
void showOtherVersion(ViewControls& controls);

// Makes the changes again from both maps, after either was reloaded.
void compareAgain(ViewControls& controls);

// N (`step` 1) and Shift+N (-1): flies to the next or previous changed region, largest first,
// and says on the status line which it is and what changed there.
void flyToChange(ViewControls& controls, int step);

// Ends the comparison (another map was opened): the window shows that map alone.
void endComparison(ViewControls& controls);

// Follows the other version's file as followMapFile follows the shown one's, and reloads it
// with F5 (`now` 0).
void followOtherFile(std::int64_t now, ViewControls& controls);
bool reloadOtherMap(ViewControls& controls);
