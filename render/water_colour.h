// The water's look, the same on every path that draws it: translucent blue, lit, blended over
// what lies below, and not written to the depth buffer, so that the ground hides what lies
// under land and everything under the water shows through it.
// Needs: OpenGL 1.x.
#pragma once

// Translucent blue; with colour material its alpha is the lit surface's.
constexpr float waterColour[4] = {0.16f, 0.42f, 0.92f, 0.55f};

// The state for drawing water, and back.
void beginWater();
void endWater();
