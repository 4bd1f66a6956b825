// Point2: a two-component float vector.
#pragma once

#include "../maxheap.h"

class Point2 : public MaxHeapOperators {
public:
    float x = 0.0f, y = 0.0f;

    Point2() = default;
    Point2(float X, float Y) : x(X), y(Y) {}
    Point2(double X, double Y) : x(static_cast<float>(X)), y(static_cast<float>(Y)) {}

    float& operator[](int i) { return i == 0 ? x : y; }
    const float& operator[](int i) const { return i == 0 ? x : y; }
    Point2 operator+(const Point2& p) const { return Point2(x + p.x, y + p.y); }
    Point2 operator-(const Point2& p) const { return Point2(x - p.x, y - p.y); }
    Point2 operator*(float f) const { return Point2(x * f, y * f); }
    int operator==(const Point2& p) const { return x == p.x && y == p.y; }
    int operator!=(const Point2& p) const { return !(*this == p); }
};
