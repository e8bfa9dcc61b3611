// Two versions of a map in one window: the newer shown at first, the older kept beside it as
// the reference, and what changed between them. B swaps which one is shown: the global map
// and the controls' session always hold the shown one, `other` and `otherSession` the other,
// so drawing, picking, reloading and following work on the shown map as they always do. Each
// file is followed; the changes are made again whenever either map is reloaded.
// Needs: the map session, the window's controls, the view layer's comparison.
#pragma once

#include "app/map_session.h"
#include "view/map_changes.h"

#include <cstdint>
#include <string>

struct Comparison {
    bool active = false;
    bool showingOlder = false;
    TerrainMap other;        // the version not shown
    MapSession otherSession; // its file
    MapChanges changes;
};

// Starts comparing the shown map (the newer) with `older`, loaded from `file` as `stamp` saw
// it; the window starts in the changes view.
void startComparison(ViewControls& controls, TerrainMap&& older, const std::string& file,
                     const FileStamp& stamp);

// Shows the other version in the shown one's place (B), in the same view.
void showOtherVersion(ViewControls& controls);

// Makes the changes again from both maps, after either was reloaded.
void compareAgain(ViewControls& controls);

// Ends the comparison (another map was opened): the window shows that map alone.
void endComparison(ViewControls& controls);

// Follows the other version's file as followMapFile follows the shown one's, and reloads it
// with F5 (`now` 0).
void followOtherFile(std::int64_t now, ViewControls& controls);
bool reloadOtherMap(ViewControls& controls);
