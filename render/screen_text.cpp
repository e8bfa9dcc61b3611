// Glyphs are drawn at whole pixels with nearest filtering, so the baked bitmaps land on the
// screen as they were rasterised.
#include "render/screen_text.h"

#include "view/text_layout.h"

void ScreenText::begin(int width, int height) {
    frameWidth = width;
    frameHeight = height;
    rectangles.clear();
    letters.clear();
}

void ScreenText::end() {
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_TEXTURE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, frameWidth, frameHeight, 0.0, -1.0, 1.0);
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
    glBegin(GL_QUADS);
    for (const Quad& q : rectangles) {
        glColor4f(q.r, q.g, q.b, q.a);
        glVertex2f(q.left, q.top);
        glVertex2f(q.right, q.top);
        glVertex2f(q.right, q.bottom);
        glVertex2f(q.left, q.bottom);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const Quad& q : letters) {
        glColor4f(q.r, q.g, q.b, q.a);
        glTexCoord2f(q.s0, q.t0);
        glVertex2f(q.left, q.top);
        glTexCoord2f(q.s1, q.t0);
        glVertex2f(q.right, q.top);
        glTexCoord2f(q.s1, q.t1);
        glVertex2f(q.right, q.bottom);
        glTexCoord2f(q.s0, q.t1);
        glVertex2f(q.left, q.bottom);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

int ScreenText::width(const char* text) {
    return textWidth(text);
}

int ScreenText::lineHeight() {
    return textLineHeight();
}

void ScreenText::draw(int x, int y, const char* text, const Rgb& colour) {
    const float across = 1.0f / static_cast<float>(fontData.atlasWidth);
    const float down = 1.0f / static_cast<float>(fontData.atlasHeight);
    const int baseline = y + fontData.ascent;
    for (const char* p = text; *p;) {
        const FontGlyph& g = glyphOf(nextCode(p));
        if (g.width > 0) {
            const float left = static_cast<float>(x + g.left);
            const float top = static_cast<float>(baseline - g.top);
            letters.push_back(
                {left, top, left + static_cast<float>(g.width), top + static_cast<float>(g.height),
                 static_cast<float>(g.x) * across, static_cast<float>(g.y) * down,
                 static_cast<float>(g.x + g.width) * across,
                 static_cast<float>(g.y + g.height) * down, colour.r, colour.g, colour.b, 1.0f});
        }
        x += g.advance;
    }
}

void ScreenText::panel(int x, int y, int width, int height) {
    swatch(x, y, width, height, Rgb{0.05f, 0.06f, 0.08f}, 0.72f);
}

void ScreenText::swatch(int x, int y, int width, int height, const Rgb& colour, float alpha) {
    rectangles.push_back({static_cast<float>(x), static_cast<float>(y),
                          static_cast<float>(x + width), static_cast<float>(y + height), 0, 0, 0, 0,
                          colour.r, colour.g, colour.b, alpha});
}
