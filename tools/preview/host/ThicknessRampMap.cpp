#include "ThicknessRampMap.h"

namespace preview {

const Class_ID ThicknessRampMap::kClassID(0x6A1F3C54, 0x13D5A6F9);

AColor ThicknessRampMap::EvalColor(ShadeContext& sc) {
    const float u = sc.UVW(0).x;
    return AColor(u, u, u, 1.0f);
}

void ThicknessRampMap::GetClassName(MSTR& s, bool /*localized*/) const {
    s = L"Thickness Ramp";
}

RefTargetHandle ThicknessRampMap::Clone(RemapDir& remap) {
    auto* copy = new ThicknessRampMap();
    BaseClone(this, copy, remap);
    return copy;
}

} // namespace preview
