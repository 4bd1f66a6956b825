// The material editor's swatch of Nacreen.osl, shaded by testshade on the very samples
// nacreen-preview shades through the plug-in: the same camera rays, views, normals and
// thickness-map values, averaged over each pixel and encoded the same way.
#pragma once

#include "imaging/Image.h"

#include <string>
#include <utility>
#include <vector>

namespace oslshade {

// A set of parameter values as the README shows it: the default map, or a line of
// tools/looks.tsv.
struct Look {
    std::string id;                                          // the stem of its docs image
    std::string title;                                       // its name in the README
    std::vector<std::pair<std::string, std::string>> values; // by scripting name, as text

    // The look spans its two thicknesses: the pictures drive it with a noise thickness map.
    bool SpansThicknesses() const;
};

// The default map, then the looks of tools/looks.tsv. Throws std::runtime_error when the file
// cannot be read or a line is not a look.
std::vector<Look> Looks();

// nacreen-preview's arguments for the look's swatch (without the output file).
std::vector<std::string> PreviewArguments(const Look& look, int size);

// The look's swatch of size x size pixels, samplesPerSide^2 samples a pixel as nacreen-preview
// takes them, shaded by Nacreen.osl on testshade, and the testshade command that shaded it. The
// sample inputs are written to scratchFolder. Throws std::runtime_error when testshade fails.
struct ShadedSwatch {
    imaging::LinearImage image;
    std::string command;
};
ShadedSwatch RenderOslSwatch(const Look& look, int size, int samplesPerSide,
                             const std::string& scratchFolder);

} // namespace oslshade
