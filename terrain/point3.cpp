// Point3's cross product and rescaling, in 32-bit floats throughout.
#include "terrain/point3.h"

#include <cmath>

Point3 Point3::cross(const Point3& b) const {
    return Point3{y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
}

Point3 Point3::scaledTo(float length) const {
    // A zero vector has no direction: it stays zero rather than turning into NaNs.
    const float norm = std::sqrt(x * x + y * y + z * z);
    if (norm == 0.0f) return Point3{};
    const float f = length / norm;
    return Point3{x * f, y * f, z * f};
}
