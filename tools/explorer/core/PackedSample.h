#pragma once

#include "shading/Color4.h"

namespace explorer {

// One shading sample packed as floats, the form in which the page's tests hand samples across
// the WebAssembly boundary: view x, y, z, normal x, y, z, map value, nMedium, nFilm, nInternal,
// thicknessAtZero, thicknessAtOne, hueShift, saturationShift, gamma.
constexpr int kPackedSampleFloats = 15;

// The sample's colour from the shading core, exactly as the plug-in's EvalColor computes it
// before the output adjustment.
nacreen::Color4 ShadePackedSample(const float* packed);

// The two stages of that colour on their own: the film's colour at the sample's angle, and the
// sample's colour adjustment applied to a given film colour. The tests compare them separately,
// because the film stage calls the platform's single-precision cosine, whose last bit differs
// between C libraries, and the adjustment can magnify such a bit (gamma 20, or the hue of a
// nearly grey film).
nacreen::Color4 FilmColourOfPackedSample(const float* packed);
nacreen::Color4 AdjustPackedSample(const float* packed, const nacreen::Color4& film);

} // namespace explorer
