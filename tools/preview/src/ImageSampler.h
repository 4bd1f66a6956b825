#pragma once

#include "LinearImage.h"

namespace preview {

// Bilinear lookup at texture coordinates (u, v): u runs left to right and repeats, v runs
// from the bottom row (0) to the top row (1) and holds at the edges, as a bitmap mapped over
// a sphere needs (seamless round the sphere, no bleeding across the poles).
RgbPixel SampleBilinear(const LinearImage& image, float u, float v);

} // namespace preview
