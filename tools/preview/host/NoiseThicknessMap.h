#pragma once

#include "FractalNoise.h"
#include "HostTexmap.h"

namespace preview {

// The host's procedural noise map: fractal noise over the object's own coordinates, stretched
// to use most of the range 0 to 1, grey. Scenes keep its seed and size.
class NoiseThicknessMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    NoiseThicknessMap() = default;

    // The noise at an object-space point, 0 to 1.
    float ValueAt(const Point3& point) const;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override;

    Class_ID ClassID() override { return kClassID; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    RefTargetHandle Clone(RemapDir& remap) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;

private:
    std::uint32_t seed_ = 1;
    float size_ = 0.7f; // object units per noise cell
};

} // namespace preview
