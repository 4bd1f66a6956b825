#pragma once

namespace nacreen {

// Three 32-bit floats: a direction handed in by the host (it maps onto the host's Point3).
struct Vec3 {
    float x, y, z;
};

// Single-precision dot product, summed x, y, z in that order.
inline float Dot(const Vec3& a, const Vec3& b) {
    return (a.x * b.x + a.y * b.y) + a.z * b.z;
}

} // namespace nacreen
