// IPoint2: a two-component integer point (screen pixels).
#pragma once

#include "../maxheap.h"

class IPoint2 : public MaxHeapOperators {
public:
    int x = 0, y = 0;

    IPoint2() = default;
    IPoint2(int X, int Y) : x(X), y(Y) {}
    int operator==(const IPoint2& p) const { return x == p.x && y == p.y; }
};
