// The viewer's font as tables: glyphs of the printable Latin-1 characters in one alpha atlas,
// made at build time by tools/font_baker from a font of Debian's fonts-dejavu-core.
// Needs: standard C++ only.
#pragma once

struct FontGlyph {
    unsigned code;           // Latin-1 code point
    int x, y, width, height; // in the atlas, texels
    int left, top;           // from the pen to the bitmap's left and up to its top, pixels
    int advance;             // pixels the pen moves on
};

struct FontData {
    int atlasWidth, atlasHeight; // powers of two
    int lineHeight, ascent;      // pixels
    int glyphCount;
    const FontGlyph* glyphs;    // in code point order
    const unsigned char* atlas; // alpha, row by row
};

extern const FontData fontData;
