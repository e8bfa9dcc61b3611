#include "view/text_layout.h"

#include <array>
#include <cstdio>

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

const FontGlyph& glyphOf(unsigned code) {
    static const std::array<int, 256> index = [] {
        std::array<int, 256> table{};
        table.fill(-1);
        for (int i = 0; i < fontData.glyphCount; ++i) table[fontData.glyphs[i].code & 0xFF] = i;
        const int unknown = table['?'];
        for (int& entry : table)
            if (entry < 0) entry = unknown;
        return table;
    }();
    return fontData.glyphs[index[code < 256 ? code : '?']];
}

int textWidth(const char* text) {
    int total = 0;
    for (const char* p = text; *p;) total += glyphOf(nextCode(p)).advance;
    return total;
}

int textLineHeight() {
    return fontData.lineHeight;
}

void shortenToWidth(const char* text, int pixels, char* out, std::size_t size) {
    if (size == 0) return;
    std::snprintf(out, size, "%s", text);
    if (textWidth(out) <= pixels) return;
    // Where each character starts (of the first `most`), so that cuts fall between characters.
    constexpr std::size_t most = 256;
    std::size_t starts[most + 1];
    std::size_t characters = 0;
    for (const char* p = text; *p && characters < most; nextCode(p))
        starts[characters++] = static_cast<std::size_t>(p - text);
    const char* end = text;
    for (std::size_t i = 0; i < characters; ++i) nextCode(end);
    starts[characters] = static_cast<std::size_t>(end - text);
    // Keep as many characters as fit, taken from both ends, the front one more when odd.
    for (std::size_t kept = characters; kept-- > 0;) {
        const std::size_t front = (kept + 1) / 2, back = kept / 2;
        std::snprintf(out, size, "%.*s...%.*s", static_cast<int>(starts[front]), text,
                      static_cast<int>(starts[characters] - starts[characters - back]),
                      text + starts[characters - back]);
        if (textWidth(out) <= pixels) return;
    }
    std::snprintf(out, size, "...");
}
