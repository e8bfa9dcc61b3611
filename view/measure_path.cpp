#include "view/measure_path.h"

#include "terrain/map_extent.h"
#include "view/ground_height.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float sampleSpacing = tileSize / 4.0f;
constexpr double degreesPerRadian = 57.29577951308232;

// The map's own x and z of a point in the world's axes.
double mapX(const TerrainMap& map, const Point3& p) {
    return static_cast<double>(map.header->xOffset) + p.x;
}
double mapZ(const TerrainMap& map, const Point3& p) {
    return static_cast<double>(map.header->zOffset) - p.z;
}

} // namespace

template <typename Visit>
void MeasurePath::forLegSamples(const TerrainMap& map, std::size_t leg, Visit visit) const {
    const Point3 &a = points[leg], &b = points[leg + 1];
    const int steps = std::max(1, static_cast<int>(std::ceil(across(leg) / sampleSpacing)));
    for (int k = 0; k <= steps; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(steps);
        const float x = a.x + (b.x - a.x) * t, z = a.z + (b.z - a.z) * t;
        visit(Point3{x, groundHeightUnder(map, x, z), z});
    }
}

void MeasurePath::legSamples(const TerrainMap& map, std::size_t leg,
                             std::vector<Point3>& out) const {
    out.clear();
    forLegSamples(map, leg, [&](const Point3& p) { out.push_back(p); });
}

float MeasurePath::across(std::size_t leg) const {
    const Point3 &a = points[leg], &b = points[leg + 1];
    return std::hypot(b.x - a.x, b.z - a.z);
}

float MeasurePath::alongTheGround(const TerrainMap& map, std::size_t leg) const {
    double length = 0.0;
    bool first = true;
    Point3 previous;
    forLegSamples(map, leg, [&](const Point3& p) {
        if (!first) {
            const Point3 d = p - previous;
            length += std::sqrt(static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y +
                                static_cast<double>(d.z) * d.z);
        }
        first = false;
        previous = p;
    });
    return static_cast<float>(length);
}

void describePath(TextLines& out, const TerrainMap& map, const MeasurePath& path) {
    const std::vector<Point3>& p = path.points;
    if (p.empty()) return;
    out.add("from x %.0f, z %.0f", mapX(map, p.front()), mapZ(map, p.front()));
    if (p.size() < 2) return;
    out.add("to x %.0f, z %.0f", mapX(map, p.back()), mapZ(map, p.back()));
    const std::size_t last = p.size() - 2;
    const double across = path.across(last);
    const double rise = static_cast<double>(p.back().y) - p[last].y;
    out.add("distance %.1f", across);
    out.add("along the ground %.1f", static_cast<double>(path.alongTheGround(map, last)));
    out.add("height difference %+.2f", rise);
    if (across > 0.0)
        out.add("slope %.1f%% (%.1f degrees)", 100.0 * rise / across,
                std::atan2(rise, across) * degreesPerRadian);
    if (p.size() < 3) return;
    double totalAcross = 0.0, totalAlong = 0.0;
    for (std::size_t leg = 0; leg + 1 < p.size(); ++leg) {
        totalAcross += path.across(leg);
        totalAlong += path.alongTheGround(map, leg);
    }
    out.add("total: distance %.1f, along the ground %.1f (%d points)", totalAcross, totalAlong,
            static_cast<int>(p.size()));
}
