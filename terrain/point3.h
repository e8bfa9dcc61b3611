// Point3: three 32-bit floats used as a position or a vector in world space.
// Needs: standard C++ only.
#pragma once

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
    Point3 cross(const Point3& b) const;
    // This vector with its direction kept and its length set to length.
    Point3 scaledTo(float length) const;
};

inline Point3 operator+(const Point3& a, const Point3& b) {
    return Point3{a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Point3 operator-(const Point3& a, const Point3& b) {
    return Point3{a.x - b.x, a.y - b.y, a.z - b.z};
}
