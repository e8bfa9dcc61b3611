// The line the viewer prints when the view changes: the view's name and what its colours
// mean (for ground tiles, each of the map's tile set IDs with its colour as #rrggbb).
// Needs: the render layer's view colours, the terrain model.
#pragma once

#include "view/view_colours.h"

#include <string>

// The legend of `view` for `map`, without a line end; text from the file escaped as the
// report's.
std::string viewLegend(const TerrainMap& map, TerrainView view, ReportText text,
                       const TilePalette* palette = nullptr);
