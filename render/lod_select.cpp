#include "render/lod_select.h"

#include "render/block_culling.h"

#include <algorithm>
#include <cmath>

namespace {

// The distance from a point to an axis-aligned box (0 inside it), and to its farthest corner.
float distanceToBox(const Point3& p, const float low[3], const float high[3]) {
    const float at[3] = {p.x, p.y, p.z};
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double out = std::max(
            {static_cast<double>(low[k]) - at[k], 0.0, static_cast<double>(at[k]) - high[k]});
        sum += out * out;
    }
    return static_cast<float>(std::sqrt(sum));
}

float distanceToFarthestCorner(const Point3& p, const float low[3], const float high[3]) {
    const float at[3] = {p.x, p.y, p.z};
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double far = std::max(std::fabs(static_cast<double>(low[k]) - at[k]),
                                    std::fabs(static_cast<double>(high[k]) - at[k]));
        sum += far * far;
    }
    return static_cast<float>(std::sqrt(sum));
}

// How many pixels a height error of one unit anywhere in the box can span on screen, for a
// camera at `eye`, per unit of pixelsPerUnit: a vertical offset at horizontal distance h and
// vertical distance v from the eye shows by h / (h^2 + v^2), the largest over the box's
// horizontal distances at its least vertical distance.
float errorScale(const Point3& eye, const float low[3], const float high[3]) {
    // Horizontal distances from the eye to the box's nearest and farthest points, and the
    // vertical gap between them (0 when the eye is within the box's heights).
    const double nearX =
        std::max({static_cast<double>(low[0]) - eye.x, 0.0, static_cast<double>(eye.x) - high[0]});
    const double nearZ =
        std::max({static_cast<double>(low[2]) - eye.z, 0.0, static_cast<double>(eye.z) - high[2]});
    const double farX = std::max(std::fabs(low[0] - eye.x), std::fabs(high[0] - eye.x));
    const double farZ = std::max(std::fabs(low[2] - eye.z), std::fabs(high[2] - eye.z));
    const double nearest = std::sqrt(nearX * nearX + nearZ * nearZ);
    const double farthest = std::sqrt(farX * farX + farZ * farZ);
    const double v =
        std::max({static_cast<double>(low[1]) - eye.y, 0.0, static_cast<double>(eye.y) - high[1]});
    // A height error shows by h / (h^2 + v^2) at horizontal distance h: rising up to h = v,
    // then falling.
    const auto shown = [&](double h) { return h / (h * h + v * v); };
    if (v == 0.0) return nearest > 0.0 ? static_cast<float>(1.0 / nearest) : 1e30f;
    if (nearest <= v && v <= farthest) return static_cast<float>(0.5 / v);
    return static_cast<float>(farthest < v ? shown(farthest) : shown(nearest));
}

} // namespace

void LodSelection::choose(const LodMesh& mesh, const ViewFrustum& frustum, const Point3& eye,
                          float pixelsPerUnit, int largestSide, bool fullDetail) {
    drawn.clear();
    skirted.clear();
    pending.clear();
    ++choice;
    if (drawnIn.size() != mesh.chunks.size()) drawnIn.assign(mesh.chunks.size(), 0);
    visible = 0;
    nearest = farthest = 0.0f;
    if (mesh.root >= 0) pending.push_back(mesh.root);
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(index)];
        if (boxCertainlyOutside(frustum, chunk.low, chunk.high)) continue;
        const bool leaf = chunk.step == 1;
        const bool fits =
            !chunk.exact && !fullDetail && std::max(chunk.quadsX, chunk.quadsZ) <= largestSide &&
            chunk.error * pixelsPerUnit * errorScale(eye, chunk.low, chunk.high) <= 1.0f;
        if (!leaf && !fits) {
            for (const int child : chunk.children)
                if (child >= 0) pending.push_back(child);
            continue;
        }
        const float distance = distanceToBox(eye, chunk.low, chunk.high);
        nearest = visible == 0 ? distance : std::min(nearest, distance);
        farthest = std::max(farthest, distanceToFarthestCorner(eye, chunk.low, chunk.high));
        ++visible;
        drawn.push_back(index);
        drawnIn[static_cast<std::size_t>(index)] = choice;
    }
    for (const int index : drawn) {
        bool alone = false;
        for (const int n : mesh.chunks[static_cast<std::size_t>(index)].neighbours)
            alone = alone || (n >= 0 && drawnIn[static_cast<std::size_t>(n)] != choice);
        skirted.push_back(alone ? 1 : 0);
    }
}
