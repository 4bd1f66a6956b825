// Point3: a three-component float vector with the SDK's dot (%) and cross (^) operators.
#pragma once

#include <cmath>

#include "../maxheap.h"

class Point3 : public MaxHeapOperators {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Point3() = default;
    Point3(float X, float Y, float Z) : x(X), y(Y), z(Z) {}
    Point3(double X, double Y, double Z)
        : x(static_cast<float>(X)), y(static_cast<float>(Y)), z(static_cast<float>(Z)) {}
    Point3(int X, int Y, int Z)
        : x(static_cast<float>(X)), y(static_cast<float>(Y)), z(static_cast<float>(Z)) {}
    explicit Point3(const float af[3]) : x(af[0]), y(af[1]), z(af[2]) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    const float& operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    float FLength() const { return Length(); }
    float LengthSquared() const { return x * x + y * y + z * z; }
    // The zero vector stays zero instead of turning into NaNs.
    Point3 Normalize() const {
        const float len = Length();
        return len == 0.0f ? *this : Point3(x / len, y / len, z / len);
    }
    Point3 FNormalize() const { return Normalize(); }
    Point3& Unify() { return *this = Normalize(); }

    float DotProd(const Point3& p) const { return x * p.x + y * p.y + z * p.z; }
    Point3 CrossProd(const Point3& p) const {
        return Point3(y * p.z - z * p.y, z * p.x - x * p.z, x * p.y - y * p.x);
    }
    float operator%(const Point3& p) const { return DotProd(p); }
    Point3 operator^(const Point3& p) const { return CrossProd(p); }

    Point3 operator-() const { return Point3(-x, -y, -z); }
    Point3 operator+() const { return *this; }
    Point3 operator+(const Point3& p) const { return Point3(x + p.x, y + p.y, z + p.z); }
    Point3 operator-(const Point3& p) const { return Point3(x - p.x, y - p.y, z - p.z); }
    Point3 operator*(const Point3& p) const { return Point3(x * p.x, y * p.y, z * p.z); }
    Point3 operator/(const Point3& p) const { return Point3(x / p.x, y / p.y, z / p.z); }
    Point3 operator*(float f) const { return Point3(x * f, y * f, z * f); }
    Point3 operator/(float f) const { return Point3(x / f, y / f, z / f); }
    Point3& operator+=(const Point3& p) { return *this = *this + p; }
    Point3& operator-=(const Point3& p) { return *this = *this - p; }
    Point3& operator*=(float f) { return *this = *this * f; }
    Point3& operator/=(float f) { return *this = *this / f; }
    int operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    int operator!=(const Point3& p) const { return !(*this == p); }
};

inline Point3 operator*(float f, const Point3& p) {
    return p * f;
}
inline float DotProd(const Point3& a, const Point3& b) {
    return a.DotProd(b);
}
inline Point3 CrossProd(const Point3& a, const Point3& b) {
    return a.CrossProd(b);
}
inline Point3 Normalize(const Point3& p) {
    return p.Normalize();
}
inline Point3 FNormalize(const Point3& p) {
    return p.Normalize();
}
inline float Length(const Point3& p) {
    return p.Length();
}
inline float FLength(const Point3& p) {
    return p.Length();
}
inline float LengthSquared(const Point3& p) {
    return p.LengthSquared();
}
