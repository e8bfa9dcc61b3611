// A picture of the map with the view's legend beside it, to its right (never over it), in the
// window's font and words, on the panel's dark colour.
// Needs: the legends and their layout, the font's tables; no OpenGL.
#pragma once

#include "export/png_encode.h"
#include "view/overlay_text.h"

// `picture` (RGB, 8 bits) widened by the legend's panel; as it is for a legend without rows
// or ramp (the plain view's).
PngImage withLegend(const PngImage& picture, const Legend& legend);
