// The material editor's swatch of Nacreen.osl, shaded by testshade on the very samples
// nacreen-preview shades through the plug-in: the same camera rays, views, normals and
// thickness-map values, averaged over each pixel and encoded the same way.
#pragma once

#include "LinearImage.h"

#include <string>
#include <utility>
#include <vector>

namespace osltest {

// A set of parameter values as the README shows it.
struct Look {
    std::string name;                                      // also the stem of its docs image
    std::vector<std::pair<std::string, float>> parameters; // by scripting name
    bool noiseThicknessMap = false; // the preview's procedural noise as thickness map
};

// The default map and the README's looks.
const std::vector<Look>& Looks();

// nacreen-preview's arguments for the look's swatch (without the output file).
std::vector<std::string> PreviewArguments(const Look& look, int size);

// The look's swatch of size x size pixels, samplesPerSide^2 samples a pixel as nacreen-preview
// takes them, shaded by Nacreen.osl on testshade. The sample inputs are written to
// scratchFolder. Throws std::runtime_error when testshade fails.
preview::LinearImage RenderOslSwatch(const Look& look, int size, int samplesPerSide,
                                     const std::string& scratchFolder);

} // namespace osltest
