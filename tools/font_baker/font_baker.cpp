// font_baker: rasterises a font's printable Latin-1 characters with FreeType into an alpha
// atlas and writes them as a C++ source of tables (view/font_data.h), so that the viewer
// draws text with OpenGL 1.x the same on every platform, with no font file at run time.
// Runs at build time on the build machine.
// usage: font_baker FONT.ttf PIXELS OUTPUT.cpp
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Glyph {
    unsigned code;
    int x = 0, y = 0, width = 0, height = 0, left = 0, top = 0, advance = 0;
    std::vector<unsigned char> pixels;
};

constexpr int atlasWidth = 256;

// The printable Latin-1 glyphs of the face, rendered at its size.
std::vector<Glyph> renderGlyphs(FT_Face face) {
    std::vector<Glyph> glyphs;
    for (unsigned code = 32; code < 256; ++code) {
        if (code >= 127 && code < 160) continue;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) continue;
        const FT_GlyphSlot g = face->glyph;
        Glyph glyph;
        glyph.code = code;
        glyph.width = static_cast<int>(g->bitmap.width);
        glyph.height = static_cast<int>(g->bitmap.rows);
        glyph.left = g->bitmap_left;
        glyph.top = g->bitmap_top;
        glyph.advance = static_cast<int>(g->advance.x >> 6);
        for (int r = 0; r < glyph.height; ++r)
            for (int c = 0; c < glyph.width; ++c)
                glyph.pixels.push_back(g->bitmap.buffer[r * g->bitmap.pitch + c]);
        glyphs.push_back(glyph);
    }
    return glyphs;
}

// Places the glyphs on shelves across a 256-texel atlas, a texel apart, as high as a power of
// two needs, and returns the atlas's height.
int placeGlyphs(std::vector<Glyph>& glyphs) {
    int x = 0, y = 0, shelf = 0;
    for (Glyph& g : glyphs) {
        if (x + g.width + 1 > atlasWidth) {
            x = 0;
            y += shelf + 1;
            shelf = 0;
        }
        g.x = x;
        g.y = y;
        x += g.width + 1;
        shelf = std::max(shelf, g.height);
    }
    int atlasHeight = 1;
    while (atlasHeight < y + shelf) atlasHeight *= 2;
    return atlasHeight;
}

void writeSource(std::ofstream& out, FT_Face face, const char* pixels,
                 const std::vector<Glyph>& glyphs, int atlasHeight) {
    std::vector<unsigned char> atlas(static_cast<std::size_t>(atlasWidth) * atlasHeight, 0);
    for (const Glyph& g : glyphs)
        for (int r = 0; r < g.height; ++r)
            for (int c = 0; c < g.width; ++c)
                atlas[static_cast<std::size_t>(g.y + r) * atlasWidth + g.x + c] =
                    g.pixels[static_cast<std::size_t>(r) * g.width + c];
    out << "// Made by font_baker from " << face->family_name << " at " << pixels
        << " pixels; not to be edited.\n#include \"view/font_data.h\"\n\nnamespace {\n\n";
    out << "const FontGlyph glyphs[] = {\n";
    for (const Glyph& g : glyphs)
        out << "    {" << g.code << ", " << g.x << ", " << g.y << ", " << g.width << ", "
            << g.height << ", " << g.left << ", " << g.top << ", " << g.advance << "},\n";
    out << "};\n\nconst unsigned char atlas[] = {";
    for (std::size_t i = 0; i < atlas.size(); ++i)
        out << (i % 24 == 0 ? "\n    " : " ") << static_cast<int>(atlas[i]) << ",";
    out << "\n};\n\n} // namespace\n\nconst FontData fontData = {" << atlasWidth << ", "
        << atlasHeight << ", " << (face->size->metrics.height >> 6) << ", "
        << (face->size->metrics.ascender >> 6) << ", " << glyphs.size() << ", glyphs, atlas};\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: font_baker FONT.ttf PIXELS OUTPUT.cpp\n");
        return 2;
    }
    FT_Library library;
    FT_Face face;
    if (FT_Init_FreeType(&library) || FT_New_Face(library, argv[1], 0, &face) ||
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::stoi(argv[2])))) {
        std::fprintf(stderr, "font_baker: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<Glyph> glyphs = renderGlyphs(face);
    const int atlasHeight = placeGlyphs(glyphs);
    std::ofstream out(argv[3]);
    writeSource(out, face, argv[2], glyphs, atlasHeight);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return out ? 0 : 1;
}
