#include "view/change_colours.h"

#include "terrain/map_extent.h"

#include <cmath>
#include <cstdio>

namespace {

// Grey, and the ramp's ends: a red-orange and an indigo, apart from the water's blue.
constexpr double greyLightness = 0.66;

// The marks in the order one is chosen where several changed, with their colours' lightness,
// chroma and hue.
struct MarkStyle {
    ChangeMark mark;
    double lightness, chroma, hue;
    const char* name;
};
constexpr MarkStyle markStyles[] = {{cliffChanged, 0.86, 0.17, 95.0, "cliff"},
                                    {groundTileChanged, 0.64, 0.25, 328.0, "ground tile"},
                                    {flagsChanged, 0.74, 0.20, 142.0, "flags"},
                                    {waterChanged, 0.84, 0.13, 200.0, "water"},
                                    {onlyInNew, 0.27, 0.0, 0.0, "only in one map"}};

} // namespace

Rgb changeRampColour(float t) {
    const double f = std::fmin(std::fabs(static_cast<double>(t)), 1.0);
    if (t >= 0.0f) return fromOklch(greyLightness - 0.06 * f, 0.20 * f, 35.0);
    return fromOklch(greyLightness - 0.24 * f, 0.19 * f, 285.0);
}

Rgb changeMarkColour(ChangeMark mark) {
    for (const MarkStyle& s : markStyles)
        if (s.mark == mark) return fromOklch(s.lightness, s.chroma, s.hue);
    return changeRampColour(0.0f);
}

Rgb changeColour(const MapChanges& c, std::size_t point) {
    const float rise = c.rise[point];
    const float largest = c.largestChange();
    if (rise != 0.0f && largest > 0.0f) return changeRampColour(rise / largest);
    const std::uint8_t marks = c.marks[point];
    for (const MarkStyle& s : markStyles)
        if (marks & s.mark) return changeMarkColour(s.mark);
    return changeRampColour(0.0f);
}

Rgb VertexColouring::changedColour(const TerrainVertex& v) const {
    if (!changes) return changeRampColour(0.0f);
    // The point's column and row in its own grid, then in the newer map's.
    long long column = std::llround(v.position.x / tileSize);
    long long row = std::llround(-v.position.z / tileSize);
    if (older) {
        column -= changes->columnShift;
        row -= changes->rowShift;
    }
    if (!changes->aligned || column < 0 || row < 0 || column >= changes->columns ||
        row >= changes->rows)
        return changeMarkColour(onlyInNew); // a point of one map only
    return changeColour(*changes, changes->index(static_cast<int>(column), static_cast<int>(row)));
}

Legend changesLegend(const MapChanges& c) {
    Legend legend;
    std::snprintf(legend.title, sizeof legend.title, "%s", c.against);
    const auto row = [&](const Rgb& colour) -> char* {
        Legend::Row& r = legend.rows[legend.count++];
        r.colour = colour;
        return r.label;
    };
    constexpr std::size_t size = sizeof legend.rows[0].label;
    std::snprintf(row(changeRampColour(1.0f)), size, "raised %lld, by up to %.2f", c.raised,
                  static_cast<double>(c.largestRise));
    std::snprintf(row(changeRampColour(-1.0f)), size, "lowered %lld, by up to %.2f", c.lowered,
                  static_cast<double>(c.largestDrop));
    const long long counts[] = {c.cliff, c.groundTile, c.flags, c.water};
    for (int k = 0; k < 4; ++k)
        std::snprintf(row(changeMarkColour(markStyles[k].mark)), size, "%s %lld",
                      markStyles[k].name, counts[k]);
    std::snprintf(row(changeMarkColour(onlyInNew)), size, "only in new %lld, in old %lld",
                  c.onlyInNewCount, c.onlyInOld);
    std::snprintf(row(changeRampColour(0.0f)), size, "unchanged %lld", c.compared - c.changed);
    return legend;
}
