// Glyphs are drawn at whole pixels with nearest filtering, so the baked bitmaps land on the
// screen as they were rasterised.
#include "render/screen_text.h"

#include "render/font_data.h"

#include <array>

namespace {

// The glyph of each Latin-1 code point, or of '?' where the font has none.
const FontGlyph& glyphOf(unsigned code) {
    static const std::array<int, 256> index = [] {
        std::array<int, 256> table{};
        table.fill(-1);
        for (int i = 0; i < fontData.glyphCount; ++i)
            table[fontData.glyphs[i].code & 0xFF] = i;
        const int unknown = table['?'];
        for (int& entry : table)
            if (entry < 0) entry = unknown;
        return table;
    }();
    return fontData.glyphs[index[code < 256 ? code : '?']];
}

// The next code point of UTF-8 text; a broken sequence counts as one unknown character.
unsigned nextCode(const char*& p) {
    const auto b = static_cast<unsigned char>(*p++);
    if (b < 0x80) return b < 0x20 || b == 0x7F ? '?' : b;
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
    if (more < 0) return '?';
    unsigned code = b & (0x3F >> more);
    for (; more > 0; --more) {
        const auto c = static_cast<unsigned char>(*p);
        if ((c & 0xC0) != 0x80) return '?';
        code = code << 6 | (c & 0x3F);
        ++p;
    }
    return code >= 0xA0 && code < 256 ? code : '?';
}

} // namespace

void ScreenText::begin(int width, int height) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (texture == 0) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, fontData.atlasWidth, fontData.atlasHeight, 0,
                     GL_ALPHA, GL_UNSIGNED_BYTE, fontData.atlas);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ScreenText::end() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

int ScreenText::width(const char* text) {
    int total = 0;
    for (const char* p = text; *p;) total += glyphOf(nextCode(p)).advance;
    return total;
}

int ScreenText::lineHeight() {
    return fontData.lineHeight;
}

void ScreenText::draw(int x, int y, const char* text, const Rgb& colour) const {
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(colour.r, colour.g, colour.b, 1.0f);
    const float across = 1.0f / static_cast<float>(fontData.atlasWidth);
    const float down = 1.0f / static_cast<float>(fontData.atlasHeight);
    const int baseline = y + fontData.ascent;
    glBegin(GL_QUADS);
    for (const char* p = text; *p;) {
        const FontGlyph& g = glyphOf(nextCode(p));
        const float left = static_cast<float>(x + g.left), top = static_cast<float>(baseline - g.top);
        const float right = left + static_cast<float>(g.width), bottom = top + static_cast<float>(g.height);
        const float s0 = static_cast<float>(g.x) * across, s1 = static_cast<float>(g.x + g.width) * across;
        const float t0 = static_cast<float>(g.y) * down, t1 = static_cast<float>(g.y + g.height) * down;
        glTexCoord2f(s0, t0);
        glVertex2f(left, top);
        glTexCoord2f(s1, t0);
        glVertex2f(right, top);
        glTexCoord2f(s1, t1);
        glVertex2f(right, bottom);
        glTexCoord2f(s0, t1);
        glVertex2f(left, bottom);
        x += g.advance;
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ScreenText::panel(int x, int y, int width, int height) {
    swatch(x, y, width, height, Rgb{0.05f, 0.06f, 0.08f}, 0.72f);
}

void ScreenText::swatch(int x, int y, int width, int height, const Rgb& colour, float alpha) {
    glColor4f(colour.r, colour.g, colour.b, alpha);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + width, y);
    glVertex2i(x + width, y + height);
    glVertex2i(x, y + height);
    glEnd();
}
