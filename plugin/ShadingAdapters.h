// Conversions between the host's geometry and colour types and those of the shading core.
#pragma once

#include <max.h>

#include "shading/Color4.h"
#include "shading/Vec3.h"

inline nacreen::Vec3 ToVec3(const Point3& p) {
    return nacreen::Vec3{p.x, p.y, p.z};
}

inline AColor ToAColor(const nacreen::Color4& c) {
    return AColor(c.r, c.g, c.b, c.a);
}
