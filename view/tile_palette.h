// The user's tile palette: the colours a team chooses for its tile sets, so that the same tile
// set has the same colour in every map and picture. A plain text file, one "ID #rrggbb" a line,
// "#" starting a comment; a bad line is reported by its number and the rest still applies.
// IDs the palette names take its colours everywhere; the others keep the usual rule, avoiding
// the colours the palette gives this map's tile sets.
// Needs: the view colours; no OpenGL.
#pragma once

#include "view/view_colours.h"

#include <string>
#include <vector>

struct TilePalette {
    struct Entry {
        std::string id;
        Rgb colour;
    };
    std::vector<Entry> entries; // in the file's order; a later line for an ID replaces it

    // The palette's colour for `id`, or null.
    const Rgb* colourOf(const std::string& id) const;
};

// Reads a palette's text; each bad line adds a message ("line 3: ...") to `problems`.
TilePalette readPalette(const std::string& text, std::vector<std::string>& problems);

// The palette file for a map: each listed tile set of `header` with the colour it has (in
// `colours`), under a comment saying what the file is, to start a team's palette from.
std::string paletteText(const EnvironmentHeader& header, const GroundColours& colours);
