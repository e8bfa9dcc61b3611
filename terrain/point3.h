// Point3: three 32-bit floats used as a position or a vector in world space.
// Needs: standard C++ only.
#pragma once

#include <cmath>

struct Point3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    void set(float nx, float ny, float nz) {
        x = nx;
        y = ny;
        z = nz;
    }

    // The right-handed cross product this x b.
    Point3 cross(const Point3& b) const {
        return Point3{y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
    }

    // This vector with its direction kept and its length set to `length`. A zero vector has
    // no direction: it stays zero rather than turning into NaNs.
    Point3 scaledTo(float length) const {
        const float norm = std::sqrt(x * x + y * y + z * z);
        if (norm == 0.0f) return Point3{};
        const float f = length / norm;
        return Point3{x * f, y * f, z * f};
    }
};

inline Point3 operator+(const Point3& a, const Point3& b) {
    return Point3{a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Point3 operator-(const Point3& a, const Point3& b) {
    return Point3{a.x - b.x, a.y - b.y, a.z - b.z};
}
