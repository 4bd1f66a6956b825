#pragma once

#include "ChartLayout.h"
#include "LinearImage.h"

namespace preview {

// Colours of everything around the plot, in linear light.
constexpr RgbPixel kChartBackground{0.03f, 0.03f, 0.03f};
constexpr RgbPixel kChartInk{0.75f, 0.75f, 0.75f};

// Paints the background outside the plot, the two axes, their ticks and tick labels, and the
// axis titles. The plot's own pixels are left as they are.
void DrawChartFrame(LinearImage& image, const ChartLayout& layout);

} // namespace preview
