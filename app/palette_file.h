// The user's tile palette on disk: the file --palette names, else palette.txt in the user's
// configuration folder (zuvaro/ under $XDG_CONFIG_HOME or ~/.config on Linux, under %APPDATA%
// on Windows), else none; and --palette-out's starting file for a map.
// Needs: the platform layer, the view layer's palette.
#pragma once

#include "terrain/terrain_map.h"
#include "view/tile_palette.h"

#include <string>

// The palette's file in the user's configuration folder (whether it exists or not), or empty.
std::string configuredPaletteFile();

// Loads the palette: `given` (which must exist), else the configured file where there is one.
// Bad lines are warned of by file and line, and the rest applies; false with the reason in
// `error` when a given file cannot be read.
bool loadPalette(const std::string& given, TilePalette& palette, std::string& error);

// Writes the colours `map`'s tile sets have (with `palette` applied) as a palette file.
bool writePaletteOut(const std::string& path, const TerrainMap& map, const TilePalette& palette,
                     std::string& error);
