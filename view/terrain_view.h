// TerrainView: what the terrain's colour shows. Plain is the default, lit white; the others
// colour each vertex from the data the loader keeps for it, the changes from a comparison of
// two versions of the map.
// Needs: standard C++ only.
#pragma once

enum class TerrainView { plain, groundTiles, height, cliffsAndFlags, changes };

// The view after `view` in the order V cycles through them, back to plain after the last; while
// two versions of a map are compared, the changes come after the cliffs (and start the cycle).
inline TerrainView nextView(TerrainView view, bool comparing = false) {
    switch (view) {
    case TerrainView::plain:
        return TerrainView::groundTiles;
    case TerrainView::groundTiles:
        return TerrainView::height;
    case TerrainView::height:
        return TerrainView::cliffsAndFlags;
    case TerrainView::cliffsAndFlags:
        return comparing ? TerrainView::changes : TerrainView::plain;
    default:
        return TerrainView::plain;
    }
}

// The name the title and the legend give it.
inline const char* viewName(TerrainView view) {
    switch (view) {
    case TerrainView::groundTiles:
        return "ground tiles";
    case TerrainView::height:
        return "height";
    case TerrainView::cliffsAndFlags:
        return "cliffs and flags";
    case TerrainView::changes:
        return "changes";
    default:
        return "plain";
    }
}
