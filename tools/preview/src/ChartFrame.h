#pragma once

#include "ChartLayout.h"
#include "LinearImage.h"

#include <vector>

namespace preview {

// Colours of everything around the plot, in linear light.
constexpr RgbPixel kChartBackground{0.03f, 0.03f, 0.03f};
constexpr RgbPixel kChartInk{0.75f, 0.75f, 0.75f};

// Paints the background outside the plot, the two axes, their ticks and tick labels, and the
// axis titles. The plot's own pixels are left as they are.
void DrawChartFrame(LinearImage& image, const ChartLayout& layout);

// Marks thicknesses on the thickness axis with small triangles above the plot, pointing down
// at their columns: the thicknesses the user's own map spans. Thicknesses beyond the axis are
// left out.
void DrawThicknessMarkers(LinearImage& image, const ChartLayout& layout,
                          const std::vector<float>& thicknesses);

} // namespace preview
