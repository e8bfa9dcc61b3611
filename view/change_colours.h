// The changes view's colours and legend: ground whose height and fields stayed as they were
// grey; raised ground warm and lowered ground cool, on a ramp through that grey to the largest
// change either way; where the height stayed but another field changed, a colour for each
// (the ground tile, the cliff, the flags, the water), none of them near the ramp or the grey;
// and points that only one of the maps has dark.
// Needs: the comparison of two maps, the view colours and legends; no OpenGL.
#pragma once

#include "view/map_changes.h"
#include "view/overlay_text.h"
#include "view/view_colours.h"

// The ramp at t from -1 (the largest drop) through 0 (no change) to 1 (the largest rise).
Rgb changeRampColour(float t);

// The colour of a mark alone (groundTileChanged, cliffChanged, flagsChanged, waterChanged,
// onlyInNew).
Rgb changeMarkColour(ChangeMark mark);

// Point `point` of the newer map (numbered as MapChanges numbers them) in the changes view.
Rgb changeColour(const MapChanges& changes, std::size_t point);

// Rows for raised and lowered ground with the largest change each way, unchanged ground, each
// mark, and the points only in the newer map, each with its count.
Legend changesLegend(const MapChanges& changes);
