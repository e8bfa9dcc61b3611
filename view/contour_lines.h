// Contour lines: lines of equal height every `interval` world units, the interval 1, 2 or 5
// times a power of ten chosen from the map's range of heights so that 10 to 30 lines cross it;
// every fifth line (at a multiple of five intervals) stronger, as on printed maps.
// Needs: standard C++ only.
#pragma once

#include <cmath>

// The interval for ground from `lowest` to `highest`; 0 for level ground, which has no lines.
float contourInterval(float lowest, float highest);

// The band a height lies in: between lines band x interval and (band + 1) x interval.
inline long long contourBand(float height, float interval) {
    return static_cast<long long>(std::floor(static_cast<double>(height) / interval));
}

// How far either side of its height the window draws a line, in intervals, from a texture of
// `contourTexels` over five intervals.
constexpr float strongLineHalfWidth = 0.035f, lightLineHalfWidth = 0.022f;
constexpr int contourTexels = 512;

// Whether ground with heights from `low` to `high` meets a line as the window draws it (its
// width and a texel included); ground that meets none is drawn without them.
inline bool meetsContourLine(float low, float high, float interval) {
    if (!(interval > 0.0f)) return false;
    const double texel = 5.0 / contourTexels;
    const double strongReach = (strongLineHalfWidth + texel) * interval,
                 lightReach = (lightLineHalfWidth + texel) * interval;
    const long long last = contourBand(static_cast<float>(high + strongReach), interval);
    for (long long k = contourBand(static_cast<float>(low - strongReach), interval) + 1; k <= last;
         ++k) {
        const double level = static_cast<double>(k) * interval;
        const double reach = k % 5 == 0 ? strongReach : lightReach;
        if (level >= low - reach && level <= high + reach) return true;
    }
    return false;
}

// Whether the lines between bands `below` and `above` (below < above: the lines at
// below + 1, ..., above) hold a strong one.
inline bool strongLineBetween(long long below, long long above) {
    const long long fifth = above - ((above % 5) + 5) % 5; // the highest multiple of 5 <= above
    return fifth > below;
}
