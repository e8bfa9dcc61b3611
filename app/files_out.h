// Files out instead of a window: the summary on standard output, the heightmap and the picture
// of the whole map written whole (a failure leaves no file behind, and an existing one as it
// was), each announced by its path, the picture's last. No display and no OpenGL are needed.
// Needs: the export layer, the terrain model, the command line.
#pragma once

#include "app/command_line.h"
#include "terrain/terrain_map.h"
#include "view/tile_palette.h"

#include <ostream>
#include <string>

// Writes what `options` asks for from the loaded `map` (from `file`); 0 when everything was
// written, 1 after a message saying what could not be (in a box too with `box`).
int writeFilesOut(const CommandLine& options, const TerrainMap& map, const std::string& file,
                  ReportText text, std::ostream& out, bool box, const TilePalette& palette);

// With --textconv: the load's `report` without its line naming the file, the summary, and a
// line for each block of the map; 0.
int writeTextconv(const TerrainMap& map, const std::string& report, ReportText text,
                  std::ostream& out);

// With --compare: what changed from `before` to `after` (from `file`), as --summary lines on
// `out`, and the changes view's picture for --output (with its legend for --legend; the map
// in another view with --view); 0, or 1 after a message saying what could not be done.
int writeChangesOut(const CommandLine& options, const TerrainMap& before, const TerrainMap& after,
                    const std::string& file, ReportText text, std::ostream& out, bool box,
                    const TilePalette& palette);

// Writes a PNG image whole to `path`, refusing to write over `keep` (the map's own file);
// false with the reason in `error`.
struct PngImage;
bool writePng(const std::string& path, const PngImage& image, const std::string& keep,
              std::string& error);
