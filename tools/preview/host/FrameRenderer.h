#pragma once

#include "LinearImage.h"
#include "PreviewOptions.h"
#include "ProgressLine.h"
#include "SwatchBackground.h"

#include <maxtypes.h>

#include <vector>

class Texmap;

namespace preview {

struct FrameSettings {
    PreviewMode mode = PreviewMode::Swatch;
    int width = 512;
    int height = 512;
    int samplesPerSide = 1;
    int threads = 1;
    float maxThickness = 1000.0f;         // chart only
    std::vector<float> markedThicknesses; // chart only: the user's film, marked on the axis
};

// Renders one frame the way the host does: the map is updated for time t once, then every
// sample is evaluated with EvalColor on the render threads, each thread with a shading context
// of its own. For a chart the map must have been prepared with PrepareChartMap first; the
// chart's axes and labels are drawn as well.
LinearImage RenderFrame(Texmap& map, TimeValue t, const FrameSettings& settings,
                        ProgressLine* progress);

} // namespace preview
