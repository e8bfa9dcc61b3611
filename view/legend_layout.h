// How a view's legend is laid out, for any painter that draws panels, swatches and text in
// pixels from the top left (the window's words, a picture's legend): a panel with the title,
// the height ramp with its ticks, and a swatch and a label a row.
// Needs: the legends' words, the font's measures; no OpenGL.
#pragma once

#include "view/overlay_text.h"
#include "view/text_layout.h"

#include <algorithm>
#include <cstdio>

constexpr int legendPadding = 6;
const Rgb legendInk{0.94f, 0.95f, 0.96f};
const Rgb legendDim{0.70f, 0.73f, 0.78f};

// The legend's panel's size.
inline void legendSize(const Legend& legend, int& width, int& height) {
    const int lineHeight = textLineHeight(), swatch = lineHeight - 3;
    width = textWidth(legend.title);
    for (int i = 0; i < legend.count; ++i)
        width = std::max(width, swatch + 6 + textWidth(legend.rows[i].label));
    if (legend.ramp) {
        for (int k = 0; k < 5; ++k) {
            char tick[24];
            std::snprintf(tick, sizeof tick, "%.0f",
                          legend.highest - (legend.highest - legend.lowest) * k / 4.0f);
            width = std::max(width, 2 * swatch + 6 + textWidth(tick));
        }
    }
    width += 2 * legendPadding;
    height =
        (1 + legend.count) * lineHeight + (legend.ramp ? 9 * lineHeight : 0) + 2 * legendPadding;
}

// Draws the legend's panel with its top left at (x0, y0).
template <typename Painter> void drawLegend(Painter& paint, const Legend& legend, int x0, int y0) {
    const int lineHeight = textLineHeight(), swatch = lineHeight - 3;
    int width = 0, height = 0;
    legendSize(legend, width, height);
    paint.panel(x0, y0, width, height);
    const int x = x0 + legendPadding;
    int y = y0 + legendPadding;
    paint.draw(x, y, legend.title, legendInk);
    y += lineHeight;
    if (legend.ramp) {
        // Highest at the top, in the ramp's own steps, with five ticks in world units.
        const int rampHeight = 8 * lineHeight, steps = 64;
        for (int s = 0; s < steps; ++s) {
            const float t = 1.0f - static_cast<float>(s) / (steps - 1);
            const float h = legend.lowest + (legend.highest - legend.lowest) * t;
            paint.swatch(x, y + lineHeight / 2 + rampHeight * s / steps, 2 * swatch,
                         rampHeight / steps + 1, heightColour(h, legend.lowest, legend.highest));
        }
        for (int k = 0; k < 5; ++k) {
            char tick[24];
            std::snprintf(tick, sizeof tick, "%.0f",
                          legend.highest - (legend.highest - legend.lowest) * k / 4.0f);
            paint.draw(x + 2 * swatch + 6, y + rampHeight * k / 4, tick, legendDim);
        }
        y += rampHeight + lineHeight;
    }
    for (int i = 0; i < legend.count; ++i) {
        paint.swatch(x, y + 2, swatch, swatch, legend.rows[i].colour);
        paint.draw(x + swatch + 6, y, legend.rows[i].label, legendInk);
        y += lineHeight;
    }
}
