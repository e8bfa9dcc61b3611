// The words the window shows, as text, apart from drawing them so that tests can read them:
// the status line, the legend of a coloured view, what the tile point under the cursor holds,
// and every key and mouse action. Lines go into fixed buffers, so a frame allocates nothing.
// Needs: the terrain model, the view colours, the viewer's state and scene; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/camera.h"
#include "view/map_changes.h"
#include "view/text_lines.h"
#include "view/view_colours.h"
#include "view/viewer_state.h"

// One line: the camera's place in the map's own coordinates (X offset + 128 x column, Z offset
// + 128 x row) with its tile column and row, the ground under it, its height over that ground,
// the view, the water when hidden, level of detail when off, the map's name, "F1: keys". Given a
// width in pixels, the map's name is shortened to keep the line within it.
void statusLine(TextLines& out, const TerrainMap& map, const ViewerState& state,
                const Camera& camera, bool levelOfDetail, const std::string& mapName,
                int width = 0);

// What tile point (column, row) holds: its place (column and row, and the map's own x and z),
// ground tile, texture details, cliff tile and layer, flags by name, and the water's level and
// depth where it has the water flag.
void describePoint(TextLines& out, const TerrainMap& map, int column, int row);

// What changed at the shown map's tile point (column, row) between the two versions compared:
// a line for each field that differs, "before > after", "unchanged", or which map alone has
// it; `other` is the version not shown.
void describeChange(TextLines& out, const TerrainMap& shown, const TerrainMap& other,
                    const MapChanges& changes, bool shownIsOlder, int column, int row);

// A coloured view's legend: a title, and rows of a colour and its meaning (the height view's
// colours are a ramp from lowest to highest, drawn with ticks).
struct Legend {
    static constexpr int most = 24;
    struct Row {
        Rgb colour;
        char label[48] = {};
    };
    char title[48] = {};
    Row rows[most];
    int count = 0;
    bool ramp = false;
    float lowest = 0.0f, highest = 0.0f;
};

// The changes view's legend needs the comparison; without one it has no rows.
Legend legendOf(const TerrainMap& map, TerrainView view, bool water,
                const MapChanges* changes = nullptr, const TilePalette* palette = nullptr);

// A row saying that contour lines are drawn every `interval` units, where there is room.
void addContourRow(Legend& legend, float interval);
