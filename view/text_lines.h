// TextLines: lines of text in fixed buffers, so that making them each frame allocates nothing.
// Needs: standard C++ only.
#pragma once

struct TextLines {
    static constexpr int most = 32;
    static constexpr int width = 200;
    char line[most][width] = {};
    int count = 0;

    // Appends a line from a printf format, cut to the width; nothing once full.
    void add(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
};
