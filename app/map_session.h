// The map on screen and the file it came from: opening another one (a drop), reloading it
// (F5) and following its changes on disk. A new map is loaded beside the shown one and takes
// its place only when the load is good; a failure leaves the shown map as it is and says why
// in a message box, once per attempt.
// Needs: the platform layer, the terrain model, the window's controls.
#pragma once

#include "app/map_file.h"
#include "platform/win32.h"

#include <cstdint>
#include <string>

struct MapSession {
    std::string file;                           // the environment file shown, as the user gave it
    ReportText reportText = ReportText::asRead; // how the report of each load is written
    FileStamp known;                            // the file at the last load from it
    FileStamp changed;                          // a change seen at the last look, not yet settled
    bool changeSeen = false;
    std::int64_t nextLook = 0; // performance-counter time of the next look at the file
};

struct ViewControls;

// Starts following `file`, the map just loaded from it at start-up.
void followFrom(MapSession& session, const std::string& file, const FileStamp& stamp,
                ReportText text);

// Begins opening the map a path means (a file or a folder), as a drop does, on a thread of its
// own: the shown map stays until finishOpening takes the new one. Then the camera goes back to
// the start and a new map makes the scene build its levels of detail again; a map that could
// not be loaded leaves the shown one, and a box says why.
void beginOpening(const std::string& path, ViewControls& controls);

// Takes the map whose opening has finished, if any: once a loop iteration. True when it took
// one.
bool finishOpening(ViewControls& controls);

// Loads the shown map's file again; the camera stays where it is if the map still holds it.
bool reloadMap(ViewControls& controls);

// True once the session's file has changed and settled, with its new load in `candidate`
// (good or not; the file's stamp is then known): what followMapFile does for the shown map.
bool settledChange(std::int64_t now, MapSession& session, TerrainMap& candidate);

// Whether a load is good enough to show: its warning and its failure said in boxes.
bool loadedWell(const TerrainMap& candidate);

// Looks at the file about once a second (cheaply: its size and write time) and reloads it once
// a change has settled: the same size and time at two looks in a row, so that a file still
// being written is not loaded half-way. `now` is a performance-counter reading.
void followMapFile(std::int64_t now, ViewControls& controls);
