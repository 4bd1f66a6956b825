#pragma once

#include "imaging/Image.h"

#include <cstdint>

namespace imaging {

// How linear-light values become the 8-bit numbers stored in a PNG.
enum class PixelEncoding {
    Srgb,   // the sRGB transfer curve: what image viewers expect
    Linear, // values stored as they are, for compositing
};

// Out-of-range and NaN inputs are limited to [0, 1] first (NaN counts as 0). Exactly the value
// of DefiningPixelValue, from a table: no power function per call.
std::uint8_t EncodePixelValue(float linear, PixelEncoding encoding);

// The channels of count pixels, three bytes a pixel, as EncodePixelValue gives them.
void EncodePixelRow(const RgbPixel* pixels, int count, PixelEncoding encoding, std::uint8_t* out);

// The definition the table reproduces: the limited value through the curve in double precision
// (the sRGB curve with its pow), times 255, rounded half away from zero.
std::uint8_t DefiningPixelValue(float linear, PixelEncoding encoding);

} // namespace imaging
