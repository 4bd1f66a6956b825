#include "shading/ColorAdjust.h"

#include "shading/ColorAdjustInline.h"

namespace nacreen {

Color4 AdjustColor(const Color4& colour, float hueShift, float saturationShift, float gamma) {
    return AdjustColorInline(colour, hueShift, saturationShift, gamma);
}

} // namespace nacreen
