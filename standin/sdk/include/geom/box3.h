// Box3: an axis-aligned bounding box.
#pragma once

#include "point3.h"

class Box3 : public MaxHeapOperators {
public:
    Point3 pmin, pmax;

    // A new box is empty: its minimum lies above its maximum.
    Box3() : pmin(1e30f, 1e30f, 1e30f), pmax(-1e30f, -1e30f, -1e30f) {}
    Box3(const Point3& p, const Point3& q) : pmin(p), pmax(q) {}
    void Init() { *this = Box3(); }
    int IsEmpty() const { return pmin.x > pmax.x || pmin.y > pmax.y || pmin.z > pmax.z; }
    Point3 Min() const { return pmin; }
    Point3 Max() const { return pmax; }
    Point3 Center() const { return (pmin + pmax) / 2.0f; }
    Point3 Width() const { return pmax - pmin; }
};
