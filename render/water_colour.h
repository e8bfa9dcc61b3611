// The water's look, the same on every path that draws it: the views' water colour, lit,
// blended over what lies below, and not written to the depth buffer, so that the ground hides
// what lies under land and the ground under the water shows faintly through it.
// Needs: OpenGL 1.x, the view colours.
#pragma once

#include "view/view_colours.h"

// The state for drawing water, and back.
void beginWater();
void endWater();
