#pragma once

#include "SwatchCamera.h"

#include <maxhost/SimpleShadeContext.h>

namespace preview {

// The shading context of one render thread of the swatch. A sample hands over the view, the
// normal and the point at once; the texture coordinates cost two inverse trigonometric
// functions, so they are worked out only for a map that asks for them, once per sample. The
// hit must outlive the sample's evaluation.
class SwatchShadeContext : public maxhost::SimpleShadeContext {
public:
    void Aim(const SwatchHit& hit) {
        hit_ = &hit;
        view = ToPoint3(hit.View());
        normal = ToPoint3(hit.Normal());
        geomNormal = ToPoint3(hit.Normal());
        point = ToPoint3(hit.Point());
        uvwKnown_ = false;
    }

    Point3 UVW(int /*channel*/) override {
        if (!uvwKnown_) {
            uvw = ToPoint3(hit_->Uvw());
            uvwKnown_ = true;
        }
        return uvw;
    }

    void ScreenUV(Point2& uv, Point2& duv) override {
        UVW(0);
        SimpleShadeContext::ScreenUV(uv, duv);
    }

private:
    static Point3 ToPoint3(const Vector3& v) { return Point3(v.x, v.y, v.z); }

    const SwatchHit* hit_ = nullptr;
    bool uvwKnown_ = true; // until a sample is aimed, the fields answer as they are
};

} // namespace preview
