#include "PixelEncoding.h"

#include <cmath>

namespace preview {
namespace {

float LimitToUnit(float value) {
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return value < 1.0f ? value : 1.0f;
}

double SrgbTransfer(double linear) {
    if (linear <= 0.0031308) {
        return 12.92 * linear;
    }
    return 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

} // namespace

std::uint8_t EncodePixelValue(float linear, PixelEncoding encoding) {
    double value = LimitToUnit(linear);
    if (encoding == PixelEncoding::Srgb) {
        value = SrgbTransfer(value);
    }
    return static_cast<std::uint8_t>(std::lround(value * 255.0));
}

} // namespace preview
