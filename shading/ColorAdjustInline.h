#pragma once

#include "shading/Color4.h"
#include "shading/ForceInline.h"
#include "shading/Hsl.h"
#include "shading/WrapToRange.h"

#include <cmath>

namespace nacreen {

namespace detail {
constexpr float kPercent = 100.0f;

// x^gamma; gamma 1 leaves x exactly as it is, so the power is skipped there.
NACREEN_FORCE_INLINE float ApplyGamma(float value, float gamma) {
    return gamma == 1.0f ? value : std::pow(value, gamma);
}
} // namespace detail

// The body of AdjustColor, inlined into the per-sample road as well.
NACREEN_FORCE_INLINE Color4 AdjustColorInline(const Color4& colour, float hueShift,
                                              float saturationShift, float gamma) {
    const Hsl hsl = RgbToHsl(colour.r, colour.g, colour.b);
    const float hue = WrapToRange(hsl.h + hueShift, 0.0f, detail::kDegreesPerTurn);
    float saturation = saturationShift / detail::kPercent + hsl.s;
    if (saturation < 0.0f) {
        saturation = 0.0f;
    }
    const Color4 rgb = HslToRgb(hue, saturation, hsl.l);
    Color4 adjusted{detail::ApplyGamma(rgb.r, gamma), detail::ApplyGamma(rgb.g, gamma),
                    detail::ApplyGamma(rgb.b, gamma), colour.a};
    adjusted.ClampMinMax();
    return adjusted;
}

} // namespace nacreen
