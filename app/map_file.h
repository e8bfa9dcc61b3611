// Environment files on disk: which file a path means, whether it changed, and its load. The
// window reads regular files only; what a file is gets decided before anything could wait on
// it, so a FIFO, a device or a folder given as the map costs a message, never a hang. What
// reads a map once takes pipes and standard input too, read whole up to a bound.
// Needs: the platform layer, the terrain model.
#pragma once

#include "terrain/terrain_map.h"

#include <cstdint>
#include <ostream>
#include <string>

// The name a map's environment file has inside its folder.
constexpr const char* defaultMapName = "war3map.w3e";

// The environment file that a path given by the user means: the path itself, or
// war3map.w3e inside it when it names a folder; war3map.w3e for an empty path.
std::string mapFileFor(const std::string& given);

// The folder a file name lies in, as an absolute path, for messages.
std::string folderOf(const std::string& file);

// The last part of a path: the file's own name.
std::string fileNameOf(const std::string& path);

// What the window calls a map: its file's name, and for a war3map.w3e (a name every map's
// file has) its folder's too: "Highlands/war3map.w3e".
std::string mapNameOf(const std::string& file);

// What a look at a file on disk tells: enough to notice that it changed.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t written = 0; // last write time in the system's units

    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && written == o.written;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

FileStamp stampOf(const std::string& file);

// Whether the file is missing (as opposed to being there but unreadable).
bool fileMissing(const std::string& file);

// What a load may read: regular files only (the window, which follows its files and reloads
// them), or pipes and standard input ("-") too, read whole once, for what reads a map once.
enum class MapReading { regularFiles, pipesToo };

// The most a map read from a pipe may hold: far more than any map's file (a 4097 x 4097 map
// takes 118 MB), and a bound on what an endless stream can cost.
constexpr std::uint64_t largestPipedMap = std::uint64_t{256} << 20;

// Loads the environment file `file` (already resolved by mapFileFor), printing the report; a
// file that cannot be opened, or is not a regular file, gives the report line "shat" and a
// loadError saying what it is.
TerrainMap loadMapFile(const std::string& file, std::ostream& report, ReportText text,
                       MapReading reading = MapReading::regularFiles);
