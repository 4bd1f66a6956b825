#pragma once

#include "FrameRange.h"
#include "ParameterAssignment.h"

#include <optional>
#include <string>
#include <vector>

namespace preview {

enum class PreviewMode { Swatch, Chart };

// Everything the command line asks for, checked for form but not yet against the plug-in.
struct PreviewOptions {
    PreviewMode mode = PreviewMode::Swatch;
    std::string output; // empty: the mode's default file name
    int width = 0;      // 0: the mode's default size
    int height = 0;
    int samplesPerSide = 3; // samples per pixel along each side
    bool linear = false;
    float maxThickness = 1000.0f;
    std::vector<ParameterAssignment> assignments;
    std::optional<std::string> thicknessMap; // a PNG path, or "noise"
    std::optional<FrameRange> frames;
    std::optional<std::string> saveScene;
    std::optional<std::string> loadScene;
    int threads = 0; // 0: all cores
    std::string plugin;
    bool help = false;
    bool listParameters = false;
};

constexpr int kMinImageSide = 16;
constexpr int kMaxImageSide = 8192;
constexpr int kMaxSamplesPerSide = 8;
constexpr int kMaxThreads = 256;
constexpr float kMaxChartThickness = 3000.0f;

// Throws UsageError with a one-line message for anything malformed or out of range.
PreviewOptions ParseCommandLine(int argc, const char* const* argv);

// The output file a run writes when none is given.
std::string DefaultOutput(PreviewMode mode);

// Fills in the mode's default size when none was given.
void ApplyDefaultSize(PreviewOptions& options);

} // namespace preview
