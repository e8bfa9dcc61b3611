// Edits of a block of tile points after the shape is made, so that tests can write two
// versions of a map with known differences: each edit changes one field of the points of
// columns c0 to c1 and rows r0 to r1 (both ends included, clipped to the grid).
// Needs: the document.
#pragma once

#include "w3e_document.h"

#include <string>

struct BlockEdit {
    enum class Field { raise, tile, layer, cliff, flags, water } field = Field::raise;
    int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
    int value = 0;
};

// "WHAT:C0,R0,C1,R1:V"; false with the reason in `error` when the text is not one.
bool parseBlockEdit(const std::string& text, BlockEdit& edit, std::string& error);

// raise: V world units added to the ground (negative lowers it); tile and cliff: the ground
// and cliff texture numbers; layer: the cliff layer, the ground keeping its height; flags: the
// tile flags; water: V world units added to the water level.
void applyBlockEdit(W3eDocument& doc, const BlockEdit& edit);
