// Words in the window: the baked font drawn as textured quads, and translucent panels and
// swatches behind and beside them, in window pixels with (0, 0) at the top left, over whatever
// the frame drew. Text is UTF-8; characters the font lacks show as '?'. Between begin and end
// the quads are gathered, then drawn in two batches, the rectangles and then the letters over
// them, so that a frame's words cost two draws whatever their number.
// Needs: OpenGL 1.x, the font's tables, the view colours' Rgb.
#pragma once

#include "platform/win32.h"
#include "view/view_colours.h"

#include <vector>

struct ScreenText {
    GLuint texture = 0; // the font's atlas, made at the first drawing in a context

    // Starts gathering over a frame of the given size, and draws what was gathered.
    void begin(int width, int height);
    void end();

    // Pixels a text spans across, and a line's height.
    static int width(const char* text);
    static int lineHeight();

    // Text with the top of its line at y.
    void draw(int x, int y, const char* text, const Rgb& colour);
    // A translucent dark panel, and a filled rectangle of a colour.
    void panel(int x, int y, int width, int height);
    void swatch(int x, int y, int width, int height, const Rgb& colour, float alpha = 1.0f);

  private:
    struct Quad {
        float left, top, right, bottom;
        float s0, t0, s1, t1; // texture coordinates of letters
        float r, g, b, a;
    };
    std::vector<Quad> rectangles, letters; // kept from frame to frame for their storage
    int frameWidth = 0, frameHeight = 0;
};
