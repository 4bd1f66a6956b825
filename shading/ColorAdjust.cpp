#include "shading/ColorAdjust.h"

#include <cmath>

namespace nacreen {

namespace {
constexpr float kPercent = 100.0f;

// x^gamma; gamma 1 leaves x exactly as it is, so the power is skipped there.
float ApplyGamma(float value, float gamma) {
    return gamma == 1.0f ? value : std::pow(value, gamma);
}
} // namespace

Color4 AdjustColor(const Color4& colour, float hueShift, float saturationShift, float gamma) {
    const Hsl hsl = RgbToHsl(colour.r, colour.g, colour.b);
    const float hue = WrapToRange(hsl.h + hueShift, 0.0f, detail::kDegreesPerTurn);
    float saturation = saturationShift / kPercent + hsl.s;
    if (saturation < 0.0f) {
        saturation = 0.0f;
    }
    const Color4 rgb = HslToRgb(hue, saturation, hsl.l);
    Color4 adjusted{ApplyGamma(rgb.r, gamma), ApplyGamma(rgb.g, gamma), ApplyGamma(rgb.b, gamma),
                    colour.a};
    adjusted.ClampMinMax();
    return adjusted;
}

} // namespace nacreen
