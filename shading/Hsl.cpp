#include "shading/Hsl.h"

namespace nacreen {

namespace {
constexpr float kHueThreshold = 0.00001f;
constexpr float kDegreesPerSextant = 60.0f;
constexpr float kDegreesPerTurn = 360.0f;
constexpr float kThirdOfTurn = 0.33333334f;

float RaiseToZero(float value) {
    return value < 0.0f ? 0.0f : value;
}

float Saturation(float minimum, float maximum, float lightness) {
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

float Hue(float r, float g, float b, float minimum, float maximum) {
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
} // namespace

Hsl RgbToHsl(float r, float g, float b) {
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
    const float lightness = RaiseToZero((minimum + maximum) * 0.5f);
    return Hsl{Hue(r, g, b, minimum, maximum), Saturation(minimum, maximum, lightness), lightness};
}

Color4 HslToRgb(float h, float s, float l) {
    float q;
    if (l <= 0.5f) {
        q = (s + 1.0f) * l;
    } else if (l <= 1.0f) {
        q = (l + s) - l * s;
    } else {
        q = (l - s) + l * s;
    }
    const float p = (l + l) - q;
    const float turn = h / kDegreesPerTurn;
    return Color4{RaiseToZero(HueToChannel(p, q, turn + kThirdOfTurn)),
                  RaiseToZero(HueToChannel(p, q, turn)),
                  RaiseToZero(HueToChannel(p, q, turn - kThirdOfTurn)), 1.0f};
}

} // namespace nacreen
