#pragma once

#include "ExplorerLook.h"
#include "imaging/Image.h"

#include <cstdint>
#include <vector>

namespace explorer {

// The material editor's sample sphere, one sample at each pixel centre, seen by
// nacreen-preview's swatch camera. With the ramp on, the thickness-map value runs from 0 at the
// sphere's bottom pole to 1 at its top pole.
imaging::LinearImage RenderSwatch(const ExplorerLook& look, int width, int height);

// Thickness 0 to maxThickness across, viewing angle 0° to 90° up, as nacreen-preview draws it:
// axes, labels, and the look's own thicknesses marked above the plot. Every other control of
// the look applies to the plot.
imaging::LinearImage RenderChart(const ExplorerLook& look, int width, int height,
                                 float maxThickness);

// sRGB-encoded bytes, four to a pixel (alpha 255), rows from the top: what a canvas takes.
std::vector<std::uint8_t> EncodeRgba8(const imaging::LinearImage& image);

} // namespace explorer
