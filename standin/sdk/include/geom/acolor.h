// AColor: a colour with alpha, four float channels.
#pragma once

#include "../maxheap.h"
#include "color.h"

class AColor {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;

    AColor() = default;
    AColor(float R, float G, float B, float A = 1.0f) : r(R), g(G), b(B), a(A) {}
    AColor(double R, double G, double B, double A = 1.0)
        : r(static_cast<float>(R)), g(static_cast<float>(G)), b(static_cast<float>(B)),
          a(static_cast<float>(A)) {}
    AColor(int R, int G, int B, int A = 0)
        : r(static_cast<float>(R)), g(static_cast<float>(G)), b(static_cast<float>(B)),
          a(static_cast<float>(A)) {}
    AColor(const Color& c, float alph = 1.0f) : r(c.r), g(c.g), b(c.b), a(alph) {}

    void Black() {
        r = g = b = 0.0f;
        a = 1.0f;
    }
    void White() { r = g = b = a = 1.0f; }
    void ClampMin() {
        r = r < 0.0f ? 0.0f : r;
        g = g < 0.0f ? 0.0f : g;
        b = b < 0.0f ? 0.0f : b;
        a = a < 0.0f ? 0.0f : a;
    }
    void ClampMax() {
        r = r > 1.0f ? 1.0f : r;
        g = g > 1.0f ? 1.0f : g;
        b = b > 1.0f ? 1.0f : b;
        a = a > 1.0f ? 1.0f : a;
    }
    void ClampMinMax() {
        ClampMin();
        ClampMax();
    }

    AColor operator-() const { return AColor(-r, -g, -b, -a); }
    AColor operator+(const AColor& c) const { return AColor(r + c.r, g + c.g, b + c.b, a + c.a); }
    AColor operator-(const AColor& c) const { return AColor(r - c.r, g - c.g, b - c.b, a - c.a); }
    AColor operator*(const AColor& c) const { return AColor(r * c.r, g * c.g, b * c.b, a * c.a); }
    AColor operator/(const AColor& c) const { return AColor(r / c.r, g / c.g, b / c.b, a / c.a); }
    AColor operator*(float f) const { return AColor(r * f, g * f, b * f, a * f); }
    AColor operator/(float f) const { return AColor(r / f, g / f, b / f, a / f); }
    AColor& operator+=(const AColor& c) { return *this = *this + c; }
    AColor& operator*=(float f) { return *this = *this * f; }
    int operator==(const AColor& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
    int operator!=(const AColor& c) const { return !(*this == c); }
};

typedef AColor RGBA;

inline AColor operator*(float f, const AColor& c) {
    return c * f;
}
inline float Intens(const AColor& c) {
    return (c.r + c.g + c.b) / 3.0f;
}
inline Color::Color(const AColor& c) : r(c.r), g(c.g), b(c.b) {}
