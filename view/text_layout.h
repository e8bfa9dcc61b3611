// Text in the baked font without OpenGL: each character's glyph, how wide a text runs, and a
// text shortened to a width. The window's words and the pictures' legends lay text out alike.
// Needs: the font's tables.
#pragma once

#include "view/font_data.h"

#include <cstddef>

// The next code point of UTF-8 text, moving `p` past it; a broken sequence or a character the
// font lacks counts as '?'.
unsigned nextCode(const char*& p);

// The glyph of a code point from nextCode.
const FontGlyph& glyphOf(unsigned code);

// Pixels a text spans across, and a line's height.
int textWidth(const char* text);
int textLineHeight();

// Copies `text` into `out` (of `size` bytes) as it is if it spans at most `pixels`, else with
// its middle left out for "..." so that it does (nothing but "..." where even that is too
// wide), cut between characters; as much as `out` holds. Allocates nothing.
void shortenToWidth(const char* text, int pixels, char* out, std::size_t size);
