#pragma once

#include "shading/Color4.h"
#include "shading/ForceInline.h"
#include "shading/WrapToRange.h"

// Conversions between RGB and hue, saturation and lightness. They are defined here, inline,
// because every shading sample runs them back to back.

namespace nacreen {

// Hue in degrees, saturation (0 = grey, may exceed 1) and lightness.
struct Hsl {
    float h, s, l;
};

namespace detail {
constexpr float kHueThreshold = 0.00001f;
constexpr float kDegreesPerSextant = 60.0f;
constexpr float kDegreesPerTurn = 360.0f;
constexpr float kThirdOfTurn = 0.33333334f;

NACREEN_FORCE_INLINE float RaiseToZero(float value) {
    return value < 0.0f ? 0.0f : value;
}

NACREEN_FORCE_INLINE float Saturation(float minimum, float maximum, float lightness) {
    if (minimum == maximum || lightness == 0.0f) {
        return 0.0f;
    }
    if (lightness <= 0.5f) {
        return RaiseToZero((maximum - minimum) / (maximum + minimum));
    }
    if (lightness <= 1.0f) {
        return RaiseToZero((maximum - minimum) / ((2.0f - maximum) - minimum));
    }
    return RaiseToZero((minimum - maximum) / ((2.0f - maximum) - minimum));
}

NACREEN_FORCE_INLINE float Hue(float r, float g, float b, float minimum, float maximum) {
    const float diff = maximum - minimum;
    if (diff < kHueThreshold) {
        return 0.0f;
    }
    float sextant;
    if (r == maximum) {
        sextant = (g - b) / diff;
    } else if (g == maximum) {
        sextant = (b - r) / diff + 2.0f;
    } else {
        sextant = (r - g) / diff + 4.0f;
    }
    return WrapToRange(sextant * kDegreesPerSextant, 0.0f, kDegreesPerTurn);
}
} // namespace detail

// One RGB channel of an HSL colour: p and q are the channel's low and high levels, t its hue
// as a fraction of a turn (wrapped into [0, 1) first).
NACREEN_FORCE_INLINE float HueToChannel(float p, float q, float t) {
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
NACREEN_FORCE_INLINE Hsl RgbToHsl(float r, float g, float b) {
    float maximum = r;
    if (g > maximum) {
        maximum = g;
    }
    if (b > maximum) {
        maximum = b;
    }
    float minimum = r;
    if (g < minimum) {
        minimum = g;
    }
    if (b < minimum) {
        minimum = b;
    }
    const float lightness = detail::RaiseToZero((minimum + maximum) * 0.5f);
    return Hsl{detail::Hue(r, g, b, minimum, maximum),
               detail::Saturation(minimum, maximum, lightness), lightness};
}

// RGB channels of an HSL colour, each 0 or more but not limited above; alpha 1.
NACREEN_FORCE_INLINE Color4 HslToRgb(float h, float s, float l) {
    float q;
    if (l <= 0.5f) {
        q = (s + 1.0f) * l;
    } else if (l <= 1.0f) {
        q = (l + s) - l * s;
    } else {
        q = (l - s) + l * s;
    }
    const float p = (l + l) - q;
    const float turn = h / detail::kDegreesPerTurn;
    return Color4{detail::RaiseToZero(HueToChannel(p, q, turn + detail::kThirdOfTurn)),
                  detail::RaiseToZero(HueToChannel(p, q, turn)),
                  detail::RaiseToZero(HueToChannel(p, q, turn - detail::kThirdOfTurn)), 1.0f};
}

} // namespace nacreen
