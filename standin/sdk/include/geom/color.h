// Color: three float channels. Builds implicitly from an AColor by dropping the alpha.
#pragma once

#include "../maxheap.h"
#include "point3.h"

class AColor;

class Color : public MaxHeapOperators {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f;

    Color() = default;
    Color(float R, float G, float B) : r(R), g(G), b(B) {}
    Color(double R, double G, double B)
        : r(static_cast<float>(R)), g(static_cast<float>(G)), b(static_cast<float>(B)) {}
    Color(int R, int G, int B)
        : r(static_cast<float>(R)), g(static_cast<float>(G)), b(static_cast<float>(B)) {}
    Color(const AColor& c);
    explicit Color(const Point3& p) : r(p.x), g(p.y), b(p.z) {}

    void Black() { r = g = b = 0.0f; }
    void White() { r = g = b = 1.0f; }
    void ClampMin() {
        r = r < 0.0f ? 0.0f : r;
        g = g < 0.0f ? 0.0f : g;
        b = b < 0.0f ? 0.0f : b;
    }
    void ClampMax() {
        r = r > 1.0f ? 1.0f : r;
        g = g > 1.0f ? 1.0f : g;
        b = b > 1.0f ? 1.0f : b;
    }
    void ClampMinMax() {
        ClampMin();
        ClampMax();
    }

    Color operator-() const { return Color(-r, -g, -b); }
    Color operator+(const Color& c) const { return Color(r + c.r, g + c.g, b + c.b); }
    Color operator-(const Color& c) const { return Color(r - c.r, g - c.g, b - c.b); }
    Color operator*(const Color& c) const { return Color(r * c.r, g * c.g, b * c.b); }
    Color operator/(const Color& c) const { return Color(r / c.r, g / c.g, b / c.b); }
    Color operator*(float f) const { return Color(r * f, g * f, b * f); }
    Color operator/(float f) const { return Color(r / f, g / f, b / f); }
    Color& operator+=(const Color& c) { return *this = *this + c; }
    Color& operator*=(float f) { return *this = *this * f; }
    int operator==(const Color& c) const { return r == c.r && g == c.g && b == c.b; }
    int operator!=(const Color& c) const { return !(*this == c); }
};

inline Color operator*(float f, const Color& c) {
    return c * f;
}
inline float Intens(const Color& c) {
    return (c.r + c.g + c.b) / 3.0f;
}
