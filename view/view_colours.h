// The colours of the coloured views: a colour for each ground tile set's ID, the same in every
// map; a perceptually even ramp for heights; steps for cliff layers with ramps, tinted ground and
// boundaries on top. Chosen with the water's colour, which none of them comes near. Pure
// lookups over small tables made once, so a vertex's colour costs a few loads a frame.
// Needs: the terrain model; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/terrain_view.h"

#include <string>

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

// Entries of the ground tile palette: more than the 16 tile sets a map's texture numbers (one
// nibble) can name, so that no two of a map's tile sets share one.
constexpr int groundPaletteSize = 17;

// A ground tile set's own palette entry, from a hash of its four-character ID.
int paletteEntryOf(const std::string& id);

// The colours of one map's ground texture numbers (0 to 15): each listed tile set's own
// colour, the same in every map. Where two of the map's IDs have the same entry, the one later
// in alphabetical order takes the next free entry after it; the same ID listed twice keeps one
// colour. Numbers the list does not reach are grey.
// The distance of two sRGB colours in OKLab, where equal distances look equally different
// (0.1 is about 10 in CIE76).
double perceivedDistance(const Rgb& x, const Rgb& y);

struct TilePalette;

// The colour of each ground texture number: its ID's colour in the user's palette where it
// names the ID, else the ID's entry of the fixed palette (the next free one where two IDs want
// one, or where the user's palette gives this map a colour close to it).
struct GroundColours {
    Rgb byNumber[16];
    static GroundColours of(const EnvironmentHeader& header, const TilePalette* palette = nullptr);
};

// The grey of texture numbers the map's list does not reach.
Rgb unlistedColour();

// Steps of the height ramp.
constexpr int heightRampSize = 256;

// The colour of height y on a ramp from `lowest` (dark blue) to `highest` (light yellow),
// evenly spaced to the eye; the middle of the ramp when the map is level.
Rgb heightColour(float y, float lowest, float highest);

// Ramp, tinted and boundary points in their own colours (boundary first, then ramp, then
// tinted ground; the boundary mark of the water word counts as a boundary), every other point in
// the step of its cliff layer: greyish green, lighter and yellower a layer up, each of the 16
// its own.
Rgb cliffColour(const TerrainVertex& vertex);

// The colours of the cliff view's marks, for its legend.
Rgb rampColour();
Rgb tintedColour();
Rgb boundaryColour();
Rgb layerColour(int layer);

// OKLab lightness, chroma and hue (degrees) to sRGB, clipped to the gamut.
Rgb fromOklch(double lightness, double chroma, double hueDegrees);

// "#rrggbb".
std::string hexColour(const Rgb& colour);

// The water's colour over the ground: nearly opaque, a blue that no ground colour of any view
// comes near, so that water over any ground stays apart from every dry colour.
constexpr float waterColour[4] = {0.0f, 0.627f, 1.0f, 0.75f};

// The water as it shows over `ground`.
Rgb waterOver(const Rgb& ground);

struct MapChanges;

// Everything a coloured view needs to colour a vertex of one map; for the changes, the
// comparison the map is in and whether it is the older map (whose points are found in the
// newer one's grid through the offsets' shift).
struct VertexColouring {
    TerrainView view = TerrainView::groundTiles;
    GroundColours ground;
    float lowest = 0.0f, highest = 0.0f;
    const MapChanges* changes = nullptr;
    bool older = false;

    static VertexColouring of(const TerrainMap& map, TerrainView view,
                              const MapChanges* changes = nullptr, bool older = false,
                              const TilePalette* palette = nullptr) {
        return {view,
                GroundColours::of(*map.header, palette),
                map.lowestHeight,
                map.highestHeight,
                changes,
                older};
    }

    Rgb colourOf(const TerrainVertex& v) const {
        switch (view) {
        case TerrainView::groundTiles:
            return ground.byNumber[v.groundTexture & 15];
        case TerrainView::height:
            return heightColour(v.position.y, lowest, highest);
        case TerrainView::changes:
            return changedColour(v);
        default:
            return cliffColour(v);
        }
    }
    // The changes view's colour of the point at v's place.
    Rgb changedColour(const TerrainVertex& v) const;
};
