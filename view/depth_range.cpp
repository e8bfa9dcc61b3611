// A point at distance d from the eye lies at least d cos(a) along the view axis, where a is the
// angle from the axis to the frustum's corner rays; the near plane goes a little nearer still.
#include "view/depth_range.h"

#include <algorithm>
#include <cmath>

DepthRange depthRangeFor(const LodSelection& selection, const Point3& eye, const float light[4],
                         const FrameCamera& frame) {
    const double markerRadius = 100.0;
    const double dx = light[0] - eye.x, dy = light[1] - eye.y, dz = light[2] - eye.z;
    const double toLight = std::sqrt(dx * dx + dy * dy + dz * dz);
    double nearest = toLight - markerRadius, farthest = toLight + markerRadius;
    if (selection.visible > 0) {
        nearest = std::min(nearest, static_cast<double>(selection.nearest));
        farthest = std::max(farthest, static_cast<double>(selection.farthest));
    }
    const double tanY = frame.tanHalfFovy();
    const double cornerCos =
        1.0 / std::sqrt(1.0 + tanY * tanY * (1.0 + frame.aspect * frame.aspect));
    DepthRange range;
    range.nearPlane = std::max(1.0, 0.9 * cornerCos * nearest);
    range.farPlane = std::max(farthest * 1.01 + 16.0, range.nearPlane * 4.0);
    return range;
}
