#pragma once

#include "HostTexmap.h"

namespace preview {

// Drives the chart: its value is the sample's u coordinate, which the chart sets to the
// column's share of the thickness axis. Lives only while a chart renders; never saved.
class ThicknessRampMap : public HostTexmap {
public:
    static const Class_ID kClassID;

    AColor EvalColor(ShadeContext& sc) override;
    float EvalMono(ShadeContext& sc) override { return sc.UVW(0).x; }

    Class_ID ClassID() override { return kClassID; }
    void GetClassName(MSTR& s, bool localized = true) const override;
    RefTargetHandle Clone(RemapDir& remap) override;
};

} // namespace preview
