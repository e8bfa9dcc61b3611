// Where the water surface shows: over every quad with the water flag at a corner; in the
// cliffs and flags view not over quads with a flag of their own (ramp, tinted ground,
// boundary), so that blue over a flag's colour never reads as another flag; never in the
// changes view, whose colours show where the water changed.
// Needs: the terrain model, the views.
#pragma once

#include "terrain/terrain_map.h"
#include "view/terrain_view.h"

// Whether quad (c, r) has the water flag at a corner.
inline bool quadIsWet(const TerrainMap& map, int c, int r) {
    const TerrainVertex* left = map.vertices[static_cast<std::size_t>(c)].get();
    const TerrainVertex* right = map.vertices[static_cast<std::size_t>(c) + 1].get();
    return ((left[r].tileFlags | left[r + 1].tileFlags | right[r].tileFlags |
             right[r + 1].tileFlags) &
            waterFlag) != 0;
}

// Whether the water surface shows over quad (c, r) in `view`.
inline bool waterShowsOver(const TerrainMap& map, int c, int r, TerrainView view) {
    if (view == TerrainView::changes || !quadIsWet(map, c, r)) return false; // changes: coloured
    if (view != TerrainView::cliffsAndFlags) return true;
    for (const int column : {c, c + 1}) {
        const TerrainVertex* v = map.vertices[static_cast<std::size_t>(column)].get();
        for (const int row : {r, r + 1})
            if ((v[row].tileFlags & (rampFlag | tintedFlag | boundaryFlag)) || v[row].boundary)
                return false;
    }
    return true;
}
