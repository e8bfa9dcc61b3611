// TerrainView: what the terrain's colour shows. Plain is the default, lit white; the others
// colour each vertex from the data the loader keeps for it.
// Needs: standard C++ only.
#pragma once

enum class TerrainView { plain, groundTiles, height, cliffsAndFlags };

// The view after `view` in the order V cycles through them, back to plain after the last.
inline TerrainView nextView(TerrainView view) {
    switch (view) {
    case TerrainView::plain:
        return TerrainView::groundTiles;
    case TerrainView::groundTiles:
        return TerrainView::height;
    case TerrainView::height:
        return TerrainView::cliffsAndFlags;
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
    default:
        return "plain";
    }
}
