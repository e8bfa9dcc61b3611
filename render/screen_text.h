// Words in the window: the baked font drawn as textured quads, and translucent panels and
// swatches behind and beside them, in window pixels with (0, 0) at the top left, over whatever
// the frame drew. Text is UTF-8; characters the font lacks show as '?'.
// Needs: OpenGL 1.x, the font's tables, the view colours' Rgb.
#pragma once

#include "platform/win32.h"
#include "render/view_colours.h"

struct ScreenText {
    GLuint texture = 0; // the font's atlas, made at the first drawing in a context

    // Sets up drawing in window pixels over a frame of the given size, and puts everything
    // back afterwards.
    void begin(int width, int height);
    void end();

    // Pixels a text spans across, and a line's height.
    static int width(const char* text);
    static int lineHeight();

    // Draws text with the top of its line at y.
    void draw(int x, int y, const char* text, const Rgb& colour) const;
    // A translucent dark panel, and a filled rectangle of a colour.
    static void panel(int x, int y, int width, int height);
    static void swatch(int x, int y, int width, int height, const Rgb& colour, float alpha = 1.0f);
};
