#pragma once

#include "SwatchCamera.h"

#include <maxhost/SimpleShadeContext.h>

#include <atomic>

namespace preview {

// The shading context of one render thread of the swatch. A sample hands over the view, the
// normal and the point at once; the texture coordinates cost two inverse trigonometric
// functions, so they are worked out only for a map that asks for them, once per sample. The
// hit must outlive the sample's evaluation.
class SwatchShadeContext : public maxhost::SimpleShadeContext {
public:
    void Aim(const SwatchHit& hit) {
        hit_ = &hit;
        Store(view, hit.View());
        Store(normal, hit.Normal());
        Store(geomNormal, hit.Normal());
        Store(point, hit.Point());
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

    // Writes one vector on its own. The map reads each vector back whole, at once; had the
    // compiler merged the stores of neighbouring vectors into wider ones, that read would
    // straddle two stores, could not be forwarded from them and would wait for every earlier
    // instruction to retire, so no sample could overlap the one before. The fence only keeps
    // the compiler from merging: it emits no instruction.
    static void Store(Point3& field, const Vector3& v) {
        field = ToPoint3(v);
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }

    const SwatchHit* hit_ = nullptr;
    bool uvwKnown_ = true; // until a sample is aimed, the fields answer as they are
};

} // namespace preview
