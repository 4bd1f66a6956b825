#pragma once

#include "shading/Color4.h"
#include "shading/WrapToRange.h"

namespace nacreen {

// Hue in degrees, saturation (0 = grey, may exceed 1) and lightness.
struct Hsl {
    float h, s, l;
};

// One RGB channel of an HSL colour: p and q are the channel's low and high levels, t its hue
// as a fraction of a turn (wrapped into [0, 1) first).
inline float HueToChannel(float p, float q, float t) {
    constexpr float kOneSixth = 0.16666667f;
    constexpr float kHalf = 0.5f;
    constexpr float kTwoThirds = 0.6666667f;
    constexpr double kTwoThirdsExact = 0.6666666666666666;

    t = WrapToRange(t, 0.0f, 1.0f);
    if (t < kOneSixth) {
        return ((q - p) * 6.0f) * t + p;
    }
    if (t < kHalf) {
        return q;
    }
    if (t < kTwoThirds) {
        const double rise = static_cast<double>(q - p);
        return static_cast<float>((rise * (kTwoThirdsExact - static_cast<double>(t))) * 6.0 +
                                  static_cast<double>(p));
    }
    return p;
}

// Hue in [0, 360] degrees (360 only by rounding), saturation and lightness, each 0 or more.
Hsl RgbToHsl(float r, float g, float b);

// RGB channels of an HSL colour, each 0 or more but not limited above; alpha 1.
Color4 HslToRgb(float h, float s, float l);

} // namespace nacreen
